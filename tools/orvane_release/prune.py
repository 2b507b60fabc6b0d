"""Removing from a release root the package files no kept answer names: the current answer of
each product and channel and its `keep` newest published answers stay, with every file they
name; older copies and unnamed files go."""
import json
import pathlib

from . import answer_json, check, layout


def _named_files(root, answer):
    try:
        release = json.loads(pathlib.Path(answer).read_bytes())
    except (OSError, ValueError):
        return set()
    entries = release.get("files") if isinstance(release, dict) else None
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
    """Removes what is not kept; returns the removed paths (relative to root)."""
    if keep < 1:
        raise ValueError("--keep must be at least 1: the current answer's files always stay")
    root = pathlib.Path(root).resolve()
    removed, named = [], set()
    for answer in sorted((root / "api").glob("*/*.json")):
        named |= _named_files(root, answer)
    for history in sorted((root / "history").glob("*/*")):
        copies = sorted((p for p in history.glob("*.json") if p.stem.isdigit()), key=lambda p: int(p.stem),
                        reverse=True)
        for copy in copies[:keep]:
            named |= _named_files(root, copy)
        for copy in copies[keep:]:
            copy.unlink()
            removed.append(copy.relative_to(root).as_posix())
    files = layout.files_dir(root)
    for path in sorted(p for p in files.rglob("*") if p.is_file()) if files.is_dir() else []:
        if path.resolve() not in named:
            path.unlink()
            removed.append(path.relative_to(root).as_posix())
    for folder in sorted((p for p in files.rglob("*") if p.is_dir()), reverse=True) if files.is_dir() else []:
        if not any(folder.iterdir()):
            folder.rmdir()
    return removed
