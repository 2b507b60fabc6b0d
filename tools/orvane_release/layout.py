"""Where a built release keeps its parts under its root folder, as the service serves them."""
import contextlib
import fcntl
import json
import os
import pathlib
import sys
import time
import urllib.parse

DEFAULT_SOFTWARE_ID = "orvane_browser_150"
DEFAULT_CHANNEL = "stable"
SIGNATURE_SUFFIX = ".sig"
# Beside an answer an online key signed: that key's certificate, sent as its own header.
CERTIFICATE_SUFFIX = ".cert"


FILES_ROUTE = "/files/"
LOCK_SUFFIX = ".lock"
# How long a build, prune or sign waits for another one to let go of its root.
LOCK_WAIT_SECONDS = float(os.environ.get("ORVANE_RELEASE_LOCK_WAIT", "120"))
LOCK_POLL_SECONDS = 0.1


def files_dir(root):
    return pathlib.Path(root, "files")


def stored_file(root, url):
    """The file under root/files/ a download_url names: what follows the URL's last "/files/"
    (a base URL may end in /files itself; the stored names never hold that route), or None when
    the URL names none (no such route, or a path that leaves files/). Every command maps URLs
    to files with this one."""
    at = url.rfind(FILES_ROUTE) if isinstance(url, str) else -1
    if at < 0:
        return None
    files = files_dir(pathlib.Path(root)).resolve()
    name = urllib.parse.unquote(urllib.parse.urlsplit(url[at:]).path[len(FILES_ROUTE):])
    path = (files / name).resolve()
    return path if files in path.parents else None


@contextlib.contextmanager
def locked(root):
    """Holds the root's lock (<root>.lock beside it) for the block: one build, prune or sign
    at a time changes a root, so that a prune never removes what a build moved in before its
    answer names it. Waits LOCK_WAIT_SECONDS for another one, then raises RuntimeError."""
    root = pathlib.Path(root).resolve()
    root.parent.mkdir(parents=True, exist_ok=True)
    lock_path = root.with_name(root.name + LOCK_SUFFIX)
    with open(lock_path, "a") as lock:
        deadline = time.monotonic() + LOCK_WAIT_SECONDS
        told = False
        while True:
            try:
                fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
                break
            except BlockingIOError:
                if time.monotonic() >= deadline:
                    raise RuntimeError(f"{root} is in use by another build, prune or sign "
                                       f"(it holds {lock_path}); nothing was done") from None
                if not told:
                    print(f"waiting for {lock_path}: another build, prune or sign holds it", file=sys.stderr)
                    told = True
                time.sleep(LOCK_POLL_SECONDS)
        try:
            yield
        finally:
            fcntl.flock(lock, fcntl.LOCK_UN)


def answer_path(root, software_id=DEFAULT_SOFTWARE_ID, channel=DEFAULT_CHANNEL):
    """The release answer the latest-release API returns for software_id and channel."""
    return pathlib.Path(root, "api", software_id, f"{channel}.json")


def history_dir(root, software_id=DEFAULT_SOFTWARE_ID, channel=DEFAULT_CHANNEL):
    """Copies of the answers published for software_id and channel, named by their sequence
    (not served)."""
    return pathlib.Path(root) / "history" / software_id / channel


def signature_path(answer):
    return pathlib.Path(str(answer) + SIGNATURE_SUFFIX)


def certificate_path(answer):
    return pathlib.Path(str(answer) + CERTIFICATE_SUFFIX)


def _first_line(path):
    try:
        data = path.read_bytes()
    except FileNotFoundError:
        return None
    return data.split(b"\n", 1)[0].rstrip(b"\r").decode("latin-1")


def read_signature(answer):
    """The signature text kept beside an answer (its first line, without the line ending),
    or None when there is none. Bytes are taken as Latin-1, so that any planted text, also a
    malformed one, reaches the client unchanged."""
    return _first_line(signature_path(answer))


def read_certificate(answer):
    """The key certificate text kept beside an answer (as read_signature), or None."""
    return _first_line(certificate_path(answer))


# Past 2^53 a JSON number no longer holds every whole number (the program reads doubles).
MAX_SEQUENCE = 2 ** 53


def next_sequence(previous=None):
    """A sequence above `previous` (the answer it replaces, if any) and above every earlier one
    made on a clock that moves forward: milliseconds since 1970."""
    now = int(time.time() * 1000)
    if isinstance(previous, int) and not isinstance(previous, bool):
        return min(max(previous + 1, now), MAX_SEQUENCE)
    return now


def previous_sequence(answer):
    """The sequence of the answer at that path, or None."""
    try:
        value = json.loads(pathlib.Path(answer).read_bytes()).get("sequence")
    except (OSError, ValueError, AttributeError):
        return None
    return value if isinstance(value, int) and not isinstance(value, bool) else None
