"""Checks the release service, its test bench routes and the release builder against real
clients: http.client, ssl, curl and openssl. Run: python3 tools/test_release_service.py"""
import hashlib
import http.client
import json
import os
import pathlib
import signal
import socket
import ssl
import subprocess
import sys
import tempfile
import threading
import time
import unittest
import urllib.request
import zipfile

from orvane_release.build import DROP, Package, build_release, build_release_from_folder, write_manifest
from orvane_release.certificates import CERT_KINDS, make_certificate
from orvane_release.digest import sha256_hex
from orvane_release.faults import GEN_PERIOD, gen_bytes, gen_bytes_sha256
from orvane_release.layout import stored_file
from orvane_release.service import REQUEST_LOG_NAME, ReleaseServer
from orvane_release.zips import make_zip_raw
from support import runner

TOOLS = pathlib.Path(__file__).resolve().parent
# The test bench's command line: the service with the fault routes.
BENCH_COMMAND = [sys.executable, "-m", "orvane_release.faults"]
API_PATH = "/api/v1/public/software/orvane_browser_150/latest?channel=stable"
MIB = 1024 * 1024
BIG_FILE_SIZE = 600 * 1024 + 17  # spans several read chunks, not a multiple of any
TIMEOUT = 10
UTF8_NAME_FLAG = 0x800


def fetch(port, path, method="GET", connection=None):
    """(status, headers, body) over a fresh or given http.client connection."""
    conn = connection or http.client.HTTPConnection("127.0.0.1", port, timeout=TIMEOUT)
    try:
        conn.request(method, path)
        response = conn.getresponse()
        return response.status, response.headers, response.read()
    finally:
        if connection is None:
            conn.close()


def raw_exchange(port, path):
    """(header block, every byte after it, how the connection ended: "eof" or "reset"),
    read straight off the socket, for faults http.client would hide. The request asks the
    server to close afterwards, so the end of the bytes is the end of the answer."""
    with socket.create_connection(("127.0.0.1", port), timeout=TIMEOUT) as sock:
        sock.sendall(f"GET {path} HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n".encode())
        received = bytearray()
        ending = "eof"
        while True:
            try:
                piece = sock.recv(65536)
            except ConnectionResetError:
                ending = "reset"
                break
            if not piece:
                break
            received += piece
    head, _, rest = bytes(received).partition(b"\r\n\r\n")
    return head.decode("latin-1"), rest, ending


def header_lines(head):
    return {line.split(":", 1)[0].lower(): line.split(":", 1)[1].strip()
            for line in head.split("\r\n")[1:]}


class ServerTestCase(unittest.TestCase):
    """One plain HTTP server over a small release folder for the whole class."""

    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.root = pathlib.Path(cls.tmp.name)
        cls.big = os.urandom(BIG_FILE_SIZE)
        cls.files = {
            "plain.bin": cls.big,
            "sub dir/中文 名.txt": "汉字\n".encode(),
            "empty.bin": b"",
        }
        for name, data in cls.files.items():
            path = cls.root / "files" / name
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_bytes(data)
        # A sibling whose name starts like the served folder: outside it all the same.
        (cls.root / "files.secret").mkdir()
        (cls.root / "files.secret" / "x").write_bytes(b"secret")
        cls.manifest = '{"version": "1.2.3", "changelog": "修复"}\n'.encode()
        write_manifest(cls.root, cls.manifest)
        cls.server = ReleaseServer(cls.root).start()
        cls.port = cls.server.port

    @classmethod
    def tearDownClass(cls):
        cls.server.stop()
        cls.tmp.cleanup()


