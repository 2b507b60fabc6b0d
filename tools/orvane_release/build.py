"""Builds a release for the release service (service.py) from a few lines: package files
under <root>/files/, the manifest the latest-release API returns and, given a private key,
its signature beside it (see signing.py).

    release = build_release(root, server.url, "1.2.3", [
        Package("orvane.exe", content=b"..."),
        Package("locales/en.pak", files={"locales/en.pak": b"..", "locales/de.pak": b".."},
                compressed=True),
    ])

Manifest file members:
  file_path        where the file goes, relative to the install folder, "/"-separated
  file_size        bytes downloaded: the file for a plain package, the zip for a compressed one
  checksum_sha256  SHA-256 of the installed file at file_path (for a zip: of that entry)
  zip_checksum     SHA-256 of the downloaded bytes (the zip, or the plain file itself)
  download_url     base URL + url_prefix + "/files/<stored name>"
  compressed, sort_order
  deltas           only when there are any: [{base_sha256, download_url, file_size, sha256}],
                   patches from earlier installed versions (delta.py), given previous releases
Top-level "expires" ("YYYY-MM-DDTHH:MM:SSZ") only when asked for, or when signing.
"""
import dataclasses
import json
import os
import pathlib
import re
import shutil
import tempfile
import urllib.parse

from . import delta, expiry, installed, layout, paths
from .digest import sha256_hex
from .zips import make_zip
from .layout import DEFAULT_CHANNEL, DEFAULT_SOFTWARE_ID

UNSAFE_NAME_CHARS = re.compile(r"[^A-Za-z0-9._-]")


class _Drop:
    def __repr__(self):
        return "DROP"


# As a value in Package.extra_members or build_release(extra=...): leave that member out.
DROP = _Drop()


@dataclasses.dataclass
class Package:
    """One manifest file entry and what it downloads.

    Content comes from exactly one of: content (bytes), source (a file path, streamed, for
    big files), files ({path in install folder: bytes or file path}, compressed only).
    A compressed package with content or source is a zip with the single entry file_path.
    checksum_sha256 / zip_checksum: None means computed; any string (also "") is written as is.
    extra_members are merged into the entry last ("deltas" too); DROP removes a member.
    delta_url_prefix: as url_prefix, for the entry's deltas.
    """
    file_path: str
    content: bytes = None
    files: dict = None
    compressed: bool = False
    checksum_sha256: str = None
    zip_checksum: str = None
    sort_order: int = None
    extra_members: dict = dataclasses.field(default_factory=dict)
    url_prefix: str = ""
    source: os.PathLike = None
    delta_url_prefix: str = ""

    def entries(self):
        """{path in install folder: bytes or file path} the package installs."""
        given = [x is not None for x in (self.content, self.files, self.source)]
        if sum(given) != 1:
            raise ValueError(f"{self.file_path}: give exactly one of content, files, source")
        if self.files is not None:
            if not self.compressed:
                raise ValueError(f"{self.file_path}: files needs compressed=True")
            return dict(self.files)
        return {self.file_path: self.content if self.content is not None else self.source}


def stored_name(package, digest):
    """Where a package is kept under files/: named by the digest of its bytes, so that a URL
    never serves other bytes than the answer that names it says."""
    suffix = ".zip" if package.compressed else ".bin"
    return f"{digest}/{_safe_base_name(package.file_path)}{suffix}"


def _safe_base_name(file_path):
    return UNSAFE_NAME_CHARS.sub("_", file_path.replace("\\", "/").rsplit("/", 1)[-1]) or "package"


stored_file = layout.stored_file


def _store(package, target):
    """Writes the download to target; returns the checksum of the installed file."""
    entries = package.entries()
    if package.compressed:
        make_zip(target, entries)
        if package.file_path not in entries:
            if package.checksum_sha256 is None:
                raise ValueError(f"{package.file_path} is not in the zip; give checksum_sha256")
            return package.checksum_sha256
        return sha256_hex(entries[package.file_path])
    data = entries[package.file_path]
    if isinstance(data, (bytes, bytearray, memoryview)):
        target.write_bytes(data)
    else:
        shutil.copyfile(data, target)
    return sha256_hex(target)


def _merge(members, extra):
    for name, value in (extra or {}).items():
        if value is DROP:
            members.pop(name, None)
        else:
            members[name] = value
    return members


def build_release(root, base_url, version, packages, changelog="", channel=DEFAULT_CHANNEL,
                  min_os_version="", software_id=DEFAULT_SOFTWARE_ID, extra=None, key=None,
                  expires=None, previous=(), certificate=None):
    """Writes <root>/files/<sha256>/<name> per package and the manifest, signed with the
    private key file key if given (an online key: with its certificate text, published beside
    the answer); returns the manifest. expires: a datetime or the text itself; with a key it
    defaults to DEFAULT_LIFETIME from now. previous: earlier releases,
    each a release root (its answer for software_id and channel), a folder of the files as
    installed or an installed.InstalledFiles; a package gets a delta from each of them that
    held an earlier version of its file (see delta.py). root itself may be one: its answer is
    read before anything is published.

    Everything is made in a folder beside root first; only then do the packages move into
    files/ and, last, the answer (and its signature) into api/. A build that fails on the way
    leaves root exactly as it was."""
    root = pathlib.Path(root)
    with layout.locked(root):
        return _build_locked(root, base_url, version, packages, changelog, channel, min_os_version,
                             software_id, extra, key, expires, previous, certificate)


