#!/usr/bin/env python3
"""Prints what the demo's install left in the Wine prefix: the installed files with their sizes,
the version record, the shortcuts and where they point, and the installer's exit code.

    demo_summary.py [--dir 'C:\\Orvane Demo'] [--exit-code N]

Without --dir the folder is taken from the desktop shortcut's working directory.
"""
import argparse
import pathlib
import sys

ROOT = pathlib.Path(__file__).resolve().parents[1]
sys.path[:0] = [str(ROOT / "tests"), str(ROOT / "tools")]  # the test bench and the release tool's packages
from support import install_helpers as h, shell_link, winebench  # noqa: E402


def shortcuts():
    """[(place, path, ShellLink or None)] for the desktop and Start menu shortcuts."""
    found = []
    for place, path in (("desktop", h.desktop_shortcut()), ("start menu", h.start_menu_shortcut())):
        try:
            found.append((place, path, shell_link.read(path)))
        except (OSError, shell_link.Malformed):
            found.append((place, path, None))
    return found


def install_folder(windows_dir, links):
    if windows_dir:
        return winebench.host_path(windows_dir)
    for _, _, link in links:
        if link is not None and link.working_dir:
            return winebench.host_path(link.working_dir)
    return None


def print_summary(windows_dir=None, exit_code=None):
    links = shortcuts()
    folder = install_folder(windows_dir, links)
    print()
    if folder is None or not folder.is_dir():
        print("demo: no installation found")
    else:
        print(f"demo: installed into {winebench.windows_path(folder)}")
        for path in sorted(p for p in folder.rglob("*") if p.is_file()):
            print(f"  {path.stat().st_size:>10}  {path.relative_to(folder).as_posix()}")
        manifest = folder / h.MANIFEST_NAME
        if manifest.is_file():
            print(f"demo: {h.MANIFEST_NAME}:")
            print("  " + manifest.read_text(encoding="utf-8").replace("\n", "\n  "))
    for place, path, link in links:
        where = winebench.windows_path(path)
        if link is None:
            print(f"demo: {place} shortcut {where}: missing")
        else:
            print(f"demo: {place} shortcut {where} -> {link.target} "
                  f"(in {link.working_dir}, \"{link.description}\")")
    if exit_code is not None:
        print(f"demo: orvane-setup.exe exited with code {exit_code}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--dir", help="the installation folder as Windows sees it")
    parser.add_argument("--exit-code", type=int)
    args = parser.parse_args()
    print_summary(args.dir, args.exit_code)
    return 0


if __name__ == "__main__":
    sys.exit(main())
