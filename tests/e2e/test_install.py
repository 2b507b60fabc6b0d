"""Installs with the real exe under Wine + Xvfb against the local release service: what lands in
the folder, the records, updater copy and shortcuts, the browser start, and every way an install
stops (download, digest, extraction, unsafe path, service gone, cancel). The uninstall of what an
install leaves is tests/uninstall's."""
import contextlib
import hashlib
import json
import shutil
import socket
import subprocess
import time
import unittest

from orvane_release import layout
from orvane_release import build as release_builder
from orvane_release.build import Package
from orvane_release.digest import sha256_hex
from support import fixtures, runner, shell_link, winebench
from support import install_helpers as h
from support import installer_session as s

SERVER_ROOT = winebench.BUILD_DIR / "tests" / "e2e-install-server"
PLANTED_PROGRAM = winebench.BUILD_DIR / "tests" / "support" / "planted.exe"
PLANTED_DLL = winebench.BUILD_DIR / "tests" / "support" / "planted.dll"
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
# A zip that tar takes seconds to unpack: many small files.
KIB = bytes(1024)
MANY = {f"many/{i // 500:03d}/{i:05d}.bin": KIB for i in range(20000)}
NOT_FULL_PATH = "请输入完整的安装路径，例如 D:\\Orvane"
PAUSES = winebench.BUILD_DIR / "tests" / "e2e-pauses"
NO_DIRECTORY = "请选择安装目录"
DIR_TOO_LONG = "安装路径过长，最多 180 个字符"

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
        h.clean_slate(self, SERVER_ROOT, WORK)

    # -- steps ------------------------------------------------------------------------------

    def release(self, packages, version=VERSION):
        return release_builder.build_release(SERVER_ROOT, BASE_URL, version, packages)

    def start(self, name, *args, **options):
        session = s.Session(*args, name=name, **options)
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

    def install(self, session, folder, until=(h.FINISHED, h.FAILED), timeout=INSTALL_TIMEOUT):
        """Types the folder (a host path, or a Windows path as text), clicks "开始安装" and waits
        for one of the states."""
        session.set_directory(folder if isinstance(folder, str) else winebench.windows_path(folder))
        session.click(s.MAIN_BUTTON, settle=0)
        state, image = states.wait_for(session.window, until, timeout)
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

        expected = {path: sha256_hex(data) for path, data in LOCALES.items()}
        expected.update({"chrome.exe": sha256_hex(browser),
                         "resources.pak": sha256_hex(BIG)})
        installed = h.installed_files(folder)
        self.assertEqual(set(installed),
                         set(expected) | {h.CONFIG_NAME, h.MANIFEST_NAME, h.ZIP_MEMBERS_NAME, h.UPDATER_NAME})
        for path, digest in expected.items():
            self.assertEqual(installed[path], digest, path)

        self.assertEqual((folder / h.MANIFEST_NAME).read_bytes(), h.manifest_text(
            VERSION, CHANNEL, [(f["file_path"], f["checksum_sha256"]) for f in manifest["files"]]))
        self.assertEqual(json.loads((folder / h.CONFIG_NAME).read_bytes()),
                         {"keep": 1, "product_version": VERSION})
        # What the zip placed, each file with its digest, under the zip's own checksum.
        members = json.loads((folder / h.ZIP_MEMBERS_NAME).read_bytes())["packages"]
        self.assertEqual([(m["file_path"], m["zip_checksum"]) for m in members],
                         [("locales/en-US.pak", manifest["files"][0]["zip_checksum"])])
        self.assertEqual(sorted((m["file_path"], m["checksum_sha256"]) for m in members[0]["members"]),
                         sorted((path, sha256_hex(data)) for path, data in LOCALES.items()))
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
        # The Apps entry; its size counts what the records name, the records and the updater.
        updater = winebench.windows_path(folder / h.UPDATER_NAME)
        ours = [folder / f["file_path"] for f in manifest["files"]] + [folder / h.MANIFEST_NAME,
                                                                      folder / h.UPDATER_NAME]
        self.assertEqual(h.uninstall_entry(), {
            "DisplayName": "Orvane", "DisplayVersion": VERSION, "Publisher": "Orvane",
            "InstallLocation": winebench.windows_path(folder),
            "DisplayIcon": winebench.windows_path(folder / "chrome.exe"),
            "EstimatedSize": -(-sum(path.stat().st_size for path in ours) // 1024),
            "InstallDate": time.strftime("%Y%m%d"), "NoModify": 1, "NoRepair": 1,
            "UninstallString": f'"{updater}" --uninstall',
            "QuietUninstallString": f'"{updater}" --uninstall --quiet',
            # The window install registered the daily check: the uninstaller removes that task.
            "OrvaneScheduledTask": 1})

    def test_the_demo_keeps_a_window_sized_shot_of_each_step(self):
        demo_drive, demo_release = fixtures.load_script("demo_drive"), fixtures.load_script("demo_release")
        artifacts = winebench.ARTIFACTS
        self.addCleanup(setattr, winebench, "ARTIFACTS", artifacts)
        winebench.ARTIFACTS = WORK / "demo shots"
        taken = {}
        with s.service(SERVER_ROOT):
            demo_release.build(SERVER_ROOT, BASE_URL, h.TEST_BROWSER)
            code, ok = demo_drive.drive(winebench.windows_path(WORK / "Orvane Demo"), states, taken)
        self.assertEqual((code, ok), (0, True))
        self.assertEqual(sorted(taken), ["1-ready", "2-working", "3-finished", "4-browser"])
        for name, (image, size) in taken.items():
            with self.subTest(name):
                png = winebench.ARTIFACTS / (name + ".png")
                shown = subprocess.run(["identify", "-format", "%w %h", str(png)], check=True,
                                       capture_output=True, text=True, timeout=30).stdout.split()
                self.assertEqual(tuple(map(int, shown)), size)
                self.assertEqual((image.width, image.height), size)
                self.assertGreater(size[0] * size[1], 100 * 100)
        for name, state in (("1-ready", h.READY), ("2-working", h.WORKING), ("3-finished", h.FINISHED)):
            self.assertEqual(states.state(taken[name][0]), state, name)

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
                         sha256_hex(browser_bytes()))
        self.close(session)


    # -- installs over an installation -------------------------------------------------------

    def generation(self, version, config):
        """A release whose plain and zipped files all carry `version` in their bytes."""
        zipped = {"locales/en-US.pak": f"en {version}".encode() * 300,
                  "locales/zh-CN.pak": f"中文 {version}".encode() * 300}
        return [Package("chrome.exe", content=browser_bytes()),
                Package(h.CONFIG_NAME, content=config),
                Package("resources.pak", content=f"resources {version}".encode() * 1000),
                Package("notes.txt", content=f"notes {version}".encode(), checksum_sha256=""),
                Package("locales/en-US.pak", files=zipped, compressed=True)], zipped

    def install_release(self, folder, packages, version, name):
        manifest = self.release(packages, version=version)
        session = self.start(name)
        state, _ = self.install(session, folder)
        self.close(session)
        self.assertEqual(state, h.FINISHED, f"{name} ended in {h.STATE_NAMES.get(state)}")
        return manifest

    def test_install_over_an_installation_replaces_its_files_and_keeps_its_config(self):
        folder = WORK / "again"
        with s.service(SERVER_ROOT):
            first, _ = self.generation("1.0", OLD_CONFIG)
            self.install_release(folder, first, "1.0", "first install")
            config = json.loads((folder / h.CONFIG_NAME).read_bytes())
            self.assertEqual(config, {"keep": 1, "product_version": "1.0"})
            (folder / h.CONFIG_NAME).write_text(json.dumps({**config, "user": "mine"}))
            # What an update killed half-way leaves: its marker and backups, and one ".bak" that
            # the marker does not list (not the installer's to delete).
            (folder / h.MARKER_NAME).write_text("resources.pak\nlocales/en-US.pak\n")
            for stale in ("resources.pak.bak", "locales/en-US.pak.bak", "notes.txt.bak"):
                (folder / stale).write_bytes(b"stale")

            second, zipped = self.generation("2.0", b'{"keep":5,"new_key":2}')
            for run in ("over release 1", "same release again"):
                manifest = self.install_release(folder, second, "2.0", run)
                expected = {path: sha256_hex(data) for path, data in zipped.items()}
                expected.update({"chrome.exe": sha256_hex(browser_bytes()),
                                 "resources.pak": sha256_hex(b"resources 2.0" * 1000),
                                 "notes.txt": sha256_hex(b"notes 2.0"),
                                 "notes.txt.bak": sha256_hex(b"stale")})
                installed = h.installed_files(folder)
                for name in (h.CONFIG_NAME, h.MANIFEST_NAME, h.ZIP_MEMBERS_NAME, h.UPDATER_NAME):
                    self.assertTrue(installed.pop(name, None), f"{run}: {name} missing")
                self.assertEqual(installed, expected, run)
                self.assertEqual(json.loads((folder / h.CONFIG_NAME).read_bytes()),
                                 {"keep": 1, "new_key": 2, "product_version": "2.0", "user": "mine"}, run)
                self.assertEqual((folder / h.MANIFEST_NAME).read_bytes(), h.manifest_text(
                    "2.0", CHANNEL, [(f["file_path"], f["checksum_sha256"]) for f in manifest["files"]]))
                self.assertFalse((folder / h.MARKER_NAME).exists(), run)

    # -- where an install may go -------------------------------------------------------------

    def test_directory_forms_a_retry_and_a_drive_root(self):
        drive = WORK / "spare drive"
        drive.mkdir()
        self.addCleanup(h.map_drive("O", drive))
        shown = []
        with s.service(SERVER_ROOT):
            self.release([Package("chrome.exe", content=browser_bytes()),
                          Package("locales/en-US.pak", files=LOCALES, compressed=True)])
            session = self.start("directory forms")
            too_long = "O:\\" + "\\".join(["a-folder-with-a-long-name"] * 12)  # over 300 characters, read whole
            self.assertEqual(len(too_long), 314)
            for typed, text in (("", NO_DIRECTORY), ("Orvane", NOT_FULL_PATH), (too_long, DIR_TOO_LONG)):
                session.set_directory(typed)
                session.click(s.MAIN_BUTTON, settle=0)
                state, image = states.wait_for(session.window, (h.FAILED,), 20)
                shown.append((state, h.area(image, h.ERROR_AREA), text))
                session.click(s.MAIN_BUTTON, settle=0)  # "重试"
                state, image = states.wait_for(session.window, (h.READY,), 20)
                self.assertEqual(state, h.READY, f"重试 after {text!r}")
                self.assertEqual(image.rgb(*h.EDIT_POINT), h.EDIT_BACKGROUND, "the directory edit is not back")
            # As Explorer's "Copy as path" gives it, with a space Windows drops from the name.
            session.set_directory('"O:\\Orvane "')
            session.click(s.MAIN_BUTTON, settle=0)
            state, _ = states.wait_for(session.window, (h.FINISHED, h.FAILED), INSTALL_TIMEOUT)
            self.assertEqual(state, h.FINISHED)
            self.close(session)
            self.assertEqual(set(h.installed_files(drive / "Orvane")),
                             set(LOCALES) | {"chrome.exe", h.MANIFEST_NAME, h.ZIP_MEMBERS_NAME, h.UPDATER_NAME})
            self.assertEqual(shell_link.read(h.desktop_shortcut()).target, "O:\\Orvane\\chrome.exe")

            # "%NAME%" is a folder's name like any other: nothing expands it.
            percent = self.start("percent")
            state, _ = self.install(percent, "O:\\%USERNAME%\\Orvane")
            self.assertEqual(state, h.FINISHED)
            self.close(percent)
            self.assertTrue(LOCALES.keys() <= set(h.installed_files(drive / "%USERNAME%" / "Orvane")))

            root = self.start("drive root")
            state, _ = self.install(root, "O:\\")
            self.assertEqual(state, h.FINISHED)
        self.assertTrue(LOCALES.keys() <= set(h.installed_files(drive)))
        self.assertTrue((drive / h.MANIFEST_NAME).is_file())
        link = shell_link.read(h.desktop_shortcut())
        self.assertEqual((link.target, link.working_dir), ("O:\\chrome.exe", "O:\\"))
        root.click(s.MAIN_BUTTON, settle=0)  # "启动浏览器"
        self.assertIsNotNone(winebench.wait_for_window(h.BROWSER_TITLE, timeout=30), "the browser did not open")
        self.assertEqual(root.exit_code(), 0)
        self.assertEqual((drive / h.BROWSER_LOG).read_bytes().decode("utf-8"), "O:\\chrome.exe\tO:\\\r\n")
        h.close_browser()
        for state, image, text in shown:
            self.assertEqual(state, h.FAILED, text)
            self.assertEqual(image, h.rendered_error(text), f"the error text is not {text!r}")

    def test_programs_and_dlls_planted_beside_the_installer_are_never_used(self):
        # The installer as it lies in Downloads, with what an attacker put there, and the same
        # again in the folder it is started from.
        downloads, current = WORK / "Downloads", WORK / "current"
        planted = []
        for place in (downloads, current):
            place.mkdir()
            for name in ("cmd.exe", "tar.exe"):
                shutil.copyfile(PLANTED_PROGRAM, place / name)
                planted.append(place / name)
            for name in ("cmd.bat", "tar.bat"):
                (place / name).write_text('@echo ran> "%~f0.ran"\r\n')
                planted.append(place / name)
            for name in ("winhttp.dll", "gdiplus.dll"):
                shutil.copyfile(PLANTED_DLL, place / name)
                planted.append(place / name)
        shutil.copyfile(s.EXE, downloads / "orvane-setup.exe")
        folder = WORK / "Orvane"
        with s.service(SERVER_ROOT):
            self.release([Package("chrome.exe", content=browser_bytes()),
                          Package("locales/en-US.pak", files=LOCALES, compressed=True)])
            # With these overrides Wine looks for the DLLs as Windows does, the exe's folder first.
            # (Overriding bcrypt too would have Wine's own builtin DLLs, which import it at start,
            # take the planted one: Windows resolves those from its known DLLs.)
            session = self.start("planted", exe=downloads / "orvane-setup.exe", cwd=current,
                                 env={"ORVANE_DLL_OVERRIDES": "winhttp,gdiplus=n,b"})
            state, _ = self.install(session, folder)
        self.assertEqual(state, h.FINISHED)
        self.assertEqual(set(h.installed_files(folder)),
                         set(LOCALES) | {"chrome.exe", h.MANIFEST_NAME, h.ZIP_MEMBERS_NAME, h.UPDATER_NAME})
        self.close(session)
        self.assertEqual([p.name for p in planted if p.with_name(p.name + ".ran").exists()], [])

    # -- installs that stop -----------------------------------------------------------------

    def test_failed_package_stops_the_install_with_its_message(self):
        ok = Package("chrome.exe", content=browser_bytes())
        blocked = lambda name: lambda folder, manifest: (folder / name).mkdir(parents=True)  # noqa: E731
        cases = [
            # (label, packages, prepare(folder, manifest), expected text)
            ("missing package", [ok, Package("resources.pak", content=BIG, url_prefix="/_fault/status=404")],
             None, failure("resources.pak", "HTTP 404")),
            ("wrong digest", [ok, Package("resources.pak", content=BIG, checksum_sha256="0" * 64)],
             None, failure("resources.pak", "checksum mismatch")),
            ("corrupt zip", [ok, Package("locales/noise.pak", files={"locales/noise.pak": NOISE},
                                         compressed=True)],
             lambda folder, manifest: self.cut_zip(manifest, "locales/noise.pak"),
             failure("locales/noise.pak", "archive could not be extracted")),
            # A folder where a record goes: the write cannot land (a read-only file cannot show
            # this under Wine, which runs the tests as root and ignores the missing write bit).
            ("records blocked", [ok], blocked(h.MANIFEST_NAME), "无法写入安装记录: {folder}\\" + h.MANIFEST_NAME),
            ("updater blocked", [ok], blocked(h.UPDATER_NAME), "无法复制更新程序: {folder}\\" + h.UPDATER_NAME),
        ]
        for name, packages, prepare, expected in cases:
            with self.case(name) as sessions:
                folder = WORK / name
                with s.service(SERVER_ROOT):
                    manifest = self.release(packages)
                    if prepare:
                        prepare(folder, manifest)
                    sessions.append(session := self.start(name))
                    state, image = self.install(session, folder)
                self.assertFalse(h.desktop_shortcut().exists())
                self.assertFalse((folder / h.UPDATER_NAME).is_file())
                self.assertFalse(h.install_temp().exists(), "the downloads stayed after a failure")
                self.assert_failed_with(session, image, state,
                                        expected.format(folder=winebench.windows_path(folder)))

    def cut_zip(self, manifest, file_path):
        """Halves a stored zip and re-announces its size and digest, so that only extraction
        can notice."""
        entry = next(f for f in manifest["files"] if f["file_path"] == file_path)
        stored = layout.stored_file(SERVER_ROOT, entry["download_url"])
        data = stored.read_bytes()[:stored.stat().st_size // 2]
        stored.write_bytes(data)
        entry["file_size"] = len(data)
        entry["zip_checksum"] = sha256_hex(data)
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

    def test_cancels_wait_for_a_move_and_a_cut_reinstall_is_fetched_whole_by_the_updater(self):
        folder = WORK / "cancel extraction"
        packages = [Package("big.pak", content=NOISE * 8),
                    Package("many/000/00000.bin", files=MANY, compressed=True),
                    Package("chrome.exe", content=browser_bytes())]
        expected = {**MANY, "big.pak": NOISE * 8, "chrome.exe": browser_bytes()}
        with s.service(SERVER_ROOT) as server:
            manifest = self.release(packages)
            # A cancel while a file is moved into the folder waits for the move, past the grace
            # a download gets, and then ends.
            pause = winebench.PausePoint("placing", PAUSES)
            session = self.start("cancel while placing", env=pause.env())
            self.install(session, folder, until=(h.WORKING,))
            self.assertTrue(pause.wait_reached(), "the first file was never placed")
            session.click(s.MAIN_BUTTON, settle=0)  # "取消"
            self.assertTrue(session.window_gone(timeout=5), "the window stayed after cancel")
            time.sleep(4)
            self.assertIsNone(session.process.poll(), "the installer ended in the middle of a move")
            pause.resume()
            self.assertEqual(session.exit_code(), 0)
            self.assertEqual((folder / "big.pak").read_bytes(), NOISE * 8)
            self.assert_no_install_records(folder)

            session = self.start("whole install")
            self.assertEqual(self.install(session, folder, timeout=4 * INSTALL_TIMEOUT)[0], h.FINISHED)
            self.close(session)
            # The same release again, cancelled in the middle of the big zip's extraction while
            # the next package (slow now) downloads beside it: the files are half rewritten under
            # records that still say "whole".
            slow = f"/_fault/slow={max(1, len(browser_bytes()) // 20)}"
            packages[2] = Package("chrome.exe", content=browser_bytes(), url_prefix=slow)
            manifest = self.release(packages)
            session = self.start("cancel extraction")
            began = time.time()
            self.install(session, folder, until=(h.WORKING,))
            # tar keeps the zip's times; the change time says which files it wrote again.
            first = folder / next(iter(MANY))
            deadline = time.monotonic() + INSTALL_TIMEOUT
            while not (h.extractions() and first.stat().st_ctime >= began):
                self.assertLess(time.monotonic(), deadline, "the extraction did not start")
                time.sleep(0.02)
            while not any(path.startswith(slow) for _, path, _ in server.requests()):
                self.assertLess(time.monotonic(), deadline, "the next package did not start downloading")
                time.sleep(0.02)
            started = time.monotonic()
            session.click(s.MAIN_BUTTON, settle=0)  # "取消"
            self.assertTrue(session.window_gone(timeout=5), "the window stayed after cancel")
            self.assertEqual(session.exit_code(timeout=max(0.1, started + 5 - time.monotonic())), 0)
            self.assertEqual(h.extractions(), [], "tar went on after the installer ended")
            self.assertFalse(h.install_temp().exists(), "the downloads stayed after a cancel")
            rewritten = sum(1 for p in folder.rglob("*.bin") if p.stat().st_ctime >= began)
            self.assertLess(rewritten, len(MANY), "the extraction was not cut short")
            time.sleep(1)
            self.assertEqual(sum(1 for p in folder.rglob("*.bin") if p.stat().st_ctime >= began),
                             rewritten, "files still appear")
            self.assertTrue((folder / h.MANIFEST_NAME).exists())
            self.assertIn("untrusted", (folder / h.MARKER_NAME).read_text())

            # The updater trusts nothing it finds: every package comes again.
            asked = len(server.requests())
            updater = self.start("update after a cut reinstall", "--update", exe=folder / h.UPDATER_NAME)
            deadline = time.monotonic() + 6 * INSTALL_TIMEOUT
            while not h.bar_full(h.capture(updater.window)):
                self.assertLess(time.monotonic(), deadline, "the update never finished")
                time.sleep(0.5)
            updater.key("alt+F4")
            self.assertEqual(updater.exit_code(), 0)
        fetched = {path for _, path, _ in server.requests()[asked:]}
        for file in manifest["files"]:
            self.assertIn(file["download_url"].removeprefix(BASE_URL), fetched)
        installed = h.installed_files(folder)
        self.assertEqual({p: installed.get(p) for p in expected},
                         {p: sha256_hex(data) for p, data in expected.items()})
        self.assertFalse((folder / h.MARKER_NAME).exists())


if __name__ == "__main__":
    runner.main()