def _build_locked(root, base_url, version, packages, changelog, channel, min_os_version, software_id,
                  extra, key, expires, previous, certificate):
    releases = installed.open_all(previous, software_id, channel)
    root.parent.mkdir(parents=True, exist_ok=True)
    staging = pathlib.Path(tempfile.mkdtemp(prefix=f".{root.name}.build-", dir=root.parent))
    try:
        base_url = base_url.rstrip("/")
        entries, staged = [], []
        for index, package in enumerate(packages):
            made = staging / str(index)
            installed_checksum = _store(package, made)
            digest = sha256_hex(made)
            name = stored_name(package, digest)
            staged.append((made, layout.files_dir(root) / name))
            entry = {
                "file_path": package.file_path,
                "file_size": made.stat().st_size,
                "checksum_sha256": installed_checksum if package.checksum_sha256 is None else package.checksum_sha256,
                "zip_checksum": digest if package.zip_checksum is None else package.zip_checksum,
                "download_url": f"{base_url}{package.url_prefix}/files/{urllib.parse.quote(name)}",
                "compressed": package.compressed,
                "sort_order": index if package.sort_order is None else package.sort_order,
            }
            if releases and (deltas := _deltas(package, made, releases, staging / f"{index}.deltas", staged,
                                               f"{base_url}{package.delta_url_prefix}", root)):
                entry["deltas"] = deltas
            entries.append(_merge(entry, package.extra_members))
        members = {
            "version": version,
            "changelog": changelog,
            "channel": channel,
            "min_os_version": min_os_version,
            "files": entries,
        }
        if expires is None and key is not None:
            expires = expiry.now() + expiry.DEFAULT_LIFETIME
        if expires is not None:
            members["expires"] = expiry.format_expiry(expires)
        if key is not None:
            # A signed answer says what it answers and how new it is, so that a program never
            # takes another product's or channel's answer, or an older one replayed.
            members["software_id"] = software_id
            members["sequence"] = layout.next_sequence(
                layout.previous_sequence(layout.answer_path(root, software_id, channel)))
        manifest = _merge(members, extra)
        data, signature = _answer_bytes(manifest, key)  # a key that cannot sign fails here
        for made, target in staged:
            target.parent.mkdir(parents=True, exist_ok=True)
            os.replace(made, target)  # the same name always holds the same bytes
        _publish_answer(root, data, signature, software_id, channel, certificate)
        # A copy of every published answer, so that prune knows what older answers (still held
        # by programs that asked a moment ago, or republished) name.
        history = layout.history_dir(root, software_id, channel)
        history.mkdir(parents=True, exist_ok=True)
        stamp = members.get("sequence") if isinstance(manifest, dict) and key is not None else None
        (history / f"{stamp or layout.next_sequence()}.json").write_bytes(data)
        return manifest
    finally:
        shutil.rmtree(staging, ignore_errors=True)


def _deltas(package, made, releases, scratch, staged, files_url, root):
    """The entry's deltas, staged beside its package to move into files/ with it."""
    scratch.mkdir()
    listed = []
    for number, (base, made_delta) in enumerate(delta.make_deltas(
            package.file_path, package.compressed, made, releases, scratch)):
        kept = scratch.with_name(f"{scratch.name}.{number}")
        os.replace(made_delta, kept)
        digest = sha256_hex(kept)
        name = f"{digest}/{_safe_base_name(package.file_path)}{delta.suffix(package.compressed)}"
        staged.append((kept, layout.files_dir(root) / name))
        listed.append({"base_sha256": base, "download_url": f"{files_url}/files/{urllib.parse.quote(name)}",
                       "file_size": kept.stat().st_size, "sha256": digest})
    shutil.rmtree(scratch)
    return listed


def _shown(name):
    """A name as text that can be printed, whatever bytes it had."""
    return name.encode("utf-8", "surrogateescape").decode("utf-8", "replace")


def _inside(path, folder):
    path, folder = pathlib.Path(path).resolve(), pathlib.Path(folder).resolve()
    return path == folder or folder in path.parents


