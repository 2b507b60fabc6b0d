"""Removing from a release root the package files no kept answer names: the current answer of
each product and channel and its `keep` newest published answers stay, with every file they
name; older copies and unnamed files go."""
import pathlib

from . import answer_json, check, layout


def _named_files(root, answer):
    """The stored files an answer names, read as the program reads it. An answer that cannot be
    read stops the prune (ValueError): taken as naming nothing, a live release would lose its
    packages."""
    try:
        release = answer_json.release_of(pathlib.Path(answer).read_bytes())
    except OSError as error:
        raise ValueError(f"cannot read {answer} ({error.strerror}); nothing removed") from None
    if release is None:
        raise ValueError(f"{answer} is not a release the program takes; nothing removed")
    entries = release.get("files")
    named = set()
    for entry in entries if isinstance(entries, list) else []:
        if not isinstance(entry, dict):
            continue
        # A delta is a package file like any other.
        for url in [entry.get("download_url")] + [d["download_url"] for _, d in answer_json.kept_deltas(entry)]:
            if path := check.stored_path(root, url):
                named.add(path)
    return named


def prune(root, keep):
    """Removes what is not kept; returns the removed paths (relative to root). Nothing is removed
    when any answer (current or kept) cannot be read; the root's lock is held throughout."""
    if keep < 1:
        raise ValueError("--keep must be at least 1: the current answer's files always stay")
    root = pathlib.Path(root).resolve()
    with layout.locked(root):
        return _prune_locked(root, keep)


def _prune_locked(root, keep):
    removed, named, drop = [], set(), []
    for answer in sorted((root / "api").glob("*/*.json")):
        named |= _named_files(root, answer)
    for history in sorted((root / "history").glob("*/*")):
        copies = sorted((p for p in history.glob("*.json") if p.stem.isdigit()), key=lambda p: int(p.stem),
                        reverse=True)
        for copy in copies[:keep]:
            named |= _named_files(root, copy)
        drop += copies[keep:]
    # Everything is read before anything goes.
    files = layout.files_dir(root)
    stored = sorted(p for p in files.rglob("*") if p.is_file()) if files.is_dir() else []
    unnamed = [path for path in stored if path.resolve() not in named]
    for path in drop + unnamed:
        path.unlink()
        removed.append(path.relative_to(root).as_posix())
    for folder in sorted((p for p in files.rglob("*") if p.is_dir()), reverse=True) if files.is_dir() else []:
        if not any(folder.iterdir()):
            folder.rmdir()
    return removed