class ContentTests(ServerTestCase):
    def test_api_serves_manifest_bytes(self):
        status, headers, body = fetch(self.port, API_PATH)
        self.assertEqual((status, body), (200, self.manifest))
        self.assertEqual(headers["Content-Type"], "application/json")
        self.assertEqual(headers["Content-Length"], str(len(self.manifest)))

    def test_api_other_shapes_are_not_found(self):
        for path in [
            "/api/v1/public/software/orvane_browser_150/latest?channel=beta",
            "/api/v1/public/software/orvane_browser_150/latest",
            "/api/v1/public/software/other/latest?channel=stable",
            "/api/v1/public/software/orvane_browser_150/latest/x?channel=stable",
            "/api/v1/public/software/../orvane_browser_150/latest?channel=stable",
            "/api/v1/public/software/orvane_browser_150/latest?channel=../../files/plain",
            "/api/v1/public/software/orvane_browser_150/latest?channel=stable&channel=stable",
        ]:
            with self.subTest(path=path):
                self.assertEqual(fetch(self.port, path)[0], 404)

    def test_files_are_byte_exact(self):
        for name, data in self.files.items():
            with self.subTest(name=name):
                status, headers, body = fetch(self.port, "/files/" + urllib.request.quote(name))
                self.assertEqual(status, 200)
                self.assertEqual(headers["Content-Length"], str(len(data)))
                self.assertEqual(body, data)

    def test_paths_leaving_files_are_not_found(self):
        for path in ["/files/../api/orvane_browser_150/stable.json", "/files/%2e%2e/" + REQUEST_LOG_NAME,
                     "/files/..%2f..%2f..%2fetc%2fpasswd", "/files//etc/passwd", "/files/%2fetc%2fpasswd",
                     "/files/../files.secret/x", "/files/%2e%2e%2ffiles.secret%2fx",
                     "/files/", "/files/sub%20dir", "/files/plain.bin%00", "/files/missing"]:
            with self.subTest(path=path):
                self.assertEqual(fetch(self.port, path)[0], 404)

    def test_other_paths_are_not_found(self):
        for path in ["/", "/gen/", "/gen/abc", "/gen/-1", "/gen/1.5", "/api/v1/public/software/", "/nothing"]:
            with self.subTest(path=path):
                self.assertEqual(fetch(self.port, path)[0], 404)

    def test_gen_size_and_digest(self):
        for n in [0, 1, 251, GEN_PERIOD - 1, GEN_PERIOD, GEN_PERIOD + 1, 3 * MIB + 5]:
            with self.subTest(n=n):
                status, headers, body = fetch(self.port, f"/gen/{n}")
                self.assertEqual((status, len(body)), (200, n))
                self.assertEqual(headers["Content-Length"], str(n))
                self.assertEqual(hashlib.sha256(body).hexdigest(), gen_bytes_sha256(n))

    def test_gen_does_not_repeat_at_round_offsets(self):
        # A client resuming at a wrong power-of-two offset must end up with wrong bytes.
        data = gen_bytes(4 * MIB)
        for size in [4096, 65536, MIB, 2 * MIB]:
            with self.subTest(size=size):
                self.assertNotEqual(data[:size], data[size:2 * size])

    def test_gen_is_fast(self):
        size = 600 * MIB
        started = time.monotonic()
        out = subprocess.run(["curl", "-sS", "-o", "/dev/null", "-w", "%{size_download}",
                              f"http://127.0.0.1:{self.port}/gen/{size}"],
                             capture_output=True, text=True, timeout=60)
        elapsed = time.monotonic() - started
        self.assertEqual(out.stdout, str(size))
        self.assertLess(elapsed, 6, "600 MiB should take well under a second or two")

    def test_head_announces_length_without_body(self):
        status, headers, body = fetch(self.port, "/files/plain.bin", method="HEAD")
        self.assertEqual((status, body), (200, b""))
        self.assertEqual(headers["Content-Length"], str(BIG_FILE_SIZE))

    def test_keep_alive_reuses_one_connection(self):
        conn = http.client.HTTPConnection("127.0.0.1", self.port, timeout=TIMEOUT)
        answers = [fetch(self.port, path, connection=conn)[::2]
                   for path in [API_PATH, "/gen/10", "/nothing", "/files/plain.bin"]]
        first_socket = conn.sock
        self.assertEqual(fetch(self.port, "/gen/3", connection=conn)[0], 200)
        self.assertIs(conn.sock, first_socket)
        conn.close()
        self.assertEqual([a[0] for a in answers], [200, 200, 404, 200])
        self.assertEqual(answers[3][1], self.big)


