"""The release service on this machine, for tests and for trying a release: the
latest-release API, package files, generated bodies, and transport faults that a Windows
program can provoke with nothing but a URL.

Routes (under the base URL):
  /api/v1/public/software/<id>/latest?channel=<c>  the bytes of <root>/api/<id>/<c>.json, with
                                                   the header X-Orvane-Signature: <the first
                                                   line of <c>.json.sig> when that file exists,
                                                   and X-Orvane-Key-Certificate likewise from
                                                   <c>.json.cert
  /files/<path>                                    the file <root>/files/<path>
  /gen/<n>                                         n bytes of a fixed pseudo-random pattern
Any route may be prefixed with /_fault/<item>[,<item>...]/ to spoil the answer:
  status=<code>   that status (200..599) with the body "fault <code>\n"; 204 and 304 bodiless
  empty           200 with Content-Length: 0
  truncate=<k>    the full Content-Length, k body bytes, then an orderly close (FIN)
  close=<k>       the full Content-Length, k body bytes, then a reset (RST)
  chunked         Transfer-Encoding: chunked, 64 KiB chunks and the last chunk
  slow=<rate>     the body at about rate bytes per second
  delay=<s>       s seconds (fractions allowed) before the headers
  drip=<s>        the body a piece at a time, s seconds (fractions allowed) apart; piece=<k>
                  bytes a piece (default 1)
  extra=<k>       the announced body, then k bytes "X" more, then close ("Connection: close"
                  is announced, so that a client never reads them as its next answer)
Items combine (chunked,slow=100000; chunked,truncate=10); so do nested prefixes.
A malformed item gets 400.

Every request is recorded in memory and appended to <root>/requests.log as
"<METHOD> <path> <status>", so that other processes can count requests too.

main() serves until SIGTERM or SIGINT; tests/support/release_server.py runs it as a program.
"""
import argparse
import collections
import dataclasses
import datetime
import functools
import hashlib
import http.server
import os
import pathlib
import re
import signal
import socket
import ssl
import struct
import subprocess
import tempfile
import threading
import time
import urllib.parse

from . import layout

HOST = "127.0.0.1"
API_PREFIX = "/api/v1/public/software/"
API_SUFFIX = "/latest"
FILES_PREFIX = "/files/"
GEN_PREFIX = "/gen/"
FAULT_PREFIX = "/_fault/"
REQUEST_LOG_NAME = "requests.log"
LOGGED_PATH_CHARS = 300
SIGNATURE_HEADER = "X-Orvane-Signature"
CERTIFICATE_HEADER = "X-Orvane-Key-Certificate"

FILE_CHUNK = 256 * 1024
CHUNKED_PIECE = 64 * 1024
# Pieces of a slow body go out about this often.
SLOW_TICK = 0.02
# What an extra=<k> fault appends after the body.
EXTRA_BYTE = b"X"
# A client that never sends its next request still frees its thread eventually.
CONNECTION_TIMEOUT = 120
# How quickly serve_forever notices a shutdown request.
POLL_INTERVAL = 0.05

# /gen/<n> repeats one block whose length is prime, so that the pattern never lines up
# with power-of-two offsets: a client that resumes or retries at a wrong offset gets
# different bytes instead of identical ones.
GEN_PERIOD = 1_048_573
GEN_SEED = b"orvane release server /gen pattern"
GEN_CHUNK = 1024 * 1024

# Names taken from URLs into file names: no separators, no leading dot.
SAFE_NAME = re.compile(r"^[A-Za-z0-9_\-][A-Za-z0-9_.\-]*$")
BODYLESS_STATUSES = (204, 304)


# ----------------------------------------------------------------------------------------
# Generated bodies


@functools.lru_cache(maxsize=1)
def _gen_window():
    """One period of the pattern followed by its first GEN_CHUNK bytes, so that any chunk
    of up to GEN_CHUNK bytes is a single slice, whatever its starting offset."""
    counter_blocks = (GEN_PERIOD + 31) // 32
    block = b"".join(hashlib.sha256(GEN_SEED + i.to_bytes(4, "big")).digest()
                     for i in range(counter_blocks))[:GEN_PERIOD]
    return memoryview(block + block[:GEN_CHUNK])


