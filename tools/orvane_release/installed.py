"""An earlier release as it lies installed: which bytes sit at each path of the install folder.

Given either a release root built earlier (its answer for one product and channel says which
packages were installed: a plain package at its file_path, a zip's members at their names) or
a folder holding that release's files as installed. Zip members are read only when asked for.
"""
import contextlib
import json
import os
import pathlib
import shutil
import tempfile
import zipfile
import zlib

from . import check, layout
from .digest import HASH_CHUNK, sha256_stream



class InstalledFiles:
    """{path in the install folder: (file, zip member name or None)}; where each file's bytes
    are for one release."""

    def __init__(self, places):
        self.places, self._digests = places, {}

    @classmethod
    def from_folder(cls, folder):
        folder = pathlib.Path(folder).resolve()
        places = {p.relative_to(folder).as_posix(): (p, None)
                  for p in sorted(folder.rglob("*")) if p.is_file() and not p.is_symlink()}
        return cls(places)

    @classmethod
    def from_answer(cls, root, body, shown):
        """The files the answer's entries install, its packages looked up under root/files/.
        A package the root no longer holds installs nothing here. shown: the answer's name in
        errors."""
        try:
            release = json.loads(body)
        except ValueError:
            raise ValueError(f"{shown}: not a JSON answer") from None
        entries = release.get("files") if isinstance(release, dict) else None
        places = {}
        for entry in entries if isinstance(entries, list) else []:
            if isinstance(entry, dict) and isinstance(entry.get("file_path"), str):
                places.update(_installed_by(root, entry))
        return cls(places)

    @classmethod
    def open(cls, source, software_id=layout.DEFAULT_SOFTWARE_ID, channel=layout.DEFAULT_CHANNEL):
        """A release root (with an answer for software_id and channel) or an install folder;
        ValueError for anything else. A root's answer is read now: a build publishing into the
        same root later does not change what this holds."""
        source = pathlib.Path(source)
        answer = layout.answer_path(source, software_id, channel)
        if answer.is_file():
            return cls.from_answer(source, answer.read_bytes(), str(answer))
        if (source / "api").is_dir():
            raise ValueError(f"{source} is a release root without {answer.relative_to(source).as_posix()}")
        if source.is_dir():
            return cls.from_folder(source)
        raise ValueError(f"{source} is neither a release root nor a folder")

    def digest(self, path):
        """SHA-256 of the installed bytes at path, or None when nothing is installed there."""
        if path not in self._digests:
            try:
                with self._open(path) as stream:
                    self._digests[path] = sha256_stream(stream)
            except (OSError, KeyError, zipfile.BadZipFile, zlib.error, RuntimeError, NotImplementedError):
                self._digests[path] = None
        return self._digests[path]

    @contextlib.contextmanager
    def file(self, path, scratch):
        """A file holding the installed bytes at path, or None: the file itself, or a zip
        member's copy in the folder scratch, removed afterwards."""
        if self.digest(path) is None:
            yield None
            return
        source, member = self.places[path]
        if member is None:
            yield source
            return
        descriptor, name = tempfile.mkstemp(prefix="base-", dir=scratch)
        copy = pathlib.Path(name)
        try:
            with os.fdopen(descriptor, "wb") as out, self._open(path) as stream:
                shutil.copyfileobj(stream, out, HASH_CHUNK)
            yield copy
        finally:
            copy.unlink(missing_ok=True)

    @contextlib.contextmanager
    def _open(self, path):
        source, member = self.places[path]
        if member is None:
            with open(source, "rb") as stream:
                yield stream
        else:
            with zipfile.ZipFile(source) as archive, archive.open(member) as stream:
                yield stream


def _installed_by(root, entry):
    """{path: place} one answer entry installs."""
    path = check.stored_path(root, entry.get("download_url"))
    if path is None or not path.is_file():
        return {}
    return _zip_members(path) if is_zip(entry) else {entry["file_path"]: (path, None)}


def is_zip(entry):
    """Whether the program takes the entry's package as a zip: unless "compressed" is false."""
    return entry.get("compressed", True) is not False


def _zip_members(path):
    try:
        with zipfile.ZipFile(path) as archive:
            return {info.filename: (path, info.filename) for info in archive.infolist() if not info.is_dir()}
    except (OSError, zipfile.BadZipFile):
        return {}


def open_all(sources, software_id=layout.DEFAULT_SOFTWARE_ID, channel=layout.DEFAULT_CHANNEL):
    """Each source opened (an InstalledFiles passes as it is)."""
    return [source if isinstance(source, InstalledFiles) else InstalledFiles.open(source, software_id, channel)
            for source in sources or ()]


def find(releases, path, digest):
    """The first release with those bytes at path, or None."""
    return next((release for release in releases if release.digest(path) == digest), None)