class FaultTests(ServerTestCase):
    def test_status(self):
        for code in [200, 302, 404, 416, 500, 503]:
            with self.subTest(code=code):
                status, headers, body = fetch(self.port, f"/_fault/status={code}/files/plain.bin")
                self.assertEqual((status, body), (code, f"fault {code}\n".encode()))
                self.assertNotIn("Location", headers)

    def test_bodyless_status_leaves_connection_usable(self):
        for code in [204, 304]:
            with self.subTest(code=code):
                head, rest, _ = raw_exchange(self.port, f"/_fault/status={code}/gen/100")
                self.assertTrue(head.startswith(f"HTTP/1.1 {code} "))
                self.assertNotIn("content-length", header_lines(head))
                self.assertEqual(rest, b"")
                conn = http.client.HTTPConnection("127.0.0.1", self.port, timeout=TIMEOUT)
                self.assertEqual(fetch(self.port, f"/_fault/status={code}/gen/100", connection=conn)[::2],
                                 (code, b""))
                self.assertEqual(fetch(self.port, "/gen/5", connection=conn)[::2], (200, gen_bytes(5)))
                conn.close()

    def test_empty(self):
        status, headers, body = fetch(self.port, "/_fault/empty/files/plain.bin")
        self.assertEqual((status, headers["Content-Length"], body), (200, "0", b""))

    def test_truncate_ends_orderly_after_k_bytes(self):
        head, rest, ending = raw_exchange(self.port, "/_fault/truncate=1000/files/plain.bin")
        self.assertEqual(header_lines(head)["content-length"], str(BIG_FILE_SIZE))
        self.assertEqual((rest, ending), (self.big[:1000], "eof"))
        with self.assertRaises(http.client.IncompleteRead) as caught:
            fetch(self.port, "/_fault/truncate=1000/files/plain.bin")
        self.assertEqual(caught.exception.partial, self.big[:1000])

    def test_close_resets_after_k_bytes(self):
        head, rest, ending = raw_exchange(self.port, "/_fault/close=5000/files/plain.bin")
        self.assertEqual(header_lines(head)["content-length"], str(BIG_FILE_SIZE))
        self.assertEqual(ending, "reset")
        self.assertEqual(rest, self.big[:len(rest)])
        self.assertLessEqual(len(rest), 5000)
        with self.assertRaises((http.client.IncompleteRead, ConnectionResetError)):
            fetch(self.port, "/_fault/close=5000/files/plain.bin")

    def test_chunked(self):
        head, rest, _ = raw_exchange(self.port, "/_fault/chunked/files/plain.bin")
        headers = header_lines(head)
        self.assertEqual(headers["transfer-encoding"], "chunked")
        self.assertNotIn("content-length", headers)
        self.assertTrue(rest.endswith(b"\r\n0\r\n\r\n"))
        for path, data in [("/files/plain.bin", self.big), ("/files/empty.bin", b""), ("/gen/70000", gen_bytes(70000))]:
            with self.subTest(path=path):
                conn = http.client.HTTPConnection("127.0.0.1", self.port, timeout=TIMEOUT)
                self.assertEqual(fetch(self.port, "/_fault/chunked" + path, connection=conn)[::2], (200, data))
                self.assertEqual(fetch(self.port, "/gen/5", connection=conn)[::2], (200, gen_bytes(5)))
                conn.close()

    def test_chunked_truncated_has_no_last_chunk(self):
        with self.assertRaises(http.client.IncompleteRead):
            fetch(self.port, "/_fault/chunked,truncate=100000/files/plain.bin")

    def test_extra_bytes_follow_the_announced_body(self):
        head, rest, ending = raw_exchange(self.port, "/_fault/extra=7/gen/1000")
        headers = header_lines(head)
        self.assertEqual((headers["content-length"], headers["connection"]), ("1000", "close"))
        self.assertEqual((rest, ending), (gen_bytes(1000) + b"XXXXXXX", "eof"))

    def test_slow_takes_about_size_over_rate(self):
        for path in ["/_fault/slow=100000/gen/100000", "/_fault/chunked,slow=100000/gen/100000"]:
            with self.subTest(path=path):
                started = time.monotonic()
                status, _, body = fetch(self.port, path)
                elapsed = time.monotonic() - started
                self.assertEqual((status, body), (200, gen_bytes(100000)))
                self.assertTrue(0.8 <= elapsed <= 3, elapsed)

    def test_delay_holds_back_headers(self):
        conn = http.client.HTTPConnection("127.0.0.1", self.port, timeout=TIMEOUT)
        started = time.monotonic()
        conn.request("GET", "/_fault/delay=0.5/gen/10")
        response = conn.getresponse()
        elapsed = time.monotonic() - started
        self.assertEqual((response.status, response.read()), (200, gen_bytes(10)))
        conn.close()
        self.assertTrue(0.5 <= elapsed <= 3, elapsed)

    def test_faults_apply_to_every_route(self):
        for path in ["/_fault/truncate=3" + API_PATH, "/_fault/truncate=3/gen/100",
                     "/_fault/truncate=3/files/plain.bin"]:
            with self.subTest(path=path):
                with self.assertRaises(http.client.IncompleteRead) as caught:
                    fetch(self.port, path)
                self.assertEqual(len(caught.exception.partial), 3)

    def test_nested_prefixes_combine(self):
        self.assertEqual(fetch(self.port, "/_fault/status=503/_fault/delay=0.1/gen/5")[::2], (503, b"fault 503\n"))

    def test_bad_faults_are_refused(self):
        for item in ["bogus", "status=abc", "status=99", "truncate", "empty=1", "slow=0",
                     "delay=-1", "truncate=1,close=1", ""]:
            with self.subTest(item=item):
                status, _, body = fetch(self.port, f"/_fault/{item}/gen/10")
                self.assertEqual(status, 400)
                self.assertTrue(body.startswith(b"bad fault"))