def gen_chunks(n, offset=0):
    """The bytes offset..n-1 of the /gen pattern, as memoryviews of up to GEN_CHUNK bytes."""
    window = _gen_window()
    position = offset
    while position < n:
        start = position % GEN_PERIOD
        length = min(GEN_CHUNK, n - position)
        yield window[start:start + length]
        position += length


def gen_bytes(n):
    """The first n bytes of the /gen pattern (for small n)."""
    return b"".join(gen_chunks(n))


def gen_bytes_sha256(n):
    """SHA-256 (lowercase hex) of the body /gen/<n> returns."""
    digest = hashlib.sha256()
    for chunk in gen_chunks(n):
        digest.update(chunk)
    return digest.hexdigest()


# ----------------------------------------------------------------------------------------
# Bodies and routes


@dataclasses.dataclass
class Body:
    size: int
    chunks: object  # callable(offset) returning an iterator of the bytes from offset on
    etag: str = None  # the validator a resumed request names in If-Range


def bytes_body(data):
    return Body(len(data), lambda offset=0: iter((data[offset:],) if data[offset:] else ()))


def file_body(path):
    def chunks(offset=0):
        with open(path, "rb") as f:
            f.seek(offset)
            while piece := f.read(FILE_CHUNK):
                yield piece
    status = os.stat(path)
    return Body(status.st_size, chunks, f'"{status.st_size:x}-{status.st_mtime_ns:x}"')


def gen_body(n):
    return Body(n, lambda offset=0: gen_chunks(n, offset), f'"gen-{n:x}"')


RANGE_FORM = re.compile(r"^bytes=(\d+)-$")


def resumed_from(range_header, if_range, body):
    """Where a Range request starts, or None when the whole body is answered: only the open
    form "bytes=N-" is served, and only while If-Range (when sent) names the body's ETag."""
    match = RANGE_FORM.match(range_header or "")
    if match is None or body.etag is None or (if_range is not None and if_range != body.etag):
        return None
    start = int(match.group(1))
    return start if start < body.size else None


@dataclasses.dataclass
class Answer:
    status: int
    content_type: str
    body: Body
    headers: dict = dataclasses.field(default_factory=dict)


def not_found():
    return Answer(404, "text/plain", bytes_body(b"not found\n"))


def route(root, target, test_routes=True):
    """What a request for target (path and query, faults already removed) gets; /gen/ only
    with test_routes."""
    parts = urllib.parse.urlsplit(target)
    path = parts.path
    if path.startswith(API_PREFIX) and path.endswith(API_SUFFIX):
        software_id = urllib.parse.unquote(path[len(API_PREFIX):-len(API_SUFFIX)])
        channels = urllib.parse.parse_qs(parts.query).get("channel", [])
        if len(channels) != 1 or not SAFE_NAME.match(software_id) or not SAFE_NAME.match(channels[0]):
            return not_found()
        manifest = layout.answer_path(root, software_id, channels[0])
        if not manifest.is_file():
            return not_found()
        # Body first: while a release is being replaced, the signature follows the body.
        answer = Answer(200, "application/json", bytes_body(manifest.read_bytes()))
        signature = layout.read_signature(manifest)
        if signature is not None:
            answer.headers[SIGNATURE_HEADER] = signature
        certificate = layout.read_certificate(manifest)
        if certificate is not None:
            answer.headers[CERTIFICATE_HEADER] = certificate
        return answer
    if path.startswith(FILES_PREFIX):
        file = _file_inside(layout.files_dir(root), urllib.parse.unquote(path[len(FILES_PREFIX):]))
        if file is None:
            return not_found()
        return Answer(200, "application/octet-stream", file_body(file))
    if test_routes and path.startswith(GEN_PREFIX):
        count = path[len(GEN_PREFIX):]
        if not count.isdigit():
            return not_found()
        return Answer(200, "application/octet-stream", gen_body(int(count)))
    return not_found()


