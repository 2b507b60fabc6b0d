"""The installed orvane-updater.exe under Wine + Xvfb against the local release service: an
installation made first, then the updater run as a person (or the system) would run it."""
import pathlib
import shutil
import sys
import time
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "support"))
import install_helpers as h  # noqa: E402
import installer_session as s  # noqa: E402
import probe  # noqa: E402
import release_builder  # noqa: E402
import winebench  # noqa: E402

Package = release_builder.Package
SERVER_ROOT = winebench.BUILD_DIR / "tests" / "e2e-update-server"
INSTALL = winebench.DRIVE_C / "e2e update" / "Orvane"
ELSEWHERE = winebench.DRIVE_C / "e2e update" / "Other"
BROWSER = winebench.BUILD_DIR / "tests" / "support" / "chrome.exe"
QUESTION_TITLE = "Orvane 更新提示"
STATUS_AREA = (40, 246, 434, 24)


def packages(version):
    zip_files = {"locales/zh-CN.pak": f"中文 {version}".encode() * 20, "locales/en.pak": b"en" * 20}
    return [Package("locales/zh-CN.pak", files=zip_files, compressed=True),
            Package("chrome.exe", content=BROWSER.read_bytes()),
            Package("orvane-config.json", content=f'{{"from":"{version}"}}'.encode()),
            Package("resources.pak", content=b"resources")]


def area(image, rect):
    left, top, width, height = rect
    return [image.rgb(x, y) for y in range(top, top + height) for x in range(left, left + width)]


def tree(root):
    return {p.relative_to(root).as_posix(): p.read_bytes() for p in root.rglob("*")
            if p.is_file() and p.name != "browser-started.txt"}


