"""Finding and closing the browser's processes under Wine: real chrome.exe processes (the test
browser) running from two installations; only the one asked for is closed."""
import shutil
import unittest

from support import fixtures, probe, runner, winebench

WORK = winebench.DRIVE_C / "browser processes"
GRACE_AND_SETTLE_MS = 3000 + 1000


class BrowserProcesses(unittest.TestCase):
    def setUp(self):
        shutil.rmtree(WORK, ignore_errors=True)

    def start_browser(self, folder):
        return fixtures.start_browser(self, folder)

    def test_closes_only_the_installation_asked_for(self):
        ours = self.start_browser(WORK / "Orvane")
        other = self.start_browser(WORK / "Other")
        found = probe.one({"op": "find_browsers"})["processes"]
        paths = sorted(p["path"] for p in found)
        self.assertEqual(paths, [winebench.windows_path(WORK / "Orvane" / "chrome.exe"),
                                 winebench.windows_path(WORK / "Other" / "chrome.exe")])

        # The path compared ignores the case of A-Z only.
        asked = winebench.windows_path(WORK / "orvane" / "CHROME.EXE")
        closed = probe.one({"op": "close_browser", "path": asked})
        self.assertTrue(closed["ok"])
        self.assertGreaterEqual(closed["elapsed_ms"], GRACE_AND_SETTLE_MS)  # it had its grace time
        self.assertIsNotNone(ours.wait(timeout=10))  # ended (terminated)
        self.assertIsNone(other.poll())
        left = [p["path"] for p in probe.one({"op": "find_browsers"})["processes"]]
        self.assertEqual(left, [winebench.windows_path(WORK / "Other" / "chrome.exe")])

    def test_nothing_to_close_returns_at_once(self):
        closed = probe.one({"op": "close_browser", "path": "C:\\nowhere\\chrome.exe"})
        self.assertTrue(closed["ok"])
        self.assertLess(closed["elapsed_ms"], 1000)  # no grace wait, no settle pause

    def test_an_empty_path_closes_every_browser(self):
        first = self.start_browser(WORK / "a")
        second = self.start_browser(WORK / "b")
        self.assertTrue(probe.one({"op": "close_browser", "path": ""})["ok"])
        self.assertIsNotNone(first.wait(timeout=10))
        self.assertIsNotNone(second.wait(timeout=10))
        self.assertEqual(probe.one({"op": "find_browsers"})["processes"], [])


if __name__ == "__main__":
    runner.main()
