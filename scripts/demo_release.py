#!/usr/bin/env python3
"""Writes the demo's release for the local release service: the test browser as chrome.exe, a
zip with subfolders, a plain resource file (served a little slowly, so that the progress can be
watched) and an orvane-config.json.

    demo_release.py --root DIR --base-url https://127.0.0.1:47443 --browser chrome.exe
"""
import argparse
import hashlib
import json
import pathlib
import shutil
import sys

ROOT = pathlib.Path(__file__).resolve().parents[1]
sys.path[:0] = [str(ROOT / "tests"), str(ROOT / "tools")]  # the test bench and the release tool's packages
from orvane_release import build as release_builder  # noqa: E402
from orvane_release.build import Package  # noqa: E402

VERSION = "150.0.1"
RESOURCE_BYTES = 3 * 1024 * 1024
# About two seconds for the resource file: long enough to see the bar move.
RESOURCE_RATE = 1536 * 1024
CONFIG = {"homepage": "https://127.0.0.1/start", "version": "0.0"}
LOCALES = {
    "locales/zh-CN.pak": "你好，Orvane\n".encode("utf-8") * 200,
    "locales/en-US.pak": b"Hello, Orvane\n" * 200,
    "resources/theme/dark.css": b"body { background: #181a26; color: #e6e8f2; }\n",
}


def resource_bytes(size):
    """Deterministic filler, so that the release's checksums are the same on every run."""
    block = b"".join(hashlib.sha256(i.to_bytes(4, "big")).digest() for i in range(2048))
    return (block * (size // len(block) + 1))[:size]


def build(root, base_url, browser):
    root = pathlib.Path(root)
    shutil.rmtree(root / "files", ignore_errors=True)
    shutil.rmtree(root / "api", ignore_errors=True)
    packages = [
        Package("chrome.exe", source=pathlib.Path(browser)),
        Package("locales/zh-CN.pak", files=LOCALES, compressed=True),
        Package("resources.pak", content=resource_bytes(RESOURCE_BYTES),
                url_prefix=f"/_fault/slow={RESOURCE_RATE}"),
        Package("orvane-config.json", content=json.dumps(CONFIG).encode("utf-8")),
    ]
    return release_builder.build_release(root, base_url, VERSION, packages,
                                         changelog="Demo release")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--root", required=True)
    parser.add_argument("--base-url", required=True)
    parser.add_argument("--browser", required=True, help="the built test browser (chrome.exe)")
    args = parser.parse_args()
    manifest = build(args.root, args.base_url, args.browser)
    print(f"demo: release {manifest['version']} with {len(manifest['files'])} packages in {args.root}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
