"""Whether each delta an answer names makes what the answer says: it is stored as named, and
applied to its base (found by digest among the releases a root has published, or given) it
makes the entry's file, and for a zip every member delta.json lists."""
import contextlib
import json
import pathlib
import shutil
import tempfile
import zipfile

from . import answer_json, check, delta, installed
from .digest import HASH_CHUNK, sha256_hex, sha256_stream

NOT_FOUND = "is in no release of this root or of --previous"
# The program does not read a longer delta.json.
MAX_LISTING_BYTES = 16 * 1024 * 1024


def root_releases(root):
    """The releases a root's current and published (history/) answers install."""
    root = pathlib.Path(root)
    answers = sorted((root / "api").glob("*/*.json")) + sorted((root / "history").glob("*/*/*.json"), reverse=True)
    releases = []
    for answer in answers:
        with contextlib.suppress(ValueError, OSError):
            releases.append(installed.InstalledFiles.from_answer(root, answer.read_bytes(), str(answer)))
    return releases


class _BaseMissing(Exception):
    """The release a delta applies to is in no release at hand: nothing to check it against."""


def judged(body, root, previous=()):
    """(refusals, unchecked): "<file_path>: delta <n>: <why>" for each delta of the answer (as
    the program reads it) that is not stored as named or does not make the entry's bytes from a
    base found in root's releases or previous (installed.InstalledFiles); and for each whose base
    none of them holds (a root pruned past it), which is not a refusal."""
    release = answer_json.release_of(body)
    listed = [(entry, position, named) for entry in (answer_json.counted_entries(release) if release else [])
              for position, named in answer_json.kept_deltas(entry)]
    if not listed:
        return [], []
    releases = [*previous, *root_releases(root)]
    found, unchecked = [], []
    with tempfile.TemporaryDirectory() as scratch:
        for entry, position, named in listed:
            shown = entry["file_path"].encode("utf-8", "surrogateescape").decode("utf-8", "replace")
            try:
                if why := _refusal(pathlib.Path(root), entry, named, releases, pathlib.Path(scratch)):
                    found.append(f"{shown}: delta {position}: {why}")
            except _BaseMissing as missing:
                unchecked.append(f"{shown}: delta {position}: {missing}")
    return found, unchecked


def refusals(body, root, previous=()):
    """judged()'s refusals alone."""
    return judged(body, root, previous)[0]


def _refusal(root, entry, named, releases, scratch):
    path, _, problems = check.stored_problems(root, named.get("download_url"), named.get("file_size"),
                                              named.get("sha256"), "sha256")
    if problems:
        return "; ".join(problems)
    base = installed.find(releases, entry["file_path"], named.get("base_sha256"))
    if base is None:
        raise _BaseMissing(f"its base {named.get('base_sha256')} {NOT_FOUND}")
    try:
        if installed.is_zip(entry):
            return _zip_refusal(root, path, entry, named, releases, scratch)
        with base.file(entry["file_path"], scratch) as earlier:
            made, size = _made(path, earlier, scratch)
        if made != entry.get("checksum_sha256"):
            return "applied to its base, it makes other bytes than checksum_sha256"
        # The program refuses a patch that makes another size than the file's before it writes.
        if isinstance(entry.get("file_size"), int) and entry["file_size"] > 0 and size != entry["file_size"]:
            return "applied to its base, it makes another size than file_size"
        return None
    except ValueError as error:
        return f"does not apply to its base ({error})"


def _made(patch, base, scratch):
    """(digest, size) of what patch makes from base (a file, or None)."""
    made = scratch / "made"
    try:
        delta.apply_patch(patch, made, base)
        return sha256_hex(made), made.stat().st_size
    finally:
        made.unlink(missing_ok=True)


def _whole_size(value):
    """Whether the program reads value as a member's size: a whole number in 0..2^53."""
    return isinstance(value, (int, float)) and not isinstance(value, bool) and \
        0 <= value <= 2 ** 53 and float(value).is_integer()


def _listed_members(archive):
    """delta.json's members, each with string file_path and sha256, a size, and optionally
    base_sha256 and patch; ValueError when it holds anything else or is larger than the program
    reads."""
    try:
        if archive.getinfo(delta.DELTA_LIST).file_size > MAX_LISTING_BYTES:
            raise ValueError(f"{delta.DELTA_LIST} is larger than {MAX_LISTING_BYTES} bytes")
        members = json.loads(archive.read(delta.DELTA_LIST)).get("members")
    except (KeyError, AttributeError, json.JSONDecodeError, UnicodeDecodeError):
        members = None
    if not isinstance(members, list) or not all(
            isinstance(m, dict) and all(isinstance(m.get(k), str) for k in ("file_path", "sha256"))
            and _whole_size(m.get("size"))
            and all(isinstance(m.get(k, ""), str) for k in ("base_sha256", "patch")) for m in members):
        raise ValueError(f"{delta.DELTA_LIST} is missing or does not list members")
    return members


def _zip_refusal(root, path, entry, named, releases, scratch):
    try:
        with zipfile.ZipFile(path) as archive:
            members = _listed_members(archive)
            for member in members:
                if why := _member_refusal(archive, member, releases, scratch):
                    return f"member {member['file_path']}: {why}"
    except zipfile.BadZipFile:
        return "is not a zip"
    main = next((m for m in members if m["file_path"] == entry["file_path"]), None)
    if main is None:
        return f"{delta.DELTA_LIST} does not list {entry['file_path']}"
    if main["sha256"] != entry.get("checksum_sha256") or main.get("base_sha256") != named.get("base_sha256"):
        return f"{delta.DELTA_LIST} gives {entry['file_path']} other digests than the answer"
    package = check.stored_path(root, entry.get("download_url"))
    if package is not None and package.is_file() and _zip_digests(package) != [
            (m["file_path"], m["sha256"], m["size"]) for m in members]:
        return f"{delta.DELTA_LIST} lists other members than the package"
    return None


def _member_refusal(archive, member, releases, scratch):
    name, digest, base = member["file_path"], member["sha256"], member.get("base_sha256")
    if "patch" not in member:
        if base != digest:
            return "no patch, but base_sha256 is not its sha256"
        if not installed.find(releases, name, digest):
            raise _BaseMissing(f"member {name}: unchanged, but its bytes {NOT_FOUND}")
        return None
    earlier = None
    if base is not None and (earlier := installed.find(releases, name, base)) is None:
        raise _BaseMissing(f"member {name}: its base {base} {NOT_FOUND}")
    patch = scratch / "patch"
    try:
        with archive.open(member["patch"]) as source, open(patch, "wb") as out:
            shutil.copyfileobj(source, out, HASH_CHUNK)
    except KeyError:
        return f"its patch {member['patch']} is not in the delta"
    try:
        with earlier.file(name, scratch) if earlier else contextlib.nullcontext() as base_file:
            made, size = _made(patch, base_file, scratch)
    finally:
        patch.unlink()
    if made != digest:
        return "its patch makes other bytes than its sha256"
    return None if size == member["size"] else "its patch makes another size than its size"


def _zip_digests(path):
    """[(member name, sha256, size)] of a zip's files in its order; None when it cannot be read."""
    try:
        with zipfile.ZipFile(path) as archive:
            return [(info.filename, _member_digest(archive, info), info.file_size)
                    for info in archive.infolist() if not info.is_dir()]
    except (OSError, zipfile.BadZipFile):
        return None


def _member_digest(archive, info):
    with archive.open(info) as stream:
        return sha256_stream(stream)
