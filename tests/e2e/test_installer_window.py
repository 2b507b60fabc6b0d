"""The installer's window driven by clicks and keys: the real exe under Wine + Xvfb."""
import contextlib
import shutil
import time
import unittest

from orvane_release import build as release_builder
from support import probe, runner, winebench
from support import install_helpers as h
from support import installer_session as s
from support.winebench import argb

SERVER_ROOT = winebench.BUILD_DIR / "tests" / "e2e-window-server"
WORK = winebench.DRIVE_C / "e2e window"
BACKGROUND, CARD, TRACK = argb(0xFF181A26), argb(0xFF202434), argb(0xFF323648)
ERROR, ACCENT, MUTED = argb(0xFFEB5757), argb(0xFF587EFF), argb(0xFF969EB9)
EDIT_BACKGROUND = (32, 36, 52)


def count(image, colour, rect, tolerance=40):
    left, top, width, height = rect
    return sum(1 for y in range(top, top + height) for x in range(left, left + width)
               if winebench.close_enough(image.rgb(x, y), colour, tolerance))


def windows_dir(path):
    return winebench.windows_path(path)


def error_area(image):
    return h.area(image, h.ERROR_AREA)


class InstallerWindow(unittest.TestCase):
    def setUp(self):
        shutil.rmtree(WORK, ignore_errors=True)
        WORK.mkdir(parents=True)

    def start(self, *args, name, exe=None):
        session = s.Session(*args, name=name, exe=exe)
        self.addCleanup(session.kill)
        return session

    def test_release_summary_with_and_without_the_service(self):
        shutil.rmtree(SERVER_ROOT, ignore_errors=True)
        with s.service(SERVER_ROOT) as server:
            release_builder.build_release(SERVER_ROOT, server.url, "150.0.7", [
                release_builder.Package("chrome.exe", content=b"x" * 1048576),
                release_builder.Package("a.pak", content=b"y" * 524288)])
            up = self.start(name="summary service up")
            with_summary = up.shot("ready")
            up.kill()
            self.assertTrue(any(path.startswith("/api/v1/public/software/orvane_browser_150/latest")
                                for _, path, _ in server.requests()))
        down = self.start(name="summary service down")
        without = down.shot("ready")
        # Both show the card; the version and the file line ("2 个文件  ·  1.5 MB" against
        # "0 个文件") differ in width.
        for image in (with_summary, without):
            self.assertEqual(image.rgb(450, 140), CARD)
            self.assertGreater(count(image, ACCENT, (60, 117, 300, 26)), 30)
        self.assertGreater(count(with_summary, MUTED, (60, 150, 300, 20), 30),
                           count(without, MUTED, (60, 150, 300, 20), 30) + 30)

    def test_start_with_an_empty_directory_fails_with_its_message(self):
        session = self.start(name="empty directory")
        session.set_directory("")
        session.click(s.MAIN_BUTTON)
        image = session.shot("failed")
        self.assertGreater(count(image, ERROR, (40, 200, 434, 24)), 30)
        self.assertEqual(image.rgb(60, 266), BACKGROUND)  # the edit is hidden
        # What a screen reader finds: the edit named by the label right before it, and the
        # failure in the text it is told about.
        children = [(c["id"], c["class"].upper(), c["text"]) for c in probe.one({"op": "window_children"})["children"]]
        self.assertEqual(children[:2], [(1002, "STATIC", "安装目录"), (1003, "EDIT", "")])
        self.assertIn((1005, "STATIC", "请选择安装目录"), children)
        self.assertEqual(image.rgb(450, 140), BACKGROUND)  # no card in Failed
        session.key("alt+F4")
        self.assertTrue(session.window_gone())
        self.assertEqual(session.exit_code(), 0)
        self.assertEqual(winebench.differing_pixels(error_area(image), h.rendered_error("请选择安装目录")), 0)

    def test_start_creates_the_directory_and_works_until_cancelled(self):
        target = WORK / "new" / "deeper" / "Orvane"
        with s.hanging_service():
            session = self.start(name="start and cancel")
            session.set_directory(windows_dir(target))
            session.click(s.MAIN_BUTTON)
            image = session.shot("working")
            self.assertTrue(target.is_dir())
            self.assertEqual(image.rgb(60, 206), TRACK)  # the bar at 0 %
            self.assertEqual(image.rgb(60, 266), BACKGROUND)  # no edit while working
            started = time.monotonic()
            session.click(s.MAIN_BUTTON, settle=0)  # "取消"
            self.assertTrue(session.window_gone())
            self.assertEqual(session.exit_code(), 0)  # the worker, stuck in its fetch, is not waited for
            self.assertLess(time.monotonic() - started, 10)

    def test_a_double_click_starts_and_two_clicks_apart_start_then_cancel(self):
        target = WORK / "double"
        with s.hanging_service():
            session = self.start(name="double click")
            session.set_directory(windows_dir(target))
            session.double_click(s.MAIN_BUTTON)
            time.sleep(s.SETTLE)
            image = session.shot("working after double click")
            self.assertEqual(image.rgb(60, 206), TRACK)  # still working: the bar at 0 %
            self.assertTrue(target.is_dir())
            session.kill()
            session = self.start(name="two clicks")
            session.set_directory(windows_dir(target))
            session.click(s.MAIN_BUTTON, settle=0)
            session.click(s.MAIN_BUTTON, settle=0)  # waits long enough not to be a double-click
            self.assertTrue(session.window_gone())
            self.assertEqual(session.exit_code(), 0)

    def test_keyboard_alone_types_a_directory_installs_and_closes(self):
        target = WORK / "keyboard"
        with s.hanging_service():
            session = self.start(name="keyboard")
            winebench.xdotool("mousemove", "--window", session.window, 5, 5)  # no hover anywhere
            # Ready starts on the main button; Tab goes to the edit, then 浏览..., then back.
            session.key("Tab", "End", "shift+Home", "BackSpace")
            winebench.xdotool("type", "--window", session.window, "--delay", "20", windows_dir(target))
            session.key("Tab")
            time.sleep(0.5)
            browse = session.shot("browse focused")
            session.key("Tab")
            time.sleep(0.5)
            main = session.shot("main focused")
            # The focus ring: accent on the browse button's top edge, then round the main button.
            self.assertTrue(winebench.close_enough(browse.rgb(425, 250), ACCENT, 40), browse.rgb(425, 250))
            self.assertEqual(main.rgb(425, 250), TRACK)
            self.assertTrue(winebench.close_enough(main.rgb(260, 351), ACCENT, 40), main.rgb(260, 351))
            self.assertEqual(main.rgb(260, 352), BACKGROUND)  # the gap between ring and body
            session.key("Return")
            time.sleep(s.SETTLE)
            self.assertTrue(target.is_dir())
            # Working: the focus has left "取消", so neither Enter nor Space cancels.
            session.key("Return", "space")
            time.sleep(s.SETTLE)
            working = session.shot("working")
            self.assertEqual(working.rgb(60, 206), TRACK)
            self.assertFalse(session.window_gone(timeout=0.5))
            session.key("Escape")  # as the close box
            self.assertTrue(session.window_gone())
            self.assertEqual(session.exit_code(), 0)

    def test_a_second_installer_leaves_the_first_alone_and_exits_0(self):
        with s.hanging_service():
            first = self.start(name="first installer")
            second = winebench.start_wine([s.EXE])
            self.assertEqual(second.wait(timeout=30), 0)
            windows = winebench.xdotool("search", "--onlyvisible", "--name", "^Orvane$")
            self.assertEqual(windows.splitlines(), [first.window])
            first.key("alt+F4")
            self.assertTrue(first.window_gone())
            self.assertEqual(first.exit_code(), 0)

    def test_alt_f4_closes_with_exit_code_0(self):
        with s.hanging_service():
            session = self.start(name="alt f4")
            session.key("alt+F4")
            self.assertTrue(session.window_gone())
            self.assertEqual(session.exit_code(), 0)

    def test_a_1280x600_screen_shows_the_whole_window(self):
        with winebench.screen_of_size("1280x600") as env:
            process = winebench.start_wine([s.EXE], env=env)
            self.addCleanup(process.kill)
            window = winebench.wait_for_window("^Orvane$", process=process)
            self.assertIsNotNone(window, "the window did not appear on the small screen")
            time.sleep(s.SETTLE)
            left, top, width, height = winebench.window_geometry(window)
            winebench.screenshot("small screen 1280x600")
            process.kill()
        # The X window is the client area; the frame Wine puts around it is 3 px at the sides and
        # the bottom. The outer 520x500 window sits centred on the 1280x600 work area.
        frame = (520 - width) // 2
        caption = 500 - height - frame
        self.assertEqual((left - frame, top - caption), ((1280 - 520) // 2, (600 - 500) // 2))

    def test_browse_opens_the_folder_dialog_and_escape_keeps_the_directory(self):
        with s.hanging_service():
            session = self.start(name="browse")
            before = session.shot("before")
            # Once by mouse, once by keyboard: the click left the focus on 浏览... (and it comes back
            # there when the dialog closes); three Tabs go round the main button and the edit to
            # it again, and Space presses it.
            for press in (lambda: session.click(s.BROWSE_BUTTON),
                          lambda: session.key("Tab", "Tab", "Tab", "space")):
                press()
                dialog = winebench.wait_for_window("选择 Orvane 安装目录", timeout=20, process=session.process)
                self.assertIsNotNone(dialog, "the folder dialog did not open")
                winebench.xdotool("windowfocus", "--sync", dialog)
                winebench.xdotool("key", "--window", dialog, "Escape")
                deadline = time.monotonic() + 10
                while winebench.xdotool("search", "--onlyvisible", "--name", "选择 Orvane 安装目录"):
                    self.assertLess(time.monotonic(), deadline, "the dialog did not close")
                    time.sleep(0.2)
                time.sleep(s.SETTLE)
            after = session.shot("after")
            edit = [(x, y) for x in range(40, 380) for y in range(250, 282)]
            self.assertEqual(winebench.differing_pixels([after.rgb(*p) for p in edit], [before.rgb(*p) for p in edit]), 0)
            self.assertGreater(sum(1 for p in edit if before.rgb(*p) != EDIT_BACKGROUND), 20)

    def test_update_mode_without_a_usable_answer_fails_with_its_message(self):
        """The service down, and (for a build with a release key) an answer the key did not sign:
        the person sees the same thing. An updater in a folder that holds no installation says so
        before it asks the service anything."""
        signed = winebench.BUILD_DIR / "tests" / "support" / "orvane-setup-signed.exe"
        offline = "无法获取版本信息，请检查网络连接"
        cases = [("service down", s.EXE, False, True, offline),
                 ("unsigned answer, signed build", signed, True, True, offline),
                 ("outside an installation", s.EXE, True, False, None)]
        for label, exe, serve, installed, message in cases:
            with self.subTest(label), contextlib.ExitStack() as stack:
                if serve:
                    shutil.rmtree(SERVER_ROOT, ignore_errors=True)
                    server = stack.enter_context(s.service(SERVER_ROOT))
                    release_builder.build_release(SERVER_ROOT, server.url, "2.0",
                                                  [release_builder.Package("chrome.exe", content=b"MZ")])
                # Update mode works on the folder of the exe: run a copy, never the build's own exe.
                updater = WORK / label / "orvane-updater.exe"
                updater.parent.mkdir(parents=True)
                shutil.copyfile(exe, updater)
                if installed:
                    (updater.parent / h.MANIFEST_NAME).write_bytes(h.manifest_text("1.0", "stable", []))
                before = sorted(p.name for p in updater.parent.iterdir())
                session = self.start("--update", name=f"update mode {label}", exe=updater)
                deadline = time.monotonic() + 60
                image = session.shot("failed")
                while image.rgb(450, 140) == CARD:  # still checking: the card goes in Failed
                    self.assertLess(time.monotonic(), deadline, "update mode did not fail")
                    time.sleep(1)
                    image = session.shot("failed")
                session.key("alt+F4")
                self.assertTrue(session.window_gone())
                text = message or "此文件夹中没有 Orvane 安装: " + windows_dir(updater.parent)
                self.assertEqual(winebench.differing_pixels(error_area(image), h.rendered_error(text)), 0)
                self.assertEqual(sorted(p.name for p in updater.parent.iterdir()), before)
                # The window told the person; a window closed by them ends the run with 0.
                self.assertEqual(session.exit_code(), 0)

if __name__ == "__main__":
    runner.main()