class RequestLogTests(ServerTestCase):
    def test_log_in_memory_and_file(self):
        self.server.clear_requests()
        fetch(self.port, API_PATH)
        fetch(self.port, "/nothing?x=1")
        fetch(self.port, "/_fault/status=500/gen/1")
        fetch(self.port, "/gen/1", method="HEAD")
        expected = [("GET", API_PATH, 200), ("GET", "/nothing?x=1", 404),
                    ("GET", "/_fault/status=500/gen/1", 500), ("HEAD", "/gen/1", 200)]
        self.assertEqual(self.server.requests(), expected)
        self.assertEqual((self.root / REQUEST_LOG_NAME).read_text().splitlines(),
                         [f"{m} {p} {s}" for m, p, s in expected])
        self.server.clear_requests()
        self.assertEqual((self.server.requests(), (self.root / REQUEST_LOG_NAME).read_text()), ([], ""))


class StopTests(unittest.TestCase):
    def test_stop_ends_slow_responses_quickly(self):
        with tempfile.TemporaryDirectory() as root:
            server = ReleaseServer(root).start()
            outcome = []

            def slow_client():
                try:
                    fetch(server.port, "/_fault/slow=1000/gen/1000000")
                    outcome.append("completed")
                except (http.client.HTTPException, OSError):
                    outcome.append("cut")

            client = threading.Thread(target=slow_client)
            client.start()
            time.sleep(0.3)
            started = time.monotonic()
            server.stop()
            self.assertLess(time.monotonic() - started, 1.0)
            client.join(TIMEOUT)
            self.assertEqual(outcome, ["cut"])

    def test_stop_closes_idle_kept_alive_connections(self):
        with tempfile.TemporaryDirectory() as root:
            server = ReleaseServer(root).start()
            conn = http.client.HTTPConnection("127.0.0.1", server.port, timeout=TIMEOUT)
            self.assertEqual(fetch(server.port, "/gen/1", connection=conn)[0], 200)
            server.stop()
            conn.sock.settimeout(2)
            try:
                self.assertEqual(conn.sock.recv(1), b"")
            except ConnectionResetError:
                pass
            finally:
                conn.close()


