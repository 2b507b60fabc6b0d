"""Sha256File under Wine against sha256sum on the same bytes."""
import os
import shutil
import subprocess
import unittest

from support import probe, runner, winebench

WORK = winebench.DRIVE_C / "sha256 test"
MIB = 1024 * 1024


def sha256sum(path):
    return subprocess.run(["sha256sum", str(path)], capture_output=True, text=True,
                          check=True).stdout.split()[0]


class Sha256File(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        shutil.rmtree(WORK, ignore_errors=True)
        WORK.mkdir(parents=True)

    def test_digests_match_sha256sum(self):
        sizes = {"empty": 0, "abc": 3, "one chunk less one": MIB - 1, "one chunk": MIB,
                 "one chunk and one": MIB + 1, "three chunks": 3 * MIB, "文件 名": 12345}
        paths = {}
        for label, size in sizes.items():
            path = WORK / f"{label}.bin"
            path.write_bytes(b"abc" if label == "abc" else os.urandom(size))
            paths[label] = path
        results = probe.run([{"op": "sha256", "path": winebench.windows_path(p)} for p in paths.values()])
        for (label, path), result in zip(paths.items(), results):
            with self.subTest(label):
                self.assertEqual(result["digest"], sha256sum(path))
        self.assertEqual(results[0]["digest"],
                         "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855")
        self.assertEqual(results[1]["digest"],
                         "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad")

    def test_unreadable_paths_give_empty_text(self):
        (WORK / "a folder").mkdir(exist_ok=True)
        cases = {"missing file": WORK / "missing.bin", "directory": WORK / "a folder",
                 "missing folder": WORK / "nowhere" / "x.bin"}
        results = probe.run([{"op": "sha256", "path": winebench.windows_path(p)} for p in cases.values()])
        for label, result in zip(cases, results):
            with self.subTest(label):
                self.assertEqual(result["digest"], "")


if __name__ == "__main__":
    runner.main()
