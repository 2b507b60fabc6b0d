"""A worker calling all five setters in a tight loop while the window repaints, closes, and the
program ends under it: every run must end by itself with exit code 0 (no crash, no hang)."""
import subprocess
import unittest

from support import runner, winebench

FIXTURE = winebench.BUILD_DIR / "tests" / "support" / "orvane-window-fixture.exe"
CLOSE_AFTER_MS = [0, 1, 20, 100, 400, 1000, 2000] * 3
RUN_TIMEOUT = 60


class WindowStress(unittest.TestCase):
    def test_setters_from_a_worker_through_close_and_exit(self):
        codes = []
        for ms in CLOSE_AFTER_MS:
            try:
                done = winebench.run_wine([FIXTURE, f"stress={ms}"], timeout=RUN_TIMEOUT)
                codes.append(done.returncode)
            except subprocess.TimeoutExpired:
                codes.append("hung")
        self.assertEqual(codes, [0] * len(CLOSE_AFTER_MS))
        self.assertIsNone(winebench.xdotool("search", "--onlyvisible", "--name", "^Orvane$"))


if __name__ == "__main__":
    runner.main()
