"""The release preset, configured and built from this source tree into a folder of the test
build: the release service addresses it refuses, and the exe it makes (small, without test
parts, starting under Wine).

    test_release_build.py <cmake> <the tested orvane-setup.exe>
"""
import pathlib
import shutil
import subprocess
import sys
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "e2e"))
sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "support"))
import installer_session as s  # noqa: E402
import winebench  # noqa: E402

CMAKE, TESTED_EXE = sys.argv[1], pathlib.Path(sys.argv[2])
BUILD = winebench.BUILD_DIR / "release-check"
GOOD_URL = "https://releases.orvane.example/api"
MAX_SIZE = 1536 * 1024
# Parts of the tested build that must not ship, as they stand in its exe (UTF-16LE).
TEST_ONLY = ["SpecialBuild".encode("utf-16-le"), "ORVANE_PAUSE_AT".encode("utf-16-le"),
             "127.0.0.1:47443".encode("ascii")]


def configure(url):
    args = [CMAKE, "--preset", "release", "-B", str(BUILD)]
    if url is not None:
        args.append(f"-DORVANE_RELEASE_BASE_URL={url}")
    return subprocess.run(args, cwd=winebench.SOURCE_DIR, capture_output=True, text=True, timeout=300)


class ReleaseBuild(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        shutil.rmtree(BUILD, ignore_errors=True)

    def test_1_refuses_a_release_service_that_is_not_public_https(self):
        cases = [
            # (address, why the configure stops)
            (None, "required"),
            ("http://releases.orvane.example", "not https"),
            ("https://127.0.0.1", "loopback or private"),
            ("https://10.0.0.1", "loopback or private"),
            ("https://192.168.1.5/api", "loopback or private"),
            ("https://localhost:8443", "names this machine"),
        ]
        for url, why in cases:
            with self.subTest(url):
                done = configure(url)
                self.assertNotEqual(done.returncode, 0)
                self.assertIn(why, done.stderr)

    def test_2_builds_a_small_exe_without_test_parts_that_starts(self):
        done = configure(GOOD_URL)
        self.assertEqual(done.returncode, 0, done.stderr)
        built = subprocess.run([CMAKE, "--build", str(BUILD)], capture_output=True, text=True,
                               timeout=900)
        self.assertEqual(built.returncode, 0, built.stdout[-3000:])
        exe = BUILD / "src" / "app" / "orvane-setup.exe"
        self.assertLessEqual(exe.stat().st_size, MAX_SIZE)
        shipped, tested = exe.read_bytes(), TESTED_EXE.read_bytes()
        for part in TEST_ONLY:
            self.assertIn(part, tested)
            self.assertNotIn(part, shipped)
        self.assertIn(GOOD_URL.encode(), shipped)
        # It runs: the window opens (the service it names is not reachable here) and closes.
        session = s.Session(name="release build", exe=exe)
        self.addCleanup(session.kill)
        session.key("alt+F4")
        self.assertTrue(session.window_gone())
        self.assertEqual(session.exit_code(), 0)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