# kind -> (text `openssl x509 -text` must show, text it must not, error when verifying
# against the certificate itself with the host name checked; None: verifies)
TLS_EXPECTATIONS = {
    "localhost": (["Subject: CN = 127.0.0.1", "IP Address:127.0.0.1, DNS:localhost",
                   "Digital Signature, Key Encipherment", "TLS Web Server Authentication"],
                  ["Client Authentication"], None),
    "other-host": (["Subject: CN = other.example", "DNS:other.example", "TLS Web Server Authentication"],
                   ["127.0.0.1"], "IP address mismatch"),
    "expired": (["CN = 127.0.0.1", "Not Before: Jan  1 00:00:00 2020 GMT", "Not After : Jan  1 00:00:00 2021 GMT",
                 "IP Address:127.0.0.1"], [], "certificate has expired"),
    "wrong-usage": (["CN = 127.0.0.1", "Digital Signature, Key Encipherment", "TLS Web Client Authentication"],
                    ["Server Authentication"], "unsuitable certificate purpose"),
    # Issued by the test CA, whose certificate the file holds after it (the chain the server
    # sends): trusting the file trusts the CA.
    "ca-issued": (["Subject: OU = ca-issued, CN = localhost", "Issuer: O = Orvane test bench, CN = Orvane Test CA",
                   "DNS:localhost, IP Address:127.0.0.1", "TLS Web Server Authentication"], [], None),
}


class TlsTests(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.root = pathlib.Path(cls.tmp.name)
        cls.payload = os.urandom(300000)
        (cls.root / "files").mkdir()
        (cls.root / "files" / "p.bin").write_bytes(cls.payload)

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def test_every_kind_has_its_defect_and_serves(self):
        self.assertEqual(set(TLS_EXPECTATIONS), set(CERT_KINDS))
        for kind, (shown, absent, verify_error) in TLS_EXPECTATIONS.items():
            with self.subTest(kind=kind):
                cert, key = make_certificate(self.root / "certs", kind)
                text = subprocess.run(["openssl", "x509", "-noout", "-text", "-in", cert],
                                      capture_output=True, text=True, check=True).stdout
                for needle in shown:
                    self.assertIn(needle, text)
                for needle in absent:
                    self.assertNotIn(needle, text)
                with ReleaseServer(self.root, tls=(cert, key)) as server:
                    self.assertTrue(server.url.startswith("https://127.0.0.1:"))
                    leaf = cert.read_text().split("-----END CERTIFICATE-----")[0] + "-----END CERTIFICATE-----\n"
                    self.assertEqual(self._served_certificate(server.port), ssl.PEM_cert_to_DER_cert(leaf))
                    curl = subprocess.run(["curl", "-sSk", server.url + "/files/p.bin"], capture_output=True,
                                          timeout=TIMEOUT)
                    self.assertEqual(curl.stdout, self.payload)
                    body, error = self._verified_fetch(server.port, cert)
                    if verify_error:
                        self.assertIn(verify_error, error)
                    else:
                        self.assertEqual((body, error), (self.payload, ""))

    def test_certificates_are_made_once(self):
        first = make_certificate(self.root / "once", "localhost")
        contents = [p.read_bytes() for p in first]
        self.assertEqual(make_certificate(self.root / "once", "localhost"), first)
        self.assertEqual([p.read_bytes() for p in first], contents)

    @staticmethod
    def _served_certificate(port):
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_CLIENT)
        context.check_hostname = False
        context.verify_mode = ssl.CERT_NONE
        with socket.create_connection(("127.0.0.1", port), timeout=TIMEOUT) as raw:
            with context.wrap_socket(raw) as tls:
                return tls.getpeercert(binary_form=True)

    @staticmethod
    def _verified_fetch(port, cert):
        """(body, "") or (b"", the verification error) when trusting only cert itself."""
        context = ssl.create_default_context(cafile=str(cert))
        conn = http.client.HTTPSConnection("127.0.0.1", port, context=context, timeout=TIMEOUT)
        try:
            conn.request("GET", "/files/p.bin")
            return conn.getresponse().read(), ""
        except ssl.SSLCertVerificationError as error:
            return b"", str(error)
        finally:
            conn.close()


