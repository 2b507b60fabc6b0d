"""Installs with the real exe under Wine + Xvfb against the local release service: what lands in
the folder, the records, updater copy and shortcuts, the browser start, and every way an install
stops (download, digest, extraction, unsafe path, service gone, cancel)."""
import contextlib
import hashlib
import json
import pathlib
import shutil
import socket
import sys
import time
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "support"))
import install_helpers as h  # noqa: E402
import installer_session as s  # noqa: E402
import release_builder  # noqa: E402
import shell_link  # noqa: E402
import winebench  # noqa: E402
from release_builder import Package  # noqa: E402

SERVER_ROOT = winebench.BUILD_DIR / "tests" / "e2e-install-server"
WORK = winebench.DRIVE_C / "e2e install"
BASE_URL = f"https://127.0.0.1:{s.SERVICE_PORT}"
VERSION = "150.0.7"
CHANNEL = release_builder.DEFAULT_CHANNEL
INSTALL_TIMEOUT = 60
BROWSER_DESCRIPTION = "Orvane Browser"
RELEASE_UNAVAILABLE = "无法获取版本信息，请检查网络连接"
UNKNOWN_VERSION = "最新版本"

OLD_CONFIG = b'{"version":"old","keep":1}'
LOCALES = {
    "locales/en-US.pak": b"en-US strings\n" * 500,
    "locales/zh-CN.pak": "中文字符串\n".encode("utf-8") * 500,
    "resources/theme/dark.css": b"body { background: #181a26; }\n",
}
# Bytes that deflate hardly shrinks, so a cut zip is cut inside its entry's data.
NOISE = b"".join(hashlib.sha256(i.to_bytes(4, "big")).digest() for i in range(2048))
BIG = bytes(range(256)) * 4096  # 1 MiB

states = None


def setUpModule():
    global states
    h.close_browser()
    if not h.display_free():
        raise AssertionError("another Orvane window stays open (a concurrent run?)")
    states = h.StateReader()  # fixture windows: before any installer window is open


def browser_bytes():
    return h.TEST_BROWSER.read_bytes()


def failure(file_path, detail=""):
    """The Failed text for a package, as the fixture takes it ("\\n": a line feed)."""
    return f"下载失败: {file_path}\\n{detail}"


