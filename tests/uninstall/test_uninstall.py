"""The uninstaller (the real exe's --uninstall) on installations the install pipeline made under
Wine: the question, a held file, a kill half-way and the run after it, the browser closed, and
what is left of the folder, the Apps entry and the shortcuts."""
import shutil
import time
import unittest

from orvane_release import build as release_builder
from orvane_release.build import Package
from support import probe, runner, winebench
from support import install_helpers as h
from support import installer_session as s

SERVER_ROOT = winebench.BUILD_DIR / "tests" / "uninstall-server"
WORK = winebench.DRIVE_C / "uninstall test"
PAUSES = winebench.BUILD_DIR / "tests" / "uninstall-pauses"
BASE_URL = f"https://127.0.0.1:{s.SERVICE_PORT}"
VERSION = "150.0.7"
UNINSTALL_TIMEOUT = 60

OLD_CONFIG = b'{"version":"old","keep":1}'
LOCALES = {
    "locales/en-US.pak": b"en-US strings\n" * 500,
    "locales/zh-CN.pak": "中文字符串\n".encode("utf-8") * 500,
    "resources/theme/dark.css": b"body { background: #181a26; }\n",
}
BIG = bytes(range(256)) * 4096  # 1 MiB


class Uninstall(unittest.TestCase):
    def setUp(self):
        h.clean_slate(self, SERVER_ROOT, WORK)

    def test_uninstall_asks_then_removes_what_was_installed_even_after_a_kill(self):
        """Two installations (made by the pipeline through the probe, with the real exe as their
        updater) removed with --uninstall: a locked file, "否" and a kill half-way first."""
        packages = [Package("chrome.exe", content=h.TEST_BROWSER.read_bytes()),
                    # A zip of three files in two folders: every one of them goes, and the folders.
                    Package("locales/zh-CN.pak", files=LOCALES, compressed=True),
                    Package(h.CONFIG_NAME, content=OLD_CONFIG), Package("resources.pak", content=BIG)]

        def install(folder):
            with s.service(SERVER_ROOT):
                release_builder.build_release(SERVER_ROOT, BASE_URL, VERSION, packages)
                done = probe.one({"op": "run_install", "base_url": BASE_URL,
                                  "install_dir": winebench.windows_path(folder)})
            self.assertEqual(done["calls"][-2], {"call": "state", "value": h.FINISHED})
            shutil.copyfile(s.EXE, folder / h.UPDATER_NAME)
            # The last status says whether the entry was made; a missing one is told apart from
            # a registry that could not be read.
            entry = h.uninstall_entry()
            self.assertIsNotNone(entry, (done["calls"][-1], h.reg_query_output()))
            self.assertEqual(entry["InstallLocation"], winebench.windows_path(folder))
            return folder / h.UPDATER_NAME, h.installed_files(folder)

        def uninstall(updater, *switches, env=None):
            process = winebench.start_wine([updater, "--uninstall", *switches], env=env)
            self.addCleanup(process.kill)
            return process

        def assert_gone(folder, kept):
            self.assertEqual(h.ours_running(), [], "a program of ours ran on")
            self.assertEqual(sorted(p.name for p in folder.iterdir()) if folder.exists() else None, kept)
            self.assertIsNone(h.uninstall_entry())
            self.assertFalse(h.desktop_shortcut().exists() or h.programs_folder().exists())

        first = WORK / "first!x"  # "!" stays literal for the command processor too
        updater, installed = install(first)
        # A file held open: nothing is deleted, and the quiet run says so in its exit code.
        with probe.holding(first / "resources.pak"):
            self.assertNotEqual(uninstall(updater, "--quiet").wait(timeout=60), 0)
        self.assertEqual(h.installed_files(first), installed)
        # "否" changes nothing.
        process = uninstall(updater)
        box = winebench.wait_for_window(h.UNINSTALL_CAPTION, timeout=60, process=process)
        self.assertIsNotNone(box, "no question was asked")
        winebench.xdotool("windowfocus", "--sync", box)
        winebench.xdotool("key", "--window", box, "n")
        self.assertEqual(process.wait(timeout=30), 0)
        self.assertEqual(h.installed_files(first), installed)
        self.assertTrue(h.uninstall_entry())
        # Killed after two files, then run again: it finishes, the folder goes.
        pause = winebench.PausePoint("removing#2", PAUSES)
        killed = uninstall(updater, "--quiet", env=pause.env())
        self.assertTrue(pause.wait_reached(), "the uninstall never reached its second file")
        killed.kill()
        killed.wait()
        self.assertEqual(len(h.installed_files(first)), len(installed) - 2)
        self.assertEqual(uninstall(updater, "--quiet").wait(timeout=60), 0)
        assert_gone(first, None)

        # "是" with the browser running from the installation and a file of the person's in it.
        second = WORK / "second"
        updater, _ = install(second)
        browser = h.start_browser(second)
        self.addCleanup(browser.kill)
        (second / "notes.txt").write_text("mine")
        process = uninstall(updater)
        box = winebench.wait_for_window(h.UNINSTALL_CAPTION, timeout=60, process=process)
        winebench.xdotool("windowfocus", "--sync", box)
        winebench.xdotool("key", "--window", box, "Return")
        window = winebench.wait_for_window(h.WINDOW_TITLE, timeout=30, process=process)
        self.assertIsNotNone(window, "no window after the question")
        deadline = time.monotonic() + UNINSTALL_TIMEOUT
        while not ((image := h.capture(window)) and h.bar_full(image)):  # a full bar: Finished
            self.assertLess(time.monotonic(), deadline, "the uninstall did not finish")
            time.sleep(h.POLL)
        winebench.client_shot(window, "uninstall finished")
        self.assertIsNotNone(browser.wait(timeout=10), "the installation's browser ran on")
        winebench.xdotool("windowfocus", "--sync", window)
        winebench.xdotool("key", "--window", window, "alt+F4")
        self.assertEqual(process.wait(timeout=30), 0)
        assert_gone(second, [h.BROWSER_LOG, "notes.txt"])


if __name__ == "__main__":
    runner.main()
