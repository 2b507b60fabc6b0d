"""The release service on this machine, for tests and for trying a release: the
latest-release API and the package files of a built root (faults.py adds the test bench's
routes, certificates.py its TLS certificates).

Routes (under the base URL):
  /api/v1/public/software/<id>/latest?channel=<c>  the bytes of <root>/api/<id>/<c>.json, with
                                                   the header X-Orvane-Signature: <the first
                                                   line of <c>.json.sig> when that file exists,
                                                   and X-Orvane-Key-Certificate likewise from
                                                   <c>.json.cert
  /files/<path>                                    the file <root>/files/<path>

Every request is recorded in memory and appended to <root>/requests.log as
"<METHOD> <path> <status>", so that other processes can count requests too.

`orvane-release serve` and the test bench (python3 -m orvane_release.faults) run it until
SIGTERM or SIGINT.
"""
import collections
import dataclasses
import http.server
import os
import pathlib
import re
import signal
import socket
import ssl
import threading
import urllib.parse

from . import layout

HOST = "127.0.0.1"
API_PREFIX = "/api/v1/public/software/"
API_SUFFIX = "/latest"
FILES_PREFIX = "/files/"
REQUEST_LOG_NAME = "requests.log"
LOGGED_PATH_CHARS = 300
SIGNATURE_HEADER = "X-Orvane-Signature"
CERTIFICATE_HEADER = "X-Orvane-Key-Certificate"

FILE_CHUNK = 256 * 1024
# A client that never sends its next request still frees its thread eventually.
CONNECTION_TIMEOUT = 120
# How quickly serve_forever notices a shutdown request.
POLL_INTERVAL = 0.05


# Names taken from URLs into file names: no separators, no leading dot.
SAFE_NAME = re.compile(r"^[A-Za-z0-9_\-][A-Za-z0-9_.\-]*$")
BODYLESS_STATUSES = (204, 304)


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


def route(root, target):
    """What a request for target (path and query, faults already removed) gets."""
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
# HTTP


class Handler(http.server.BaseHTTPRequestHandler):
    """The service's routes, answered as they are (faults.FaultHandler adds the test routes)."""
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
        answer = route(self.server.owner.root, self.path)
        self.range_asked = self.headers.get("Range")
        start = None
        if answer.status == 200:
            start = resumed_from(self.range_asked, self.headers.get("If-Range"), answer.body)
        offset = self._send_headers(answer, start)
        if with_body and answer.status not in BODYLESS_STATUSES:
            for piece in answer.body.chunks(offset):
                self.wfile.write(piece)

    def _send_headers(self, answer, start, chunked=False):
        """The status line and headers (206 with Content-Range when start is given); the body's
        first offset."""
        bodyless = answer.status in BODYLESS_STATUSES
        if start is not None:
            answer.status = 206
            answer.headers["Content-Range"] = f"bytes {start}-{answer.body.size - 1}/{answer.body.size}"
        offset = start or 0
        self.send_response(answer.status)
        if not bodyless:
            self.send_header("Content-Type", answer.content_type)
            if chunked:
                self.send_header("Transfer-Encoding", "chunked")
            else:
                self.send_header("Content-Length", str(answer.body.size - offset))
            if answer.body.etag is not None:
                self.send_header("ETag", answer.body.etag)
        for name, value in answer.headers.items():
            self.send_header(name, value)
        self.end_headers()
        return offset


class _HTTPServer(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def __init__(self, address, owner, ssl_context, handler):
        self.owner = owner
        self.ssl_context = ssl_context
        self.connections = set()
        self.connections_lock = threading.Lock()
        super().__init__(address, handler)

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
        handler = Handler
        if self.test_routes:
            from . import faults  # the test bench's routes: a plain serve never loads them
            handler = faults.FaultHandler
        self._httpd = _HTTPServer((self._host, self._requested_port), self, context, handler)
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
# Command line


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
