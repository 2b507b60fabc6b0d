"""Where a built release keeps its parts under its root folder, as the service serves them."""
import json
import pathlib
import time

DEFAULT_SOFTWARE_ID = "orvane_browser_150"
DEFAULT_CHANNEL = "stable"
SIGNATURE_SUFFIX = ".sig"
# Beside an answer an online key signed: that key's certificate, sent as its own header.
CERTIFICATE_SUFFIX = ".cert"


def files_dir(root):
    return pathlib.Path(root, "files")


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