class CommandLineTests(unittest.TestCase):
    def test_writes_url_and_stops_on_signal(self):
        for tls_kind, signum in [(None, signal.SIGTERM), ("localhost", signal.SIGINT)]:
            with self.subTest(tls_kind=tls_kind), tempfile.TemporaryDirectory() as root:
                url_file = pathlib.Path(root, "url")
                args = [*BENCH_COMMAND, "--root", root, "--url-file", url_file]
                if tls_kind:
                    args += ["--tls-kind", tls_kind, "--cert-dir", pathlib.Path(root, "certs")]
                process = subprocess.Popen(args, cwd=TOOLS, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
                try:
                    deadline = time.monotonic() + TIMEOUT
                    while not url_file.exists() and time.monotonic() < deadline and process.poll() is None:
                        time.sleep(0.05)
                    url = url_file.read_text().strip()
                    self.assertRegex(url, r"^https?://127\.0\.0\.1:\d+$")
                    self.assertEqual(url.startswith("https"), bool(tls_kind))
                    curl = subprocess.run(["curl", "-sSk", url + "/gen/1234"], capture_output=True, timeout=TIMEOUT)
                    self.assertEqual(curl.stdout, gen_bytes(1234))
                    self.assertEqual(pathlib.Path(root, REQUEST_LOG_NAME).read_text(), "GET /gen/1234 200\n")
                    process.send_signal(signum)
                    self.assertEqual(process.wait(TIMEOUT), 0)
                    self.assertEqual(process.stderr.read(), b"")
                finally:
                    if process.poll() is None:
                        process.kill()
                        process.wait()
                    process.stderr.close()


class BuilderTests(unittest.TestCase):
    def setUp(self):
        tmp = tempfile.TemporaryDirectory()
        self.addCleanup(tmp.cleanup)
        self.root = pathlib.Path(tmp.name)
        self.server = ReleaseServer(self.root).start()
        self.addCleanup(self.server.stop)

    def download(self, url):
        with urllib.request.urlopen(url, timeout=TIMEOUT) as response:
            return response.read()

    def test_plain_and_zip_packages(self):
        exe, en, zh = b"MZ exe", b"english", "中文".encode()
        manifest = build_release(self.root, self.server.url + "/", "1.2.3", [
            Package("orvane.exe", content=exe),
            Package("locales/中文.pak", files={"locales/en.pak": en, "locales/中文.pak": zh}, compressed=True),
        ], changelog="notes", min_os_version="10.0")
        status, _, body = fetch(self.server.port, API_PATH)
        self.assertEqual((status, json.loads(body)), (200, manifest))
        self.assertEqual({k: manifest[k] for k in ("version", "changelog", "channel", "min_os_version")},
                         {"version": "1.2.3", "changelog": "notes", "channel": "stable", "min_os_version": "10.0"})
        plain, packed = manifest["files"]

        self.assertEqual(self.download(plain["download_url"]), exe)
        # Named by the digest of its bytes: a URL never serves other bytes.
        self.assertEqual(plain["download_url"], f"{self.server.url}/files/{sha256_hex(exe)}/orvane.exe.bin")
        self.assertEqual((plain["file_size"], plain["checksum_sha256"], plain["zip_checksum"]),
                         (len(exe), sha256_hex(exe), sha256_hex(exe)))
        self.assertEqual((plain["compressed"], plain["sort_order"]), (False, 0))

        zipped = self.download(packed["download_url"])
        self.assertEqual((packed["file_size"], packed["zip_checksum"]), (len(zipped), sha256_hex(zipped)))
        self.assertEqual(packed["checksum_sha256"], sha256_hex(zh))
        self.assertEqual((packed["compressed"], packed["sort_order"]), (True, 1))
        archive_path = self.root / "got.zip"
        archive_path.write_bytes(zipped)
        with zipfile.ZipFile(archive_path) as archive:
            self.assertEqual({i.filename: archive.read(i) for i in archive.infolist()},
                             {"locales/en.pak": en, "locales/中文.pak": zh})
            self.assertTrue(all(i.compress_type == zipfile.ZIP_DEFLATED for i in archive.infolist()))
            utf8_flags = [bool(i.flag_bits & UTF8_NAME_FLAG) for i in archive.infolist()]
            self.assertEqual(utf8_flags, [False, True])

    def test_overrides(self):
        manifest = build_release(self.root, self.server.url, "2", [
            Package("a", content=b"a", checksum_sha256="", zip_checksum="00" * 32, sort_order=9,
                    url_prefix="/_fault/status=404", extra_members={"file_size": 99, "compressed": DROP}),
        ], extra={"changelog": DROP, "note": "x"})
        entry = manifest["files"][0]
        self.assertEqual(entry, {"file_path": "a", "file_size": 99, "checksum_sha256": "",
                                 "zip_checksum": "00" * 32, "sort_order": 9,
                                 "download_url": f"{self.server.url}/_fault/status=404/files/{sha256_hex(b'a')}/a.bin"})
        self.assertNotIn("changelog", manifest)
        self.assertEqual(manifest["note"], "x")
        self.assertEqual(fetch(self.server.port, entry["download_url"][len(self.server.url):])[0], 404)

    def test_raw_manifest_written_as_is(self):
        for raw in [b"\xff{not json", '{"version": "1"', b""]:
            with self.subTest(raw=raw):
                write_manifest(self.root, raw, channel="beta")
                status, _, body = fetch(self.server.port, API_PATH.replace("stable", "beta"))
                self.assertEqual((status, body), (200, raw if isinstance(raw, bytes) else raw.encode()))

    def test_hostile_zip_names_kept(self):
        names = ["../evil.txt", "/abs.txt", "a/../../b.txt", "ok/名.txt"]
        path = make_zip_raw(self.root / "h.zip", [(n, n.encode()) for n in names])
        with zipfile.ZipFile(path) as archive:
            self.assertEqual(archive.namelist(), names)
            self.assertEqual([archive.read(n) for n in names], [n.encode() for n in names])

    def test_from_folder(self):
        folder = self.root / "tree"
        layout = {"orvane.exe": b"exe", "b.dll": b"dll", "locales/zz.pak": b"z", "locales/aa.pak": b"a",
                  "locales/deep/x.pak": b"x"}
        for name, data in layout.items():
            (folder / name).parent.mkdir(parents=True, exist_ok=True)
            (folder / name).write_bytes(data)
        (folder / "emptydir").mkdir()

        zipped = build_release_from_folder(self.root, self.server.url, folder, "3")
        self.assertEqual([(f["file_path"], f["compressed"]) for f in zipped["files"]],
                         [("b.dll", False), ("locales/aa.pak", True), ("orvane.exe", False)])
        archive_path = stored_file(self.root, zipped["files"][1]["download_url"])
        with zipfile.ZipFile(archive_path) as archive:
            self.assertEqual(sorted(archive.namelist()), ["locales/aa.pak", "locales/deep/x.pak", "locales/zz.pak"])

        flat = build_release_from_folder(self.root, self.server.url, folder, "3", zip_dirs=False, channel="flat")
        self.assertEqual({f["file_path"]: f["checksum_sha256"] for f in flat["files"]},
                         {name: sha256_hex(data) for name, data in layout.items()})
        for entry in flat["files"]:
            self.assertEqual(sha256_hex(self.download(entry["download_url"])), entry["zip_checksum"])


if __name__ == "__main__":
    runner.main(verbosity=2)