class Updater(unittest.TestCase):
    def setUp(self):
        shutil.rmtree(INSTALL.parent, ignore_errors=True)
        shutil.rmtree(SERVER_ROOT, ignore_errors=True)
        INSTALL.mkdir(parents=True)
        self.server = s.service(SERVER_ROOT).start()
        self.addCleanup(self.server.stop)
        release_builder.build_release(SERVER_ROOT, self.server.url, "1.0", packages("1.0"))
        done = probe.one({"op": "run_install", "base_url": self.server.url,
                          "install_dir": winebench.windows_path(INSTALL)})
        self.assertEqual(done["calls"][-2], {"call": "state", "value": 2})
        shutil.copyfile(s.EXE, INSTALL / "orvane-updater.exe")  # the real exe, as an install leaves it
        self.installed = tree(INSTALL)
        self.processes = []
        self.addCleanup(self.stop_processes)

    def stop_processes(self):
        for process in self.processes:
            if process.poll() is None:
                process.kill()
                process.wait()

    def start_browser(self, folder):
        folder.mkdir(parents=True, exist_ok=True)
        if not (folder / "chrome.exe").exists():
            shutil.copyfile(BROWSER, folder / "chrome.exe")
        (folder / "browser-started.txt").unlink(missing_ok=True)
        process = winebench.start_wine([folder / "chrome.exe"])
        self.processes.append(process)
        deadline = time.monotonic() + 30
        while not (folder / "browser-started.txt").exists():
            self.assertLess(time.monotonic(), deadline)
            time.sleep(0.1)
        return process

    def updater(self, *args, name):
        session = s.Session(*args, name=name, exe=INSTALL / "orvane-updater.exe")
        self.addCleanup(session.kill)
        return session

    def wait_for_finished(self, session, timeout=60):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            image = session.shot("progress")
            # Only a full bar reaches this far: at 98 % ("更新版本信息...") the fill ends 9 px
            # short of the track's end (x = 474), at 99 % 5 px.
            if winebench.close_enough(image.rgb(image.width - 44, 206), winebench.argb(0xFFA878FF), 40):
                return image
            time.sleep(1)
        self.fail("the updater did not finish")

    def rendered_status(self, text):
        return area(h.fixture_shot(f"status {text[:6]}", "state=2", "install=0", f"status={text}"),
                    STATUS_AREA)

    def test_already_current(self):
        session = self.updater("--update", name="updater current")
        image = self.wait_for_finished(session)
        session.key("alt+F4")
        self.assertTrue(session.window_gone())
        self.assertEqual(session.exit_code(), 0)
        self.assertEqual(winebench.differing_pixels(area(image, STATUS_AREA), self.rendered_status("已是最新版本！")), 0)
        self.assertEqual(tree(INSTALL), self.installed)

    def test_check_with_nothing_new_shows_nothing(self):
        process = winebench.start_wine([INSTALL / "orvane-updater.exe", "--update", "--check"])
        self.processes.append(process)
        self.assertEqual(process.wait(timeout=60), 0)
        self.assertIsNone(winebench.xdotool("search", "--onlyvisible", "--name", "Orvane"))

    def test_check_asks_then_no_changes_nothing_and_yes_updates_closing_only_our_browser(self):
        release_builder.build_release(SERVER_ROOT, self.server.url, "2.0", packages("2.0"))
        process = winebench.start_wine([INSTALL / "orvane-updater.exe", "--update", "--check"])
        self.processes.append(process)
        box = winebench.wait_for_window(QUESTION_TITLE, timeout=60, process=process)
        self.assertIsNotNone(box, "no question was asked")
        winebench.screenshot("updater question")
        winebench.xdotool("windowfocus", "--sync", box)
        winebench.xdotool("key", "--window", box, "n")
        self.assertEqual(process.wait(timeout=30), 0)
        self.assertEqual(tree(INSTALL), self.installed)

        ours = self.start_browser(INSTALL)
        other = self.start_browser(ELSEWHERE)
        self.server.clear_requests()
        process = winebench.start_wine([INSTALL / "orvane-updater.exe", "--update", "--check"])
        self.processes.append(process)
        box = winebench.wait_for_window(QUESTION_TITLE, timeout=60, process=process)
        winebench.xdotool("windowfocus", "--sync", box)
        winebench.xdotool("key", "--window", box, "Return")
        window = winebench.wait_for_window("^Orvane$", timeout=30, process=process)
        self.assertIsNotNone(window)
        session = s.Session.__new__(s.Session)
        session.name, session.process, session.window = "updater yes", process, window
        image = self.wait_for_finished(session)
        session.key("alt+F4")
        self.assertTrue(session.window_gone())
        self.assertEqual(process.wait(timeout=30), 0)
        self.assertEqual(winebench.differing_pixels(area(image, STATUS_AREA), self.rendered_status("更新完成！点击「启动浏览器」继续。")), 0)
        fetched = [p for _, p, _ in self.server.requests() if p.startswith("/files/")]
        self.assertEqual(len(fetched), 2)  # the zip and the config changed; the rest did not
        self.assertIsNotNone(ours.wait(timeout=10))  # our installation's browser was closed
        self.assertIsNone(other.poll())  # another installation's browser was left alone
        now = tree(INSTALL)
        self.assertEqual(now["locales/zh-CN.pak"], "中文 2.0".encode() * 20)
        self.assertEqual(now["resources.pak"], self.installed["resources.pak"])
        self.assertEqual(now["orvane-config.json"], b'{\n  "from": "1.0",\n  "product_version": "2.0"\n}')
        self.assertFalse([n for n in now if n.endswith((".bak", ".pending"))])

    def test_a_failure_on_the_last_package_keeps_the_browser_running_and_retry_updates(self):
        changed = packages("2.0")
        changed[3] = Package("resources.pak", content=b"resources 2.0", url_prefix="/_fault/status=404")
        release_builder.build_release(SERVER_ROOT, self.server.url, "2.0", changed)
        ours = self.start_browser(INSTALL)
        session = self.updater("--update", name="updater last fails")
        deadline = time.monotonic() + 60
        while time.monotonic() < deadline:
            image = session.shot("failed")
            if winebench.close_enough(image.rgb(60, 206), winebench.argb(0xFF181A26), 0) and \
                    image.rgb(450, 140) == winebench.argb(0xFF181A26):
                break  # no bar, no card: Failed
            time.sleep(1)
        self.assertIsNone(ours.poll())
        self.assertEqual(tree(INSTALL), self.installed)

        # The service is mended; "重试" asks again and updates.
        changed[3] = Package("resources.pak", content=b"resources 2.0")
        release_builder.build_release(SERVER_ROOT, self.server.url, "2.0", changed)
        session.click(s.MAIN_BUTTON, settle=0)
        image = self.wait_for_finished(session)
        session.key("alt+F4")
        self.assertEqual(session.exit_code(), 0)
        self.assertIsNotNone(ours.wait(timeout=10))
        now = tree(INSTALL)
        self.assertEqual(now["resources.pak"], b"resources 2.0")
        self.assertEqual(now["locales/zh-CN.pak"], "中文 2.0".encode() * 20)
        self.assertEqual(winebench.differing_pixels(area(image, STATUS_AREA), self.rendered_status("更新完成！点击「启动浏览器」继续。")), 0)

if __name__ == "__main__":
    unittest.main()
