"""The bench's tar: `cmd.exe /c tar -xf "<zip>" -C "<dir>"` extracts real zips inside Wine."""
import shutil
import unittest
import zipfile

from support import runner, winebench

WORK = winebench.DRIVE_C / "bench tar"
PAYLOAD = {
    "chrome.exe": b"MZ" + bytes(range(256)) * 40,
    "locales/zh-CN.pak": "中文资源".encode("utf-8") * 100,
    "resources/deep/nested/data.bin": bytes(1000),
    "empty.txt": b"",
}


def extract(zip_path, dest):
    """Runs the extraction exactly as the installer's command line spells it."""
    return winebench.run_wine(["cmd.exe", "/c", "tar", "-xf", winebench.windows_path(zip_path),
                               "-C", winebench.windows_path(dest)])


def files_under(root):
    return {p.relative_to(root).as_posix(): p.read_bytes() for p in root.rglob("*") if p.is_file()}


class TarStandIn(unittest.TestCase):
    def setUp(self):
        shutil.rmtree(WORK, ignore_errors=True)
        WORK.mkdir(parents=True)
        self.dest = WORK / "install dir"
        self.dest.mkdir()

    def make_zip(self, name, entries):
        path = WORK / name
        with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as archive:
            for entry, data in entries.items():
                archive.writestr(zipfile.ZipInfo(entry), data)
        return path

    def test_real_zip_extracts_into_folder_with_spaces(self):
        done = extract(self.make_zip("package one.zip", PAYLOAD), self.dest)
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertEqual(files_under(self.dest), PAYLOAD)

    def test_bad_archives_fail(self):
        cases = {
            "corrupt zip": b"PK\x03\x04" + bytes(range(200)),
            "not an archive": "这不是压缩包".encode("utf-8"),
            "truncated zip": None,  # a real zip cut in half
        }
        for label, data in cases.items():
            with self.subTest(label):
                path = WORK / (label + ".zip")
                if data is None:
                    whole = self.make_zip("whole.zip", PAYLOAD).read_bytes()
                    data = whole[: len(whole) // 2]
                path.write_bytes(data)
                self.assertNotEqual(extract(path, self.dest).returncode, 0)

    def test_missing_archive_and_missing_destination_fail(self):
        good = self.make_zip("good.zip", PAYLOAD)
        self.assertNotEqual(extract(WORK / "absent.zip", self.dest).returncode, 0)
        self.assertNotEqual(extract(good, WORK / "no such dir" / "below").returncode, 0)

    def test_entries_leaving_the_destination_write_nothing_outside(self):
        path = self.make_zip("escape.zip", {"../escaped.txt": b"x", "ok.txt": b"fine"})
        extract(path, self.dest)
        self.assertFalse((WORK / "escaped.txt").exists())


if __name__ == "__main__":
    runner.main(verbosity=2)
