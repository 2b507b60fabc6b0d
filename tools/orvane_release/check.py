"""A built release root checked end to end, as the program would find it: every file each
answer names (packages and their deltas) is there under the path its URL maps to, with its size
and digests, and a zip holds its file_path member with that member's digest."""
import hashlib
import pathlib
import zipfile

from . import answer_json, layout
from .digest import sha256_file

stored_path = layout.stored_file


def stored_problems(root, url, size, digest, digest_name):
    """(the stored file url names or None, its digest, [problem]): it must be there, of size bytes,
    with that digest (the answer's member digest_name)."""
    path = stored_path(root, url)
    if path is None:
        return None, None, [f"download_url {url!r} names no file of this root"]
    if not path.is_file():
        return None, None, [f"{path.relative_to(root.resolve())} is missing"]
    problems = []
    if path.stat().st_size != size:
        problems.append(f"{path.stat().st_size} bytes, the answer says {size}")
    actual = sha256_file(path)
    if actual != digest:
        problems.append(f"{digest_name} differs from the stored file's digest")
    return path, actual, problems


def _delta_problems(root, entry):
    name = entry.get("file_path")
    return [f"{name}: delta {position}: {problem}" for position, listed in answer_json.kept_deltas(entry)
            for problem in stored_problems(root, listed.get("download_url"), listed.get("file_size"),
                                           listed.get("sha256"), "sha256")[2]]


def _entry_problems(root, entry):
    name = entry.get("file_path")
    path, digest, problems = stored_problems(root, entry.get("download_url"), entry.get("file_size"),
                                             entry.get("zip_checksum"), "zip_checksum")
    problems = [f"{name}: {problem}" for problem in problems]
    if path is None:
        return problems
    if entry.get("compressed", True):
        try:
            with zipfile.ZipFile(path) as archive:
                member = hashlib.sha256(archive.read(name)).hexdigest()
        except (zipfile.BadZipFile, KeyError, OSError, TypeError):
            return problems + [f"{name}: the zip does not hold {name}"]
        if member != entry.get("checksum_sha256"):
            problems.append(f"{name}: checksum_sha256 differs from the zip member's digest")
    elif digest != entry.get("checksum_sha256"):
        problems.append(f"{name}: checksum_sha256 differs from the stored file's digest")
    return problems


def check_root(root):
    """(answers checked, files checked, [problem, ...])."""
    root = pathlib.Path(root)
    answers = sorted(p for p in (root / "api").glob("*/*.json")) if (root / "api").is_dir() else []
    problems, files = [], 0
    for answer in answers:
        shown = answer.relative_to(root).as_posix()
        # Read as the program reads it: what it takes is what is checked.
        release = answer_json.release_of(answer.read_bytes())
        if release is None:
            problems.append(f"{shown}: not a release the program takes")
            continue
        entries = release.get("files") if isinstance(release, dict) else None
        for entry in entries if isinstance(entries, list) else []:
            if isinstance(entry, dict):
                files += 1
                problems += [f"{shown}: {problem}" for problem in _entry_problems(root, entry)]
                problems += [f"{shown}: {problem}" for problem in _delta_problems(root, entry)]
    if not answers:
        problems.append("no answer under api/")
    return len(answers), files, problems