class Install(unittest.TestCase):
    def setUp(self):
        h.close_browser()
        self.assertTrue(h.display_free(), "another Orvane window stays open (a concurrent run?)")
        h.clear_install_traces()
        shutil.rmtree(SERVER_ROOT, ignore_errors=True)
        shutil.rmtree(WORK, ignore_errors=True)
        WORK.mkdir(parents=True)
        self.addCleanup(h.close_browser)

    # -- steps ------------------------------------------------------------------------------

    def release(self, packages, version=VERSION):
        return release_builder.build_release(SERVER_ROOT, BASE_URL, version, packages)

    def start(self, name):
        session = s.Session(name=name)
        self.addCleanup(session.kill)
        return session

    @contextlib.contextmanager
    def case(self, name):
        """One case of a table: its own clean slate, and its window gone whatever happens, so
        that the next case finds only its own."""
        self.setUp()
        sessions = []
        try:
            with self.subTest(name):
                yield sessions
        finally:
            for session in sessions:
                session.kill()

    def install(self, session, folder, until=(h.FINISHED, h.FAILED)):
        """Types the folder, clicks "开始安装" and waits for one of the states."""
        session.set_directory(winebench.windows_path(folder))
        session.click(s.MAIN_BUTTON, settle=0)
        state, image = states.wait_for(session.window, until, INSTALL_TIMEOUT)
        session.shot(h.STATE_NAMES.get(state, "unknown").lower())
        return state, image

    def close(self, session):
        session.key("alt+F4")
        self.assertTrue(session.window_gone())
        self.assertEqual(session.exit_code(), 0)

    # -- checks -----------------------------------------------------------------------------

    def assert_no_install_records(self, folder):
        for name in (h.MANIFEST_NAME, h.UPDATER_NAME):
            self.assertFalse((folder / name).exists(), name)
        self.assertFalse(h.desktop_shortcut().exists())
        self.assertFalse(h.start_menu_shortcut().exists())

    def assert_failed_with(self, session, image, state, expected):
        """Failed with exactly the expected text; closes the window (exit 0) to render it."""
        self.assertEqual(state, h.FAILED, f"ended in {h.STATE_NAMES.get(state)}")
        shown = h.area(image, h.ERROR_AREA)
        self.close(session)
        self.assertEqual(shown, h.rendered_error(expected), f"the error text is not {expected!r}")

    def assert_shortcut(self, path, folder):
        self.assertTrue(path.is_file(), path)
        link = shell_link.read(path)
        browser = winebench.windows_path(folder / "chrome.exe")
        self.assertEqual(link.target, browser)
        self.assertEqual(link.working_dir, winebench.windows_path(folder))
        self.assertEqual(link.description, BROWSER_DESCRIPTION)
        self.assertEqual((link.icon_location, link.icon_index), (browser, 0))

    # -- installs that finish ---------------------------------------------------------------

    def test_install_places_files_records_updater_shortcuts_and_starts_the_browser(self):
        folder = WORK / "Orvane"
        browser = browser_bytes()
        packages = [
            Package("locales/en-US.pak", files=LOCALES, compressed=True),
            Package("chrome.exe", content=browser),
            Package(h.CONFIG_NAME, content=OLD_CONFIG),
            Package("resources.pak", content=BIG),
        ]
        with s.service(SERVER_ROOT) as server:
            manifest = self.release(packages)
            session = self.start("install")
            state, image = self.install(session, folder)
        self.assertEqual(state, h.FINISHED)
        self.assertTrue(h.bar_full(image), "Finished without a full bar")
        downloads = [path for _, path, status in server.requests() if path.startswith("/files/")]
        self.assertEqual(len(downloads), len(packages), downloads)

        expected = {path: release_builder.sha256_hex(data) for path, data in LOCALES.items()}
        expected.update({"chrome.exe": release_builder.sha256_hex(browser),
                         "resources.pak": release_builder.sha256_hex(BIG)})
        installed = h.installed_files(folder)
        self.assertEqual(set(installed),
                         set(expected) | {h.CONFIG_NAME, h.MANIFEST_NAME, h.UPDATER_NAME})
        for path, digest in expected.items():
            self.assertEqual(installed[path], digest, path)

        self.assertEqual((folder / h.MANIFEST_NAME).read_bytes(), h.manifest_text(
            VERSION, CHANNEL, [(f["file_path"], f["checksum_sha256"]) for f in manifest["files"]]))
        self.assertEqual(json.loads((folder / h.CONFIG_NAME).read_bytes()),
                         {"keep": 1, "product_version": VERSION})
        self.assertEqual((folder / h.UPDATER_NAME).read_bytes(), s.EXE.read_bytes())
        self.assert_shortcut(h.desktop_shortcut(), folder)
        self.assert_shortcut(h.start_menu_shortcut(), folder)
        self.assertFalse(h.install_temp().exists(), "the temp folder was left behind")

        session.click(s.MAIN_BUTTON, settle=0)  # "启动浏览器"
        window = winebench.wait_for_window(h.BROWSER_TITLE, timeout=30)
        self.assertIsNotNone(window, "the browser did not open")
        time.sleep(s.SETTLE)
        winebench.client_shot(window, "install browser")
        self.assertEqual(session.exit_code(), 0)
        self.assertEqual((folder / h.BROWSER_LOG).read_bytes().decode("utf-8"),
                         f"{winebench.windows_path(folder / 'chrome.exe')}\t"
                         f"{winebench.windows_path(folder)}\r\n")

    def test_empty_release_records_an_empty_file_list(self):
        folder = WORK / "empty"
        with s.service(SERVER_ROOT):
            self.release([], version="2.0")
            session = self.start("empty release")
            state, image = self.install(session, folder)
        self.assertEqual(state, h.FINISHED)
        self.assertTrue(h.bar_full(image))
        self.assertEqual((folder / h.MANIFEST_NAME).read_bytes(),
                         b'{\n  "channel": "stable",\n  "files": [],\n  "version": "2.0"\n}')
        self.assertEqual((folder / h.UPDATER_NAME).read_bytes(), s.EXE.read_bytes())
        self.close(session)

    def test_service_down_at_start_up_then_up_for_the_install(self):
        folder = WORK / "late service"
        with self.assertRaises(ConnectionRefusedError, msg="something listens on the service port"):
            socket.create_connection(("127.0.0.1", s.SERVICE_PORT), timeout=5).close()
        expected_card = h.rendered_card(UNKNOWN_VERSION, 0)
        session = self.start("service down at start")
        card = None
        deadline = time.monotonic() + 20
        while time.monotonic() < deadline and card != expected_card:
            card = h.area(h.capture(session.window), h.CARD_AREA)
            time.sleep(h.POLL)
        session.shot("ready without service")
        self.assertEqual(card, expected_card, "the card does not say 最新版本 / 0 个文件")

        with s.service(SERVER_ROOT):
            manifest = self.release([Package("chrome.exe", content=browser_bytes()),
                                     Package(h.CONFIG_NAME, content=OLD_CONFIG)])
            state, _ = self.install(session, folder)
        self.assertEqual(state, h.FINISHED)
        self.assertEqual((folder / h.MANIFEST_NAME).read_bytes(), h.manifest_text(
            VERSION, CHANNEL, [(f["file_path"], f["checksum_sha256"]) for f in manifest["files"]]))
        self.assertEqual(h.installed_files(folder)["chrome.exe"],
                         release_builder.sha256_hex(browser_bytes()))
        self.close(session)

    # -- installs that stop -----------------------------------------------------------------

    def test_failed_package_stops_the_install_with_its_message(self):
        ok = Package("chrome.exe", content=browser_bytes())
        cases = [
            ("missing package", [ok, Package("resources.pak", content=BIG, url_prefix="/_fault/status=404")],
             None, failure("resources.pak", "HTTP 404")),
            ("wrong digest", [ok, Package("resources.pak", content=BIG, checksum_sha256="0" * 64)],
             None, failure("resources.pak")),
            ("corrupt zip", [ok, Package("locales/noise.pak", files={"locales/noise.pak": NOISE},
                                         compressed=True)],
             "locales/noise.pak", failure("locales/noise.pak")),
        ]
        for name, packages, cut, expected in cases:
            with self.case(name) as sessions:
                folder = WORK / name
                with s.service(SERVER_ROOT):
                    manifest = self.release(packages)
                    if cut:
                        self.cut_zip(manifest, cut)
                    sessions.append(session := self.start(name))
                    state, image = self.install(session, folder)
                self.assert_no_install_records(folder)
                self.assert_failed_with(session, image, state, expected)

    def cut_zip(self, manifest, file_path):
        """Halves a stored zip and re-announces its size and digest, so that only extraction
        can notice."""
        entry = next(f for f in manifest["files"] if f["file_path"] == file_path)
        stored = SERVER_ROOT / "files" / entry["download_url"].rsplit("/", 1)[1]
        data = stored.read_bytes()[:stored.stat().st_size // 2]
        stored.write_bytes(data)
        entry["file_size"] = len(data)
        entry["zip_checksum"] = release_builder.sha256_hex(data)
        release_builder.write_manifest(SERVER_ROOT, manifest)

    def test_file_path_leaving_the_folder_is_refused(self):
        for unsafe in ("..\\x.bin", "C:\\x.bin"):
            with self.case(unsafe) as sessions:
                folder = WORK / "unsafe" / "Orvane"
                with s.service(SERVER_ROOT):
                    manifest = self.release([Package("chrome.exe", content=browser_bytes()),
                                             Package("x.bin", content=b"outside\n")])
                    manifest["files"][1]["file_path"] = unsafe
                    release_builder.write_manifest(SERVER_ROOT, manifest)
                    sessions.append(session := self.start("unsafe path"))
                    state, image = self.install(session, folder)
                self.assertFalse((winebench.DRIVE_C / "x.bin").exists())
                self.assertEqual([p.name for p in folder.parent.iterdir()], ["Orvane"])
                self.assertEqual(list(WORK.rglob("x.bin")), [])
                self.assert_no_install_records(folder)
                self.assert_failed_with(session, image, state, failure(unsafe, "invalid file path"))

    def test_service_down_at_install_time(self):
        folder = WORK / "service gone"
        with s.service(SERVER_ROOT) as server:
            self.release([Package("chrome.exe", content=browser_bytes())])
            session = self.start("service gone")
            deadline = time.monotonic() + 20
            while not any("/latest" in path for _, path, _ in server.requests()):
                self.assertLess(time.monotonic(), deadline, "no start-up lookup")
                time.sleep(h.POLL)
            time.sleep(s.SETTLE)
            session.shot("ready with service")
        state, image = self.install(session, folder)
        self.assert_no_install_records(folder)
        self.assert_failed_with(session, image, state, RELEASE_UNAVAILABLE)

    def test_cancel_during_a_slow_download_closes_at_once(self):
        folder = WORK / "cancel"
        with s.service(SERVER_ROOT) as server:
            self.release([Package("slow.bin", content=BIG, url_prefix="/_fault/slow=20000")])
            session = self.start("cancel")
            state, _ = self.install(session, folder, until=(h.WORKING,))
            self.assertEqual(state, h.WORKING)
            deadline = time.monotonic() + 20
            while not any(path.startswith("/_fault/") for _, path, _ in server.requests()):
                self.assertLess(time.monotonic(), deadline, "the download did not start")
                time.sleep(h.POLL)
            started = time.monotonic()
            session.click(s.MAIN_BUTTON, settle=0)  # "取消"
            self.assertTrue(session.window_gone(timeout=5), "the window stayed after cancel")
            self.assertEqual(session.exit_code(timeout=max(0.1, started + 5 - time.monotonic())), 0)
            self.assert_no_install_records(folder)
            time.sleep(3)
            self.assert_no_install_records(folder)


if __name__ == "__main__":
    unittest.main()