def _file_inside(folder, relative):
    """The regular file folder/relative, or None when there is none or it lies outside folder."""
    if "\0" in relative:
        return None
    base = os.path.realpath(folder)
    full = os.path.realpath(os.path.join(base, relative))
    if not full.startswith(base + os.sep) or not os.path.isfile(full):
        return None
    return full


# ----------------------------------------------------------------------------------------
# Faults


@dataclasses.dataclass
class Faults:
    status: int = None     # answer with this status and the body "fault <status>\n"
    empty: bool = False    # answer 200 with Content-Length: 0
    truncate: int = None   # full Content-Length, this many body bytes, then a normal close
    close: int = None      # full Content-Length, this many body bytes, then a reset
    chunked: bool = False  # Transfer-Encoding: chunked instead of Content-Length
    slow: int = None       # body at about this many bytes per second
    delay: float = 0.0     # seconds before the headers
    extra: int = 0         # this many bytes after the announced body, then close
    stall: int = None      # this many body bytes, then nothing more on an open connection
    norange: bool = False  # Range is ignored: always the whole body with 200
    newetag: bool = False  # every answer carries an ETag of its own, as if the file changed
    times: int = None      # status, empty, cuts, slow and delay hold for this many requests only
    drip: float = None     # seconds between pieces of the body
    piece: int = 1         # bytes a drip sends at once

    @property
    def cut(self):
        for limit in (self.truncate, self.close, self.stall):
            if limit is not None:
                return limit
        return None


# item name -> how its value is read; None for items without a value.
FAULT_ITEMS = {
    "status": int, "empty": None, "truncate": int, "close": int,
    "chunked": None, "slow": int, "delay": float, "extra": int,
    "stall": int, "norange": None, "newetag": None, "times": int,
    "drip": float, "piece": int,
}


def parse_faults(text):
    """Faults from "item,item,..."; raises ValueError naming the first bad item."""
    faults = Faults()
    for item in text.split(","):
        name, has_value, value = item.partition("=")
        if name not in FAULT_ITEMS or bool(has_value) != (FAULT_ITEMS[name] is not None):
            raise ValueError(item)
        if FAULT_ITEMS[name] is None:
            setattr(faults, name, True)
            continue
        try:
            number = FAULT_ITEMS[name](value)
        except ValueError:
            raise ValueError(item) from None
        if number < 0 or (name in ("slow", "piece") and number == 0) or \
                (name == "status" and not 200 <= number <= 599):
            raise ValueError(item)
        setattr(faults, name, number)
    if sum(limit is not None for limit in (faults.truncate, faults.close, faults.stall)) > 1:
        raise ValueError("more than one of truncate, close and stall")
    return faults


def split_faults(target):
    """(Faults, the rest of the target) for a request target; nested prefixes add up."""
    items = []
    while target.startswith(FAULT_PREFIX):
        text, _, rest = target[len(FAULT_PREFIX):].partition("/")
        items.append(urllib.parse.unquote(text))
        target = "/" + rest
    return (parse_faults(",".join(items)) if items else Faults()), target


def _take(chunks, limit):
    for chunk in chunks:
        if limit <= 0:
            return
        piece = memoryview(chunk)[:limit]
        limit -= len(piece)
        yield piece


def _split(chunks, size):
    for chunk in chunks:
        view = memoryview(chunk)
        for start in range(0, len(view), size):
            yield view[start:start + size]


def _paced(pieces, rate, stopping):
    started = time.monotonic()
    sent = 0
    for piece in pieces:
        yield piece
        sent += len(piece)
        pause = started + sent / rate - time.monotonic()
        if pause > 0 and stopping.wait(pause):
            raise ConnectionAbortedError("server stopping")


def _dripped(pieces, interval, stopping):
    for piece in pieces:
        yield piece
        if stopping.wait(interval):
            raise ConnectionAbortedError("server stopping")


# ----------------------------------------------------------------------------------------
# HTTP


