"""Delta packages: what an installed program downloads instead of a package when it holds an
earlier version of the file, made and applied with the zstd command.

A plain package's delta is one zstd frame made with --patch-from the earlier file. A zip's
delta is a zip: delta.json first (deflated), {"members": [...]} listing every member of
the new zip in its order, each with its "file_path", "sha256" and "size" (bytes; the program
refuses a patch that says it makes another number of them) and
  unchanged:  "base_sha256" equal to "sha256", no "patch"
  changed:    "base_sha256" of the earlier member, "patch": "patches/<n>.zst" made from it
  new:        no "base_sha256", "patch": "patches/<n>.zst" made from nothing
then the patches themselves, stored.
"""
import json
import shutil
import subprocess
import zipfile

from . import zips
from .digest import HASH_CHUNK, sha256_hex

ZSTD = "zstd"
# Made so that the frame states its content size and its window is no larger than that.
PATCH_OPTIONS = ("-q", "-19", "--long")
# Applying needs a window as large as the largest file a patch makes.
APPLY_OPTIONS = ("-q", "-d", "--long=31")
# A delta is published only when it is smaller than this share of its package.
DELTA_SHARE = 0.6
DELTA_LIST = "delta.json"
PATCH_FOLDER = "patches"
PLAIN_SUFFIX = ".zst"
ZIP_SUFFIX = ".delta.zip"


def suffix(compressed):
    return ZIP_SUFFIX if compressed else PLAIN_SUFFIX


def zstd_command():
    found = shutil.which(ZSTD)
    if found is None:
        raise ValueError("the zstd command is missing; delta packages need it (Debian package zstd)")
    return found


def _run(arguments):
    result = subprocess.run([zstd_command(), *arguments], stdin=subprocess.DEVNULL, capture_output=True)
    if result.returncode != 0:
        lines = result.stderr.decode("utf-8", "replace").strip().splitlines()
        raise ValueError(f"zstd: {lines[-1] if lines else f'exit status {result.returncode}'}")


def make_patch(new, out, base=None):
    """Writes to out one zstd frame that makes new's bytes from base's (or from nothing)."""
    reference = [f"--patch-from={base}"] if base is not None else []
    _run([*PATCH_OPTIONS, *reference, "-o", str(out), "--", str(new)])


def apply_patch(patch, out, base=None):
    """Writes to out the bytes patch makes from base's (or from nothing)."""
    reference = [f"--patch-from={base}"] if base is not None else []
    _run([*APPLY_OPTIONS, *reference, "-o", str(out), "--", str(patch)])


def make_deltas(file_path, compressed, package, releases, scratch):
    """[(base digest, delta file in scratch)] for the package file made for file_path: one per
    earlier installed version at file_path (the first release holding it wins), each kept only
    when smaller than DELTA_SHARE of the package."""
    if not compressed and package.stat().st_size == 0:
        return []  # zstd cannot patch into an empty file
    new = None if compressed else sha256_hex(package)
    limit = DELTA_SHARE * package.stat().st_size
    made, bases = [], set()
    for number, release in enumerate(releases):
        base = release.digest(file_path)
        if base is None or base in bases or base == new:
            continue  # nothing to patch, patched already, or unchanged: nothing is downloaded
        bases.add(base)
        target = scratch / f"{number}{suffix(compressed)}"
        if compressed:
            _make_zip_delta(package, release, target, scratch)
        else:
            with release.file(file_path, scratch) as earlier:
                make_patch(package, target, earlier)
        if target.stat().st_size < limit:
            made.append((base, target))
        else:
            target.unlink()
    return made


def _make_zip_delta(package, release, target, scratch):
    members, patches = [], []
    with zipfile.ZipFile(package) as archive:
        for info in (i for i in archive.infolist() if not i.is_dir()):
            new = scratch / "member"
            with archive.open(info) as source, open(new, "wb") as out:
                shutil.copyfileobj(source, out, HASH_CHUNK)
            listed = {"file_path": info.filename, "sha256": sha256_hex(new), "size": info.file_size}
            base = release.digest(info.filename)
            if base == listed["sha256"]:
                listed["base_sha256"] = base
            else:
                patch = scratch / f"patch-{len(patches)}{PLAIN_SUFFIX}"
                # zstd cannot patch into an empty file: an emptied member goes as a new one.
                if base is not None and info.file_size:
                    with release.file(info.filename, scratch) as earlier:
                        make_patch(new, patch, earlier)
                    listed["base_sha256"] = base
                else:
                    make_patch(new, patch)
                listed["patch"] = f"{PATCH_FOLDER}/{len(patches)}{PLAIN_SUFFIX}"
                patches.append((listed["patch"], patch))
            new.unlink()
            members.append(listed)
    _write_delta_zip(target, members, patches)
    for _, patch in patches:
        patch.unlink()


def _entry(name, size, compress_type=zipfile.ZIP_STORED):
    info = zipfile.ZipInfo(name, date_time=zips.ZIP_ENTRY_TIME)
    info.compress_type = compress_type
    info.external_attr = zips.ZIP_ENTRY_MODE
    info.file_size = size
    return info


def _write_delta_zip(target, members, patches):
    # The listing is deflated: a zip of many members repeats digests and folders in it, which for
    # small members would otherwise cost more than their patches. The patches are zstd already.
    listing = json.dumps({"members": members}, separators=(",", ":"), ensure_ascii=False).encode("utf-8")
    with zipfile.ZipFile(target, "w") as archive:
        archive.writestr(_entry(DELTA_LIST, len(listing), zipfile.ZIP_DEFLATED), listing)
        for name, patch in patches:
            with open(patch, "rb") as source, archive.open(_entry(name, patch.stat().st_size), "w") as out:
                shutil.copyfileobj(source, out, HASH_CHUNK)
