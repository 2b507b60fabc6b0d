"""HttpClient under Wine against the local release service over HTTP and HTTPS."""
import contextlib
import hashlib
import os
import shutil
import socket
import threading
import time
import unittest

from orvane_release import certificates, service
from orvane_release.faults import gen_bytes_sha256
from support import probe, runner, winebench

WORK = winebench.DRIVE_C / "http test"
SERVER_ROOT = winebench.BUILD_DIR / "tests" / "http-server"
CERTS = winebench.BUILD_DIR / "tests" / "certs"
GET_FLAGS, DOWNLOAD_FLAGS = 0x3300, 0x3100
SMALL = os.urandom(200_000)
LARGE_SIZE = 100 * 1024 * 1024 + 12345
MEMORY_BOUND = 64 * 1024 * 1024  # far below the body: proof that it is streamed, not held


def sha256(data):
    return hashlib.sha256(data).hexdigest()


def serve_raw(reply):
    """A TCP listener that reads the request and answers `reply` (or nothing), then closes."""
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(8)

    def loop():
        while True:
            try:
                connection, _ = listener.accept()
            except OSError:
                return
            with connection:
                connection.recv(65536)
                if reply:
                    connection.sendall(reply)

    threading.Thread(target=loop, daemon=True).start()
    return listener


def accepted(text):
    """The texts a case takes: one, or a tuple of those a race between peers may give."""
    return text if isinstance(text, tuple) else (text,)


class HttpClientTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        shutil.rmtree(WORK, ignore_errors=True)
        WORK.mkdir(parents=True)
        shutil.rmtree(SERVER_ROOT, ignore_errors=True)
        (SERVER_ROOT / "files").mkdir(parents=True)
        (SERVER_ROOT / "files" / "small.bin").write_bytes(SMALL)
        cls.stack = contextlib.ExitStack()
        cls.http = cls.stack.enter_context(service.ReleaseServer(SERVER_ROOT))
        cls.https = {kind: cls.stack.enter_context(service.ReleaseServer(
            SERVER_ROOT, tls=certificates.make_certificate(CERTS, kind)))
            for kind in ("localhost", "other-host", "expired", "wrong-usage")}

    @classmethod
    def tearDownClass(cls):
        cls.stack.close()

    def path(self, name):
        return winebench.windows_path(WORK / name)

    def test_get_and_download_over_http_and_https(self):
        for label, base in {"http": self.http.url, "https": self.https["localhost"].url}.items():
            with self.subTest(label):
                target = WORK / f"small-{label}.bin"
                got, downloaded = probe.run([
                    {"op": "get", "url": base + "/files/small.bin"},
                    {"op": "download", "url": base + "/files/small.bin", "path": self.path(target.name)}])
                self.assertTrue(got["ok"])
                self.assertEqual(got["body"].encode("utf-8", "surrogateescape"), SMALL)
                self.assertEqual(got["security_flags"] & 0xFF00, GET_FLAGS)
                self.assertTrue(downloaded["ok"], downloaded["last_error"])
                self.assertEqual(target.read_bytes(), SMALL)
                self.assertEqual(downloaded["security_flags"] & 0xFF00, DOWNLOAD_FLAGS)
                self.assertEqual((downloaded["progress_total"], downloaded["progress_expected"]),
                                 (len(SMALL), len(SMALL)))
                self.assertEqual(got["last_error"], "")

    def test_each_failure_has_its_text(self):
        refused = socket.socket()
        refused.bind(("127.0.0.1", 0))  # bound, never listening: connections are refused
        silent = serve_raw(None)
        garbage = serve_raw(b"this is not http\r\n\r\n")
        bad_length = serve_raw(b"HTTP/1.1 200 OK\r\nContent-Length: 12abc\r\n\r\n" + SMALL[:20])
        base = self.http.url
        cases = [
            # (label, url, get's text, download's text; None = success)
            ("ftp scheme", "ftp://host/x", "invalid URL", "invalid URL"),
            ("upper-case scheme", "HTTPS://host/x", "invalid URL", "invalid URL"),
            ("no scheme", "host/x", "invalid URL", "invalid URL"),
            ("port out of range", "http://127.0.0.1:65536/x", "invalid URL", "invalid URL"),
            ("port without digits", "http://127.0.0.1:x/x", "invalid URL", "invalid URL"),
            ("connection refused", f"http://127.0.0.1:{refused.getsockname()[1]}/x",
             "send request failed", "send request failed"),
            ("closed without answer", f"http://127.0.0.1:{silent.getsockname()[1]}/x",
             "receive response failed", "receive response failed"),
            ("not http", f"http://127.0.0.1:{garbage.getsockname()[1]}/x",
             "receive response failed", "receive response failed"),
            ("404", base + "/files/missing.bin", "HTTP 404", "HTTP 404"),
            ("500", base + "/_fault/status=500/files/small.bin", "HTTP 500", "HTTP 500"),
            ("300, the first failing status", base + "/_fault/status=300/files/small.bin", "HTTP 300", "HTTP 300"),
            ("299 counts as success", base + "/_fault/status=299/files/small.bin", None, None),
            ("204", base + "/_fault/status=204/files/small.bin", None, "no data received"),
            ("empty 200", base + "/_fault/empty/files/small.bin", None, "no data received"),
            ("cut short of its length", base + "/_fault/truncate=1000/files/small.bin",
             "incomplete response", "incomplete download"),
            # A reset may reach the client before it has read the headers (Linux drops what the
            # socket held): the answer fails either way, never as a whole one.
            ("closed mid-body", base + "/_fault/close=1000/files/small.bin",
             ("incomplete response", "receive response failed"),
             ("incomplete download", "receive response failed")),
            # A length that is no number leaves the end of the body uncheckable: a bad answer.
            ("length not a number", f"http://127.0.0.1:{bad_length.getsockname()[1]}/x", None,
             "invalid content length"),
            ("larger than a release answer can be", f"{base}/gen/{16 * 1024 * 1024 + 1}",
             "response too large", None),
        ]
        try:
            operations = []
            for i, (_, url, _, _) in enumerate(cases):
                operations += [{"op": "new_client"}, {"op": "get", "url": url},
                               {"op": "download", "url": url, "path": self.path(f"failure {i}.bin")}]
            results = probe.run(operations)
        finally:
            for listener in (refused, silent, garbage, bad_length):
                listener.close()
        for i, (label, _, get_text, download_text) in enumerate(cases):
            got, downloaded = results[3 * i + 1], results[3 * i + 2]
            with self.subTest(label):
                self.assertEqual(got["ok"], get_text is None)
                self.assertIn(got["last_error"], accepted(get_text or ""))
                self.assertEqual(downloaded["ok"], download_text is None)
                shown = downloaded["last_error"]
                self.assertIn(shown, accepted(download_text or get_text or ""))
                target = WORK / f"failure {i}.bin"
                if download_text is None:
                    self.assertTrue(target.exists())
                elif shown == "no data received":
                    self.assertEqual(target.read_bytes(), b"")  # the empty file stays
                elif shown == "incomplete download":
                    self.assertTrue(SMALL.startswith(target.read_bytes()))  # what arrived stays
                elif shown == "invalid content length":
                    self.assertFalse(target.exists())
                else:
                    self.assertFalse(target.exists(), "no file for a request that failed")

    def test_broken_bodies_resume_and_passing_failures_are_tried_again(self):
        size = 20 * 1024 * 1024
        cut = size * 2 // 5
        gen = f"/gen/{size}"
        cases = [
            # (label, faults, stall time, statuses of the requests, Range on each after the first,
            #  last_error or None)
            ("reset at 40 %, twice", f"close={cut},times=2", None, [200, 206, 206], True, None),
            ("server ignores Range", f"truncate={cut},times=1,norange", None, [200, 200], True, None),
            ("file changed behind the URL", f"truncate={cut},times=1,newetag", None, [200, 200], True, None),
            ("stalls with the connection open", f"stall={cut},times=1", 2000, [200, 206], True, None),
            ("503 twice, then the file", "status=503,times=2", None, [503, 503, 200], False, None),
            ("408 and 429 pass too", "status=429,times=1", None, [429, 200], False, None),
            ("404 fails at once", "status=404", None, [404], False, "HTTP 404"),
            ("500 every time", "status=500", None, [500, 500, 500], False, "HTTP 500"),
            ("cut every time", "truncate=1000", None, [200, 206, 206, 206], True, "incomplete download"),
        ]
        self.http.clear_requests()
        operations = []
        for i, (_, faults, stall, _, _, _) in enumerate(cases):
            operation = {"op": "download", "url": f"{self.http.url}/_fault/{faults}{gen}",
                         "path": self.path(f"resume {i}.bin")}
            operations += [{"op": "new_client"}, dict(operation, stall_ms=stall) if stall else operation]
        results = probe.run(operations)
        for i, (label, faults, _, statuses, ranged, error) in enumerate(cases):
            downloaded = results[2 * i + 1]
            with self.subTest(label):
                asked = [(ask, status) for path, ask, status in self.http.ranges()
                         if path == f"/_fault/{faults}{gen}"]
                self.assertEqual([status for _, status in asked], statuses)
                self.assertIsNone(asked[0][0])
                self.assertTrue(all((ask or "").startswith("bytes=") == ranged for ask, _ in asked[1:]), asked)
                self.assertEqual(downloaded["last_error"] if not downloaded["ok"] else None, error)
                if error is None:
                    self.assertEqual(downloaded["digest"], gen_bytes_sha256(size))
                    with open(WORK / f"resume {i}.bin", "rb") as f:
                        self.assertEqual(hashlib.file_digest(f, "sha256").hexdigest(), downloaded["digest"])
                    (WORK / f"resume {i}.bin").unlink()

    def test_a_release_answer_that_drips_gives_up_within_its_deadline(self):
        """The answer of the release service: less than 1 KiB in a minute is a stall, and two
        minutes in all its deadline. Both run at once (each takes a minute or two). Wine does not
        shorten a read under way, so its end may come a read (at most 30 s) late."""
        size = 16 * 1024
        cases = [
            # (label, faults, elapsed seconds at least, at most)
            ("a byte every 20 s", "drip=20", 55, 100),
            ("1 KiB every 25 s, never a stall", "drip=25,piece=1024", 115, 150),
        ]
        results = {}

        def fetch(label, faults):
            started = time.monotonic()
            got = probe.one({"op": "get", "url": f"{self.http.url}/_fault/{faults}/gen/{size}"})
            results[label] = (got, time.monotonic() - started)

        threads = [threading.Thread(target=fetch, args=(label, faults)) for label, faults, _, _ in cases]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join()
        for label, _, least, most in cases:
            with self.subTest(label):
                got, elapsed = results[label]
                self.assertEqual((got["ok"], got["last_error"]), (False, "timed out"))
                self.assertGreaterEqual(elapsed, least)
                self.assertLess(elapsed, most)

    def test_the_session_asks_the_system_for_the_proxy(self):
        # Wine 8 takes WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY (Windows 8.1 and later do) but ignores
        # the user's proxy settings with it, as it does with the default setting: all the bench
        # can show is that the session opens that way and works.
        got = probe.one({"op": "get", "url": self.http.url + "/files/small.bin"})
        self.assertTrue(got["ok"])
        self.assertEqual(got["access_type"], 4)

    def test_output_file_that_cannot_be_created(self):
        downloaded = probe.one({"op": "download", "url": self.http.url + "/files/small.bin",
                                "path": self.path("no such folder/x.bin")})
        self.assertEqual((downloaded["ok"], downloaded["last_error"]), (False, "cannot create output file"))

    def test_full_disk_fails_the_download(self):
        with winebench.small_drive(self, "256k") as drive:
            downloaded = probe.one({"op": "download", "url": f"{self.http.url}/gen/{4 * 1024 * 1024}",
                                    "path": winebench.windows_path(drive / "x.bin")})
        self.assertEqual((downloaded["ok"], downloaded["last_error"]), (False, "cannot write output file"))

    def test_last_error_names_the_latest_failure_after_successes(self):
        url = self.http.url
        results = probe.run([
            {"op": "get", "url": url + "/files/missing.bin"},
            {"op": "get", "url": url + "/files/small.bin"},
            {"op": "download", "url": url + "/files/small.bin", "path": self.path("after.bin")},
            {"op": "download", "url": "ftp://x/", "path": self.path("never.bin")},
            {"op": "get", "url": url + "/files/small.bin"}])
        self.assertEqual([r["ok"] for r in results], [False, True, True, False, True])
        self.assertEqual([r["last_error"] for r in results],
                         ["HTTP 404", "HTTP 404", "HTTP 404", "invalid URL", "invalid URL"])

    def test_chunked_body_without_length(self):
        target = WORK / "chunked.bin"
        got, downloaded = probe.run([
            {"op": "get", "url": self.http.url + "/_fault/chunked/files/small.bin"},
            {"op": "download", "url": self.http.url + "/_fault/chunked/files/small.bin",
             "path": self.path(target.name)}])
        self.assertEqual(got["body"].encode("utf-8", "surrogateescape"), SMALL)
        self.assertTrue(downloaded["ok"], downloaded["last_error"])
        self.assertTrue(downloaded["progress_expected_unknown"])
        self.assertEqual(target.read_bytes(), SMALL)

    def test_certificate_policy(self):
        # Wine's WinHTTP does not check the extended key usage, so a wrong key usage passes both
        # operations here; the flag words each operation hands the platform are checked instead.
        for kind in ("other-host", "expired", "wrong-usage"):
            with self.subTest(kind):
                target = WORK / f"cert-{kind}.bin"
                url = self.https[kind].url + "/files/small.bin"
                got, downloaded = probe.run([{"op": "get", "url": url},
                                             {"op": "download", "url": url, "path": self.path(target.name)}])
                self.assertTrue(got["ok"], got["last_error"])
                self.assertEqual(got["security_flags"] & 0xFF00, GET_FLAGS)
                self.assertEqual(downloaded["security_flags"] & 0xFF00, DOWNLOAD_FLAGS)
                self.assertTrue(downloaded["ok"], downloaded["last_error"])
                self.assertEqual(target.read_bytes(), SMALL)

    def test_body_larger_than_100_mb_is_streamed_to_disk(self):
        target = WORK / "large.bin"
        downloaded, memory = probe.run([
            {"op": "download", "url": f"{self.http.url}/gen/{LARGE_SIZE}", "path": self.path(target.name)},
            {"op": "memory"}])
        self.assertTrue(downloaded["ok"], downloaded["last_error"])
        self.assertEqual(target.stat().st_size, LARGE_SIZE)
        with open(target, "rb") as f:
            self.assertEqual(hashlib.file_digest(f, "sha256").hexdigest(),
                             gen_bytes_sha256(LARGE_SIZE))
        self.assertLess(memory["peak_working_set"], MEMORY_BOUND)
        target.unlink()


if __name__ == "__main__":
    runner.main()
