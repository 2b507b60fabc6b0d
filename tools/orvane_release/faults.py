"""The test bench's routes of the release service (service.py serves them only with
test_routes; a plain `serve` never loads this module): generated bodies, and faults named in the
URL that spoil an answer.

  /gen/<n>        n bytes of a fixed pseudo-random pattern
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
  stall=<k>       k body bytes, then nothing more on an open connection
  norange         Range is ignored: always the whole body with 200
  newetag         every answer carries an ETag of its own, as if the file changed
  times=<n>       status, empty, cuts, slow, drip and delay hold for the first n requests only
Items combine (chunked,slow=100000; chunked,truncate=10); so do nested prefixes.
A malformed item gets 400.

python3 -m orvane_release.faults --root ROOT serves the bench until SIGTERM or SIGINT.
"""
import argparse
import dataclasses
import functools
import hashlib
import pathlib
import socket
import struct
import time
import urllib.parse

from . import certificates, service
from .service import Answer, Body, bytes_body

GEN_PREFIX = "/gen/"
FAULT_PREFIX = "/_fault/"
CHUNKED_PIECE = 64 * 1024
# Pieces of a slow body go out about this often.
SLOW_TICK = 0.02
# What an extra=<k> fault appends after the body.
EXTRA_BYTE = b"X"

# /gen/<n> repeats one block whose length is prime, so that the pattern never lines up
# with power-of-two offsets: a client that resumes or retries at a wrong offset gets
# different bytes instead of identical ones.
GEN_PERIOD = 1_048_573
GEN_SEED = b"orvane release server /gen pattern"
GEN_CHUNK = 1024 * 1024


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


def gen_body(n):
    return Body(n, lambda offset=0: gen_chunks(n, offset), f'"gen-{n:x}"')


def route(root, target):
    """What a request for target gets: /gen/<n>, or the service's own routes."""
    path = urllib.parse.urlsplit(target).path
    if path.startswith(GEN_PREFIX):
        count = path[len(GEN_PREFIX):]
        return gen_body_answer(int(count)) if count.isdigit() else service.not_found()
    return service.route(root, target)


def gen_body_answer(n):
    return Answer(200, "application/octet-stream", gen_body(n))


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
# The handler


class FaultHandler(service.Handler):
    """The service's handler with the test routes: /gen/ bodies and /_fault/ prefixes."""

    def _answer(self, with_body):
        owner = self.server.owner
        try:
            faults, target = split_faults(self.path)
        except ValueError as bad:
            answer = Answer(400, "text/plain", bytes_body(f"bad fault: {bad}\n".encode()))
            faults, target = Faults(), self.path
        else:
            answer = route(owner.root, target)
        asked = owner._count(self.path)
        if faults.times is not None and asked > faults.times:
            # What the file and the server are stays; what goes wrong with one answer passes.
            faults = Faults(norange=faults.norange, newetag=faults.newetag, chunked=faults.chunked)
        if faults.newetag and answer.body.etag is not None:
            answer.body.etag = answer.body.etag[:-1] + f'-{asked}"'
        start = None
        if answer.status == 200 and not faults.norange:
            start = service.resumed_from(self.headers.get("Range"), self.headers.get("If-Range"), answer.body)
        self.range_asked = self.headers.get("Range")
        if faults.status is not None:
            answer = Answer(faults.status, "text/plain", bytes_body(f"fault {faults.status}\n".encode()))
        if faults.empty:
            answer = Answer(200, answer.content_type, bytes_body(b""))
        if faults.delay and owner._stopping.wait(faults.delay):
            raise ConnectionAbortedError("server stopping")
        if faults.extra:
            answer.headers["Connection"] = "close"
        offset = self._send_headers(answer, start, chunked=faults.chunked)
        if with_body and answer.status not in service.BODYLESS_STATUSES:
            self._send_faulty_body(answer.body, faults, offset)

    def _send_faulty_body(self, body, faults, offset):
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
            self.server.owner._stopping.wait(service.CONNECTION_TIMEOUT)
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


# ----------------------------------------------------------------------------------------
# Command line


def main(argv=None):
    parser = argparse.ArgumentParser(description="Serve a release folder with the test routes until SIGTERM or SIGINT.")
    parser.add_argument("--root", required=True, help="folder with api/ and files/")
    parser.add_argument("--port", type=int, default=0, help="0 lets the system choose")
    parser.add_argument("--tls-kind", choices=sorted(certificates.CERT_KINDS), help="serve HTTPS with this certificate")
    parser.add_argument("--cert-dir", help="where certificates are kept (default: <root>/certs)")
    parser.add_argument("--url-file", help="written with the base URL once listening")
    args = parser.parse_args(argv)

    tls = None
    if args.tls_kind:
        tls = certificates.make_certificate(args.cert_dir or pathlib.Path(args.root, "certs"), args.tls_kind)
    service.serve_until_signalled(service.ReleaseServer(args.root, tls=tls, port=args.port), args.url_file)
    return 0


if __name__ == "__main__":
    raise SystemExit(main())
