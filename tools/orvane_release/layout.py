"""Where a built release keeps its parts under its root folder, as the service serves them."""
import pathlib

DEFAULT_SOFTWARE_ID = "orvane_browser_150"
DEFAULT_CHANNEL = "stable"
SIGNATURE_SUFFIX = ".sig"


def files_dir(root):
    return pathlib.Path(root, "files")


def answer_path(root, software_id=DEFAULT_SOFTWARE_ID, channel=DEFAULT_CHANNEL):
    """The release answer the latest-release API returns for software_id and channel."""
    return pathlib.Path(root, "api", software_id, f"{channel}.json")


def signature_path(answer):
    return pathlib.Path(str(answer) + SIGNATURE_SUFFIX)


def read_signature(answer):
    """The signature text kept beside an answer (its first line, without the line ending),
    or None when there is none. Bytes are taken as Latin-1, so that any planted text, also a
    malformed one, reaches the client unchanged."""
    try:
        data = signature_path(answer).read_bytes()
    except FileNotFoundError:
        return None
    return data.split(b"\n", 1)[0].rstrip(b"\r").decode("latin-1")
