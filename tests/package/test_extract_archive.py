"""ExtractArchive under Wine: real zips through the prefix's tar, started directly."""
import shutil
import unittest
import zipfile

from support import probe, runner, winebench

WORK = winebench.DRIVE_C / "extract test"
PAYLOAD = {
    "chrome.exe": b"MZ" + bytes(range(256)) * 64,
    "locales/zh-CN.pak": "中文资源".encode("utf-8") * 50,
    "资源/深/数据.bin": bytes(range(7)) * 1000,
    "empty.txt": b"",
}


def make_zip(path, entries):
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as archive:
        for name, data in entries:
            archive.writestr(zipfile.ZipInfo(name), data)
    return path


def files_under(root):
    return {p.relative_to(root).as_posix(): p.read_bytes() for p in root.rglob("*") if p.is_file()}


def extract(zip_path, dest):
    return probe.one({"op": "extract", "zip": winebench.windows_path(zip_path),
                      "dest": winebench.windows_path(dest)})["ok"]


class ExtractArchive(unittest.TestCase):
    def setUp(self):
        shutil.rmtree(WORK, ignore_errors=True)
        WORK.mkdir(parents=True)

    def test_paths_with_spaces_and_a_destination_made_one_level_deep(self):
        # Nothing in a name is expanded or taken for a command: no interpreter stands between.
        for folder in ("install dir", "%USERNAME% & x^ !y!"):
            with self.subTest(folder):
                archive = make_zip(WORK / f"{folder}.zip", PAYLOAD.items())
                dest = WORK / folder / "new level"
                (WORK / folder).mkdir()
                self.assertTrue(extract(archive, dest))
                self.assertEqual(files_under(dest), PAYLOAD)

    def test_a_missing_parent_fails_and_creates_nothing(self):
        archive = make_zip(WORK / "p.zip", PAYLOAD.items())
        self.assertFalse(extract(archive, WORK / "no parent" / "dest"))
        self.assertFalse((WORK / "no parent").exists())

    def test_bad_archives_fail(self):
        whole = make_zip(WORK / "whole.zip", PAYLOAD.items()).read_bytes()
        cases = {"corrupt": b"PK\x03\x04" + bytes(range(200)), "not a zip": "不是压缩包".encode(),
                 "truncated": whole[: len(whole) // 2], "missing": None}
        results = []
        for label, data in cases.items():
            path = WORK / f"{label}.zip"
            if data is not None:
                path.write_bytes(data)
            results.append({"op": "extract", "zip": winebench.windows_path(path),
                            "dest": winebench.windows_path(WORK / f"dest {label}")})
        for label, result in zip(cases, probe.run(results)):
            with self.subTest(label):
                self.assertFalse(result["ok"])

    def test_entries_that_try_to_leave_write_nothing_outside(self):
        dest = WORK / "inside" / "dest"
        dest.parent.mkdir()
        before = set(winebench.DRIVE_C.rglob("*evil*"))
        archive = make_zip(WORK / "hostile.zip", [("../evil-up.txt", b"x"), ("a/../../evil-up2.txt", b"x"),
                                                 ("/evil-abs.txt", b"x"), ("C:/evil-drive.txt", b"x"),
                                                 ("good.txt", b"kept")])
        extract(archive, dest)
        outside = set(winebench.DRIVE_C.rglob("*evil*")) - before
        self.assertEqual({p for p in outside if dest not in p.parents}, set())
        self.assertFalse((WORK / "inside" / "evil-up.txt").exists())
        self.assertEqual((dest / "good.txt").read_bytes(), b"kept")


if __name__ == "__main__":
    runner.main()