class _Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "OrvaneReleaseServer/1"
    timeout = CONNECTION_TIMEOUT

    def do_GET(self):
        self._answer(with_body=True)

    def do_HEAD(self):
        self._answer(with_body=False)

    def handle(self):
        # A client that goes away mid-response is normal here, not an error worth a trace.
        try:
            super().handle()
        except (OSError, ValueError):
            self.close_connection = True

    def log_request(self, code="-", size="-"):
        self.server.owner._record(self.command or "-", getattr(self, "path", "") or "-", int(code),
                                  getattr(self, "range_asked", None))

    def log_message(self, format, *args):
        pass

    def _answer(self, with_body):
        owner = self.server.owner
        try:
            faults, target = split_faults(self.path) if owner.test_routes else (Faults(), self.path)
        except ValueError as bad:
            answer = Answer(400, "text/plain", bytes_body(f"bad fault: {bad}\n".encode()))
            faults, target = Faults(), self.path
        else:
            answer = route(owner.root, target, owner.test_routes)
        asked = self.server.owner._count(self.path)
        if faults.times is not None and asked > faults.times:
            # What the file and the server are stays; what goes wrong with one answer passes.
            faults = Faults(norange=faults.norange, newetag=faults.newetag, chunked=faults.chunked)
        if faults.newetag and answer.body.etag is not None:
            answer.body.etag = answer.body.etag[:-1] + f'-{asked}"'
        start = None
        if answer.status == 200 and not faults.norange:
            start = resumed_from(self.headers.get("Range"), self.headers.get("If-Range"), answer.body)
        self.range_asked = self.headers.get("Range")
        if faults.status is not None:
            answer = Answer(faults.status, "text/plain", bytes_body(f"fault {faults.status}\n".encode()))
        if faults.empty:
            answer = Answer(200, answer.content_type, bytes_body(b""))
        if faults.delay and self.server.owner._stopping.wait(faults.delay):
            raise ConnectionAbortedError("server stopping")

        bodyless = answer.status in BODYLESS_STATUSES
        if start is not None:
            answer.status = 206
            answer.headers["Content-Range"] = f"bytes {start}-{answer.body.size - 1}/{answer.body.size}"
        offset = start or 0
        self.send_response(answer.status)
        if not bodyless:
            self.send_header("Content-Type", answer.content_type)
            if faults.chunked:
                self.send_header("Transfer-Encoding", "chunked")
            else:
                self.send_header("Content-Length", str(answer.body.size - offset))
            if answer.body.etag is not None:
                self.send_header("ETag", answer.body.etag)
        for name, value in answer.headers.items():
            self.send_header(name, value)
        if faults.extra:
            self.send_header("Connection", "close")
        self.end_headers()
        if with_body and not bodyless:
            self._send_body(answer.body, faults, offset)

    def _send_body(self, body, faults, offset):
        pieces = body.chunks(offset)
        if faults.cut is not None:
            pieces = _take(pieces, faults.cut)
        if faults.drip is not None:
            pieces = _dripped(_split(pieces, faults.piece), faults.drip, self.server.owner._stopping)
        elif faults.slow:
            pieces = _paced(_split(pieces, max(1, min(CHUNKED_PIECE, int(faults.slow * SLOW_TICK)))),
                            faults.slow, self.server.owner._stopping)
        elif faults.chunked:
            pieces = _split(pieces, CHUNKED_PIECE)
        for piece in pieces:
            if faults.chunked:
                self.wfile.write(b"%x\r\n" % len(piece))
                self.wfile.write(piece)
                self.wfile.write(b"\r\n")
            else:
                self.wfile.write(piece)
        if faults.close is not None:
            self._reset_connection()
            return
        if faults.stall is not None:
            # The connection stays open and silent: only the client's own patience ends it.
            self.wfile.flush()
            self.server.owner._stopping.wait(CONNECTION_TIMEOUT)
            self.close_connection = True
            return
        if faults.truncate is not None:
            self.close_connection = True
            return
        if faults.chunked:
            self.wfile.write(b"0\r\n\r\n")
        if faults.extra:
            self.wfile.write(EXTRA_BYTE * faults.extra)
            self.close_connection = True

    def _reset_connection(self):
        """Closes with a TCP reset instead of an orderly end: a linger time of zero makes
        close() send RST. The read side shares the descriptor, so it must go first."""
        self.close_connection = True
        self.connection.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
        self.rfile.close()
        self.connection.close()