def check_input(folder, zip_dirs=(), key=None, out=None):
    """Refuses (ValueError, naming the file) a folder whose release the program would refuse or
    mis-install, or that would publish what must never be published: a symbolic link (it would
    publish the bytes it points at), a name Windows or the program does not take, two names that
    are one file on Windows (also inside one zip), a name taken by the installation's records or
    by another file's backup, an empty zipped folder, the signing key, the output root."""
    folder = pathlib.Path(folder)
    if out is not None and _inside(out, folder):
        raise ValueError(f"the output root {out} is inside {folder}: a build would publish it")
    if key is not None and _inside(key, folder):
        raise ValueError(f"{key} is inside {folder}: a build would publish the signing key")
    key_bytes = pathlib.Path(key).read_bytes() if key is not None else None
    names = []
    for directory, subdirectories, files in os.walk(folder):
        for name in sorted(subdirectories) + sorted(files):
            path = pathlib.Path(directory, name)
            relative = path.relative_to(folder).as_posix()
            if path.is_symlink():
                raise ValueError(f"{_shown(relative)}: is a symbolic link; copy what it points at")
            if name in files:
                if not path.is_file():
                    raise ValueError(f"{_shown(relative)}: is not a regular file")
                names.append(relative)
                if key_bytes is not None and path.stat().st_size == len(key_bytes) and path.read_bytes() == key_bytes:
                    raise ValueError(f"{_shown(relative)}: is the signing key; it is never published")
    for relative in names:
        if reason := paths.windows_name_reason(relative):
            raise ValueError(f"{_shown(relative)}: {reason}")
    if found := paths.conflict(names):
        position, reason = found
        raise ValueError(f"{_shown(names[position])}: {reason}")
    for name in zip_dirs if zip_dirs not in (True, False) else ():
        if not any(part == name for relative in names for part in relative.split("/", 1)[:1]
                   if "/" in relative):
            raise ValueError(f"--zip {name}: the folder holds no file")


def build_release_from_folder(root, base_url, folder, version, zip_dirs=True, **options):
    """A release of a folder as it should look installed. Each top-level subfolder named in
    zip_dirs (True: every one; False: none) is one zip (file_path: its first file in sorted
    order); every other file is a plain package. Packages go in order of the zipped folder's
    name or the file's relative path. options go to build_release."""
    folder = pathlib.Path(folder)

    def relative(path):
        return path.relative_to(folder).as_posix()

    def files_under(path):
        return sorted((p for p in path.rglob("*") if p.is_file()), key=relative)

    if zip_dirs is True:
        zipped = {p.name for p in folder.iterdir() if p.is_dir()}
    else:
        zipped = set(zip_dirs or ())
    # An empty body is a failed download to the program: an empty file goes out as a zip of one.
    keyed = [(relative(p), Package(relative(p), source=p) if p.stat().st_size > 0 else
              Package(relative(p), compressed=True, files={relative(p): p}))
             for p in files_under(folder)
             if len(p.relative_to(folder).parts) == 1 or p.relative_to(folder).parts[0] not in zipped]
    for name in zipped:
        if members := files_under(folder / name):
            keyed.append((name, Package(relative(members[0]), compressed=True,
                                        files={relative(p): p for p in members})))
    packages = [package for _, package in sorted(keyed, key=lambda pair: pair[0])]
    return build_release(root, base_url, version, packages, **options)


def _answer_bytes(manifest, key):
    """The answer's bytes (a dict as JSON; str or bytes exactly as given, for malformed
    answers) and their signature text with key (None without)."""
    if isinstance(manifest, dict):
        data = json.dumps(manifest, indent=2, ensure_ascii=False).encode("utf-8")
    elif isinstance(manifest, str):
        data = manifest.encode("utf-8")
    else:
        data = bytes(manifest)
    if key is None:
        return data, None
    # Only signing needs the cryptography package; unsigned releases build without it.
    from . import signing
    return data, signing.sign(data, key)


def _publish_answer(root, data, signature_text, software_id, channel, certificate_text=None):
    """Each file is replaced whole, so a running server never serves half of one. The body and
    the signature cannot change together: between the two replacements a reader may pair the
    new body with the old signature (and be refused; it asks again); without a signature the
    old one goes first, so an unsigned body never meets one. An online key's certificate goes
    in before the body it certifies; a root's answer takes the old certificate away after it
    (the program checks a root's signature first)."""
    target = layout.answer_path(root, software_id, channel)
    target.parent.mkdir(parents=True, exist_ok=True)
    signature = layout.signature_path(target)
    signature_partial = signature.with_name(signature.name + ".partial")
    certificate = layout.certificate_path(target)
    if signature_text is not None:
        signature_partial.write_text(signature_text + "\n")
    else:
        signature.unlink(missing_ok=True)
    if certificate_text is not None:
        partial_certificate = certificate.with_name(certificate.name + ".partial")
        partial_certificate.write_text(certificate_text + "\n")
        os.replace(partial_certificate, certificate)
    partial = target.with_name(target.name + ".partial")
    partial.write_bytes(data)
    os.replace(partial, target)
    if signature_text is not None:
        os.replace(signature_partial, signature)
    if certificate_text is None:
        certificate.unlink(missing_ok=True)
    return target


def write_manifest(root, manifest, software_id=DEFAULT_SOFTWARE_ID, channel=DEFAULT_CHANNEL,
                   key=None, certificate=None):
    """Writes what the API returns for software_id and channel: a dict as JSON, str or bytes
    exactly as given (for malformed answers), with the signature of those bytes beside it
    when key (a private key file) is given, else with no signature; and the certificate text of
    the key when given."""
    data, signature = _answer_bytes(manifest, key)
    return _publish_answer(root, data, signature, software_id, channel, certificate)
