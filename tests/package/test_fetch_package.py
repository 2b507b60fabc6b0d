"""FetchPackage under Wine: real downloads from the local release service, real digests, real
extraction, and what is left on disk afterwards."""
import shutil

from orvane_release import layout
from orvane_release import build as release_builder
from orvane_release.digest import sha256_hex
from support import fixtures, probe, runner, winebench

Package = release_builder.Package
SERVER_ROOT = winebench.BUILD_DIR / "tests" / "package-server"
WORK = winebench.DRIVE_C / "fetch test"
INSTALL = WORK / "Orvane dir"
ZIP_FILES = {"locales/zh-CN.pak": "中文".encode() * 100, "locales/en.pak": b"english" * 50,
             "resources/deep/nested/data.bin": bytes(range(256)) * 8}


class FetchPackage(fixtures.ServedTestCase):
    SERVER_ROOT = SERVER_ROOT

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.temp = fixtures.probe_temp_dir()

    def setUp(self):
        shutil.rmtree(WORK, ignore_errors=True)
        INSTALL.mkdir(parents=True)
        self.server.clear_requests()
        shutil.rmtree(self.temp, ignore_errors=True)

    def fetch(self, packages, install_dir=None):
        """FetchPackage for each package in turn on one client; [(ok, last_error)]."""
        files = release_builder.build_release(SERVER_ROOT, self.server.url, "1", packages)["files"]
        return self.fetch_entries(files, install_dir)

    def fetch_entries(self, files, install_dir=None):
        install = winebench.windows_path(install_dir or INSTALL)
        results = probe.run([{"op": "fetch_package", "file": entry, "install_dir": install, "position": i}
                             for i, entry in enumerate(files)])
        return [(r["ok"], r["last_error"]) for r in results]

    def downloads_left(self):
        return fixtures.tree(self.temp) if self.temp.exists() else {}

    def test_compressed_and_plain_packages_with_subfolders(self):
        results = self.fetch([
            Package("locales/zh-CN.pak", files=ZIP_FILES, compressed=True),
            Package("bin/sub/tool.dll", content=b"MZ tool"),
            Package("chrome.exe", content=b"MZ browser"),
        ])
        self.assertEqual(results, [(True, "")] * 3)
        self.assertEqual(fixtures.tree(INSTALL), {**ZIP_FILES, "bin/sub/tool.dll": b"MZ tool",
                                         "chrome.exe": b"MZ browser"})
        self.assertEqual(self.downloads_left(), {})

    def test_checksum_rules(self):
        cases = [
            # (label, package, ok, what the installation holds afterwards)
            ("both checksums empty", Package("a.bin", content=b"a", checksum_sha256="", zip_checksum=""),
             True, {"a.bin": b"a"}),
            ("archive without file_path, no checksum", Package(
                "missing.pak", files={"other.pak": b"o"}, compressed=True, checksum_sha256=""),
             True, {"other.pak": b"o"}),
            ("archive without file_path, checksum given", Package(
                "missing.pak", files={"other.pak": b"o"}, compressed=True,
                checksum_sha256=sha256_hex(b"x")),
             (False, "checksum mismatch"), {"other.pak": b"o"}),
            # A plain file is judged before it takes its place.
            ("uppercase checksum", Package(
                "b.bin", content=b"b", checksum_sha256=sha256_hex(b"b").upper()),
             (False, "checksum mismatch"), {}),
        ]
        for label, package, ok, installed in cases:
            with self.subTest(label):
                self.setUp()
                self.assertEqual(self.fetch([package]), [ok if isinstance(ok, tuple) else (ok, "")])
                self.assertEqual(fixtures.tree(INSTALL), installed)

    def test_wrong_download_digest_keeps_the_download_in_the_temporary_folder(self):
        cases = {"wrong": "0" * 64, "uppercase": sha256_hex(b"zipped").upper()}
        for label, zip_checksum in cases.items():
            with self.subTest(label):
                self.setUp()
                results = self.fetch([Package("dir/z.bin", content=b"zipped", zip_checksum=zip_checksum)])
                self.assertEqual(results, [(False, "download checksum mismatch")])
                self.assertEqual(fixtures.tree(INSTALL), {})
                self.assertEqual(self.downloads_left(), {"0.zip": b"zipped"})

    def test_what_is_already_in_place_is_replaced(self):
        cases = [
            # (label, what the folder holds, package, result, what it holds afterwards)
            ("same bytes", b"same", Package("x.bin", content=b"same"), (True, ""), b"same"),
            ("older bytes", b"old", Package("x.bin", content=b"new"), (True, ""), b"new"),
            ("older bytes, no checksum", b"old", Package("x.bin", content=b"new", checksum_sha256=""),
             (True, ""), b"new"),
            ("a bad download keeps the installed file", b"old",
             Package("x.bin", content=b"new", checksum_sha256="0" * 64), (False, "checksum mismatch"), b"old"),
            ("archive over older bytes", b"old", Package("x.bin", files={"x.bin": b"new"}, compressed=True),
             (True, ""), b"new"),
            ("a folder in the way", None, Package("x.bin", content=b"new"),
             (False, "cannot replace existing file"), None),
        ]
        for label, before, package, result, after in cases:
            with self.subTest(label):
                self.setUp()
                target = INSTALL / "x.bin"
                if before is None:
                    (target / "inside").mkdir(parents=True)
                else:
                    target.write_bytes(before)
                self.assertEqual(self.fetch([package]), [result])
                self.assertEqual(target.read_bytes() if after is not None else target.is_dir(),
                                 after if after is not None else True)

    def test_failed_transfers(self):
        results = self.fetch([
            Package("gone.bin", content=b"x", url_prefix="/_fault/status=404"),
            Package("cut.bin", content=b"y" * 100000, url_prefix="/_fault/truncate=500"),
        ])
        self.assertEqual(results, [(False, "HTTP 404"), (False, "incomplete download")])
        self.assertEqual(fixtures.tree(INSTALL), {})

    def test_corrupt_archive_fails(self):
        files = release_builder.build_release(SERVER_ROOT, self.server.url, "1", [
            Package("bad.pak", files={"bad.pak": b"x"}, compressed=True)])["files"]
        stored = layout.stored_file(SERVER_ROOT, files[0]["download_url"])
        stored.write_bytes(stored.read_bytes()[:30])
        files[0]["zip_checksum"] = ""
        self.assertEqual(self.fetch_entries(files), [(False, "archive could not be extracted")])
        self.assertEqual(fixtures.tree(INSTALL), {})

    def test_non_ascii_paths(self):
        results = self.fetch([Package("资源/文件.pak", content="内容".encode()),
                              Package("语言/中文.pak", files={"语言/中文.pak": b"zh"}, compressed=True)],
                             install_dir=WORK / "安装 目录")
        self.assertEqual(results, [(True, ""), (True, "")])
        self.assertEqual(fixtures.tree(WORK / "安装 目录"), {"资源/文件.pak": "内容".encode(), "语言/中文.pak": b"zh"})
        self.assertEqual(self.downloads_left(), {})

    def test_unsafe_paths_are_refused_before_anything_is_written(self):
        before = fixtures.tree(winebench.DRIVE_C / "users")
        unsafe = ["..\\x.bin", "../x.bin", "a/../../x.bin", "C:\\x.bin", "C:x.bin", "\\x.bin", "/x.bin",
                  "\\\\server\\share\\x.bin", "x.bin:stream", "...\\x.bin",
                  "bad\udcff.bin", "half\udce4\udcb8.bin",  # bytes that are not UTF-8
                  "COM1.pak", "nul", "a/LPT9.txt", "CON.zip"]  # devices: a serial port is no file
        files = [{"file_path": path, "download_url": self.server.url + "/gen/10", "compressed": False,
                  "checksum_sha256": "", "zip_checksum": ""} for path in unsafe]
        results = self.fetch_entries(files)
        self.assertEqual(results, [(False, "invalid file path")] * len(unsafe))
        self.assertEqual(self.server.requests(), [])
        self.assertEqual(fixtures.tree(WORK), {})
        self.assertEqual(fixtures.tree(winebench.DRIVE_C / "users"), before)
        self.assertFalse((winebench.DRIVE_C / "x.bin").exists())


if __name__ == "__main__":
    runner.main()
