"""The release preset, configured and built from this source tree into a folder of the test
build: the release service addresses and the missing key it refuses, and the exe it makes
(small, without test parts, verifying certificates, starting under Wine).

    test_release_build.py <cmake> <the tested orvane-setup.exe>
"""
import os
import pathlib
import re
import shutil
import subprocess
import sys
import unittest

from orvane_release import signing
from support import probe, runner, winebench
from support import installer_session as s

CMAKE, TESTED_EXE = sys.argv[1], pathlib.Path(sys.argv[2])
BUILD = winebench.BUILD_DIR / "release-check"
GOOD_URL = "https://releases.orvane.example/api"
MAX_SIZE = 1536 * 1024
# Parts of the tested build that must not ship, as they stand in its exe (UTF-16LE).
TEST_ONLY = ["SpecialBuild".encode("utf-16-le"), "ORVANE_PAUSE_AT".encode("utf-16-le"),
             "127.0.0.1:47443".encode("ascii")]


# What Wine's WinHTTP traces of the flag word a request sets (WINEDEBUG=+winhttp).
SECURITY_FLAGS_TRACE = re.compile(r"request_set_option (0x[0-9a-f]+|0)$")


def configure(url, key=None, build=BUILD, *options):
    shutil.rmtree(build, ignore_errors=True)
    args = [CMAKE, "--preset", "release", "-B", str(build), *options]
    if url is not None:
        args.append(f"-DORVANE_RELEASE_BASE_URL={url}")
    if key is not None:
        args.append(f"-DORVANE_RELEASE_PUBLIC_KEY={key}")
    return subprocess.run(args, cwd=winebench.SOURCE_DIR, capture_output=True, text=True, timeout=300)


class ReleaseBuild(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        shutil.rmtree(BUILD, ignore_errors=True)

    def test_1_refuses_a_release_service_that_is_not_public_https_or_a_build_without_a_key(self):
        key = signing.public_key_text(probe.RELEASE_KEY)
        cases = [
            # (address, key, why the configure stops)
            (None, key, "required"),
            ("http://releases.orvane.example", key, "not https"),
            ("https://127.0.0.1", key, "loopback or private"),
            ("https://10.0.0.1", key, "loopback or private"),
            ("https://192.168.1.5/api", key, "loopback or private"),
            ("https://localhost:8443", key, "names this machine"),
            (GOOD_URL, None, "tools/orvane-release keygen --root"),
            (GOOD_URL, key[:-4], "is not the 88 base64 characters"),
        ]
        for url, given, why in cases:
            with self.subTest(url=url, key=given):
                done = configure(url, given)
                self.assertNotEqual(done.returncode, 0)
                self.assertIn(why, done.stderr)
        # Certificates taken unverified only where answers must be signed; the version block
        # of such a build says so.
        unverified = winebench.BUILD_DIR / "release-check-unverified"
        self.addCleanup(shutil.rmtree, unverified, True)
        done = configure(GOOD_URL, None, unverified, "-DORVANE_TLS_ACCEPT_UNVERIFIED=ON")
        self.assertNotEqual(done.returncode, 0)
        self.assertIn("ORVANE_TLS_ACCEPT_UNVERIFIED needs ORVANE_RELEASE_PUBLIC_KEY", done.stderr)
        done = configure(GOOD_URL, f"{key},{key}", unverified, "-DORVANE_TLS_ACCEPT_UNVERIFIED=ON")
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertIn('#define ORVANE_SPECIAL_BUILD "Takes the release service\'s TLS certificate unverified',
                      (unverified / "src" / "app" / "version.h").read_text())

    def test_2_builds_a_small_exe_without_test_parts_that_verifies_certificates(self):
        done = configure(GOOD_URL, signing.public_key_text(probe.RELEASE_KEY))
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
        # What it tells the platform to ignore of a certificate: nothing (its service is not
        # reachable here; the request is made before the name is looked up).
        folder = winebench.DRIVE_C / "release check"
        self.addCleanup(shutil.rmtree, folder, True)
        done = subprocess.run([str(winebench.WINE_RUN), str(exe), "--quiet", "--no-shortcuts", "--dir",
                               winebench.windows_path(folder)], env={**os.environ, "WINEDEBUG": "+winhttp"},
                              stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                              timeout=300)
        trace = done.stderr.decode("utf-8", "replace").splitlines()
        flags = [m.group(1) for line in trace if (m := SECURITY_FLAGS_TRACE.search(line))]
        self.assertEqual(done.returncode, 2, trace[-20:])
        self.assertTrue(flags, trace[-20:])
        self.assertEqual(set(flags), {"0"})
        # It runs: the window opens (the service it names is not reachable here) and closes.
        session = s.Session(name="release build", exe=exe)
        self.addCleanup(session.kill)
        session.key("alt+F4")
        self.assertTrue(session.window_gone())
        self.assertEqual(session.exit_code(), 0)


if __name__ == "__main__":
    runner.main(argv=sys.argv[:1])