class _HTTPServer(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def __init__(self, address, owner, ssl_context):
        self.owner = owner
        self.ssl_context = ssl_context
        self.connections = set()
        self.connections_lock = threading.Lock()
        super().__init__(address, _Handler)

    def get_request(self):
        connection, address = super().get_request()
        if self.ssl_context is not None:
            # The handshake happens on the first read, in the connection's own thread, so a
            # client that never completes it cannot hold up accepting others.
            connection = self.ssl_context.wrap_socket(connection, server_side=True,
                                                      do_handshake_on_connect=False)
        with self.connections_lock:
            self.connections.add(connection)
        return connection, address

    def shutdown_request(self, request):
        with self.connections_lock:
            self.connections.discard(request)
        super().shutdown_request(request)

    def cut_all_connections(self):
        with self.connections_lock:
            connections = list(self.connections)
        for connection in connections:
            try:
                # The plain socket's shutdown: it wakes the thread blocked on the connection
                # without touching TLS state that thread may be using.
                socket.socket.shutdown(connection, socket.SHUT_RDWR)
            except OSError:
                pass

    def handle_error(self, request, client_address):
        pass


class ReleaseServer:
    """The release service on host (an IPv4 address) in a background thread of this process.

    tls is None for plain HTTP or (cert_path, key_path) for HTTPS. Use it as a context
    manager, or call start() and stop().
    """

    def __init__(self, root, tls=None, port=0, host=HOST, test_routes=True, log_path=None,
                 keep_requests=None):
        """test_routes: /gen/ and /_fault/ (off when trying a release); log_path: the request
        log (default <root>/requests.log); keep_requests: how many requests requests() keeps
        (default all, for tests)."""
        self.root = pathlib.Path(root)
        self.test_routes = test_routes
        self.log_path = pathlib.Path(log_path) if log_path else self.root / REQUEST_LOG_NAME
        self._tls = tls
        self._host = host
        self._requested_port = port
        self._log = collections.deque(maxlen=keep_requests)
        self._ranges = collections.deque(maxlen=keep_requests)
        self._counts = collections.Counter()
        self._log_lock = threading.Lock()
        self._stopping = threading.Event()
        self._httpd = None
        self._thread = None

    @property
    def port(self):
        return self._httpd.server_address[1]

    @property
    def url(self):
        scheme = "https" if self._tls else "http"
        return f"{scheme}://{self._host}:{self.port}"

    def start(self):
        context = None
        if self._tls:
            context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
            context.load_cert_chain(*map(str, self._tls))
        self.root.mkdir(parents=True, exist_ok=True)
        self._stopping.clear()
        self._httpd = _HTTPServer((self._host, self._requested_port), self, context)
        self._thread = threading.Thread(target=self._httpd.serve_forever,
                                        kwargs={"poll_interval": POLL_INTERVAL},
                                        name="release-server", daemon=True)
        self._thread.start()
        return self

    def stop(self):
        """Stops accepting, ends every open connection (slow or delayed responses too)."""
        if self._httpd is None:
            return
        self._stopping.set()
        self._httpd.shutdown()
        self._httpd.server_close()
        self._httpd.cut_all_connections()
        self._thread.join()
        self._httpd = None

    def __enter__(self):
        return self.start()

    def __exit__(self, *exc):
        self.stop()

    def requests(self):
        """[(method, path with query, status), ...] in the order the answers started."""
        with self._log_lock:
            return list(self._log)

    def ranges(self):
        """[(path with query, Range header or None, status), ...] in the order of requests()."""
        with self._log_lock:
            return list(self._ranges)

    def _count(self, target):
        """How many requests for target have come, this one included (only faults ask, so
        without test routes nothing is kept)."""
        if not self.test_routes:
            return 1
        with self._log_lock:
            self._counts[target] += 1
            return self._counts[target]

    def clear_requests(self):
        with self._log_lock:
            self._log.clear()
            self._ranges.clear()
            self._counts.clear()
            self.log_path.write_text("")

    def _record(self, method, path, status, range_asked=None):
        with self._log_lock:
            self._log.append((method, path, status))
            self._ranges.append((path, range_asked, status))
            # One line per request, however long the path a client sent.
            shown = path if len(path) <= LOGGED_PATH_CHARS else path[:LOGGED_PATH_CHARS] + "..."
            shown = "".join(c if c.isprintable() else "?" for c in shown)
            with open(self.log_path, "a", encoding="utf-8") as log:
                log.write(f"{method} {shown} {status}\n")


# ----------------------------------------------------------------------------------------
# Certificates

OPENSSL = "openssl"
VALID_DAYS = 3650
# A valid certificate starts a day early, so a clock a little behind still accepts it.
VALID_LEEWAY = datetime.timedelta(days=1)
EXPIRED_START = "20200101000000Z"
EXPIRED_END = "20210101000000Z"


@dataclasses.dataclass(frozen=True)
class CertKind:
    subject: str
    subject_alt_name: str
    key_usage: str
    extended_key_usage: str
    expired: bool = False
    issued_by_ca: bool = False  # by the directory's test certificate authority, not by itself


# Kinds sharing the host name differ in OU, so that no certificate names another as issuer.
CERT_KINDS = {
    "localhost": CertKind("/CN=127.0.0.1", "IP:127.0.0.1,DNS:localhost",
                          "critical,digitalSignature,keyEncipherment", "serverAuth"),
    "other-host": CertKind("/CN=other.example", "DNS:other.example",
                           "critical,digitalSignature,keyEncipherment", "serverAuth"),
    "expired": CertKind("/OU=expired/CN=127.0.0.1", "IP:127.0.0.1,DNS:localhost",
                        "critical,digitalSignature,keyEncipherment", "serverAuth", expired=True),
    # The key itself may sign and encipher (TLS still works); only the extended usage is wrong,
    # which is what a client's "wrong usage" certificate error is about.
    "wrong-usage": CertKind("/OU=wrong-usage/CN=127.0.0.1", "IP:127.0.0.1,DNS:localhost",
                            "critical,digitalSignature,keyEncipherment", "clientAuth"),
    # What a client that verifies certificates takes once it trusts the test CA (ca_certificate):
    # addressed as https://localhost:<port> (Wine 8 does not match an IP address to a certificate).
    "ca-issued": CertKind("/OU=ca-issued/CN=localhost", "DNS:localhost,IP:127.0.0.1",
                          "critical,digitalSignature,keyEncipherment", "serverAuth", issued_by_ca=True),
}
CA_SUBJECT = "/O=Orvane test bench/CN=Orvane Test CA"

# `openssl ca` is used because OpenSSL 3.0 has no other way to give a certificate dates in
# the past (x509 -not_before/-not_after arrived in 3.2).
CA_CONFIG = """\
[ ca ]
default_ca = test_ca

[ test_ca ]
database = {work}/index.txt
new_certs_dir = {work}
rand_serial = yes
default_md = sha256
policy = policy_any
unique_subject = no
email_in_dn = no
copy_extensions = none

[ policy_any ]
organizationalUnitName = optional
commonName = supplied

[ req ]
distinguished_name = req_dn

[ req_dn ]

[ server_ext ]
basicConstraints = critical,CA:FALSE
subjectKeyIdentifier = hash
keyUsage = {kind.key_usage}
extendedKeyUsage = {kind.extended_key_usage}
subjectAltName = {kind.subject_alt_name}

[ ca_ext ]
basicConstraints = critical,CA:TRUE
keyUsage = critical,keyCertSign,cRLSign
subjectKeyIdentifier = hash
"""
CA_KIND = CertKind(CA_SUBJECT, "", "", "")


def _asn1_time(moment):
    return moment.strftime("%Y%m%d%H%M%SZ")


def make_certificate(directory, kind):
    """(cert_path, key_path) of an RSA 2048 certificate of the given kind (a key of
    CERT_KINDS), self-signed or issued by the directory's test CA, made with the openssl tool
    once per directory and kind."""
    wanted = CERT_KINDS[kind]
    issuer = ca_certificate(directory) if wanted.issued_by_ca else None
    return _make(pathlib.Path(directory), kind, wanted, "server_ext", issuer)


def ca_certificate(directory):
    """(cert_path, key_path) of the test certificate authority kept in directory (made once),
    which issues the "ca-issued" kind. A client trusts it only when told to."""
    return _make(pathlib.Path(directory), "test-ca", CA_KIND, "ca_ext", None)


def _make(directory, name, wanted, extensions, issuer):
    cert, key = directory / f"{name}.cert.pem", directory / f"{name}.key.pem"
    if cert.is_file() and key.is_file():
        return cert, key
    directory.mkdir(parents=True, exist_ok=True)
    if wanted.expired:
        start, end = EXPIRED_START, EXPIRED_END
    else:
        now = datetime.datetime.now(datetime.timezone.utc)
        start = _asn1_time(now - VALID_LEEWAY)
        end = _asn1_time(now + datetime.timedelta(days=VALID_DAYS))
    with tempfile.TemporaryDirectory(dir=directory) as work:
        config = pathlib.Path(work, "ca.cnf")
        config.write_text(CA_CONFIG.format(work=work, kind=wanted))
        pathlib.Path(work, "index.txt").write_text("")
        _openssl("req", "-new", "-newkey", "rsa:2048", "-nodes", "-config", config,
                 "-subj", wanted.subject, "-keyout", f"{work}/key.pem", "-out", f"{work}/req.csr")
        signer = ["-selfsign", "-keyfile", f"{work}/key.pem"] if issuer is None else \
            ["-cert", issuer[0], "-keyfile", issuer[1]]
        _openssl("ca", "-batch", "-config", config, *signer, "-preserveDN", "-notext",
                 "-in", f"{work}/req.csr", "-out", f"{work}/cert.pem",
                 "-startdate", start, "-enddate", end, "-extensions", extensions)
        if issuer is not None:
            # The server sends its chain: its own certificate, then the CA's.
            with open(f"{work}/cert.pem", "ab") as chain:
                chain.write(pathlib.Path(issuer[0]).read_bytes())
        # The certificate goes last: its presence means the pair is complete.
        os.replace(f"{work}/key.pem", key)
        os.replace(f"{work}/cert.pem", cert)
    return cert, key


def _openssl(*args):
    result = subprocess.run([OPENSSL, *map(str, args)], capture_output=True, text=True)
    if result.returncode != 0:
        raise RuntimeError(f"openssl {args[0]} failed: {result.stderr.strip()}")


# ----------------------------------------------------------------------------------------
# Command line


def main(argv=None):
    parser = argparse.ArgumentParser(description="Serve a release folder until SIGTERM or SIGINT.")
    parser.add_argument("--root", required=True, help="folder with api/ and files/")
    parser.add_argument("--port", type=int, default=0, help="0 lets the system choose")
    parser.add_argument("--tls-kind", choices=sorted(CERT_KINDS), help="serve HTTPS with this certificate")
    parser.add_argument("--cert-dir", help="where certificates are kept (default: <root>/certs)")
    parser.add_argument("--url-file", help="written with the base URL once listening")
    args = parser.parse_args(argv)

    tls = None
    if args.tls_kind:
        tls = make_certificate(args.cert_dir or pathlib.Path(args.root, "certs"), args.tls_kind)
    serve_until_signalled(ReleaseServer(args.root, tls=tls, port=args.port), args.url_file)
    return 0


def serve_until_signalled(server, url_file=None):
    """Starts server, prints its URL (and writes it to url_file), and stops it on SIGTERM or
    SIGINT. Raises OSError when it cannot listen."""
    stop = threading.Event()
    for signum in (signal.SIGTERM, signal.SIGINT):
        signal.signal(signum, lambda *_: stop.set())
    with server:
        if url_file:
            # Written whole and then renamed: a reader never sees half a URL.
            partial = pathlib.Path(str(url_file) + ".partial")
            partial.write_text(server.url + "\n")
            os.replace(partial, url_file)
        print(server.url, flush=True)
        while not stop.wait(1.0):
            pass

