"""The install pipeline through its window seam: orvane-probe.exe runs RunInstall on a window
model that is never shown and reports every setter call in order, against the local release
service; then the installation on disk is inspected."""
import shutil
import subprocess

from orvane_release import layout
from orvane_release import build as release_builder
from support import fixtures, probe, runner, winebench
from support import install_helpers as h

Package = release_builder.Package
SERVER_ROOT = winebench.BUILD_DIR / "tests" / "pipeline-server"
INSTALL = winebench.DRIVE_C / "pipeline test" / "Orvane"
FINISHING = "正在完成安装..."
FINISHED = "安装完成！点击「启动浏览器」开始使用。"
ZIP = {"locales/zh-CN.pak": "中文".encode() * 40, "locales/en.pak": b"en" * 40}


class InstallPipeline(fixtures.ServedTestCase):
    SERVER_ROOT = SERVER_ROOT

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.temp = fixtures.probe_temp_dir()

    def setUp(self):
        shutil.rmtree(INSTALL.parent, ignore_errors=True)
        INSTALL.mkdir(parents=True)

    def install(self, packages, version="150.0.1", **options):
        manifest = release_builder.build_release(SERVER_ROOT, self.server.url, version, packages)
        result = probe.one({"op": "run_install", "base_url": self.server.url,
                            "install_dir": winebench.windows_path(INSTALL), **options})
        self.assertTrue(result["fetched"])
        sizes = [f["file_size"] for f in manifest["files"]]
        return manifest, probe.parts_view(self, [(c["call"], c.get("value")) for c in result["calls"]], sizes=sizes)

    def test_three_packages_report_0_33_66_100_and_record_the_install(self):
        manifest, calls = self.install([
            Package("locales/zh-CN.pak", files=ZIP, compressed=True),
            Package("chrome.exe", content=b"MZ browser"),
            Package("orvane-config.json", content=b'{"version":"old","keep":{"a":1}}', checksum_sha256=""),
        ])
        self.assertEqual(calls, [
            ("progress", 0), ("status", "下载: 1/3  locales/zh-CN.pak"),
            ("progress", 33), ("status", "下载: 2/3  chrome.exe"),
            ("progress", 66), ("status", "下载: 3/3  orvane-config.json"),
            ("progress", 100), ("status", FINISHING), ("state", 2), ("status", FINISHED)])
        expected = h.manifest_text("150.0.1", "stable", [(f["file_path"], f["checksum_sha256"])
                                                         for f in manifest["files"]])
        self.assertEqual((INSTALL / "orvane-version.json").read_bytes(), expected)
        self.assertEqual((INSTALL / "orvane-config.json").read_bytes(),
                         b'{\n  "keep": {\n    "a": 1\n  },\n  "product_version": "150.0.1"\n}')
        self.assertEqual((INSTALL / "orvane-updater.exe").read_bytes(), probe.PROBE.read_bytes())
        for name, data in {**ZIP, "chrome.exe": b"MZ browser"}.items():
            self.assertEqual((INSTALL / name).read_bytes(), data)
        self.assertEqual(sorted(p.name for p in INSTALL.glob("*.orvane-tmp")), [])

    def test_empty_release_finishes_with_an_empty_file_list(self):
        _, calls = self.install([], version="2.0")
        self.assertEqual(calls, [("progress", 100), ("status", FINISHING), ("state", 2), ("status", FINISHED)])
        self.assertEqual((INSTALL / "orvane-version.json").read_bytes(),
                         b'{\n  "channel": "stable",\n  "files": [],\n  "version": "2.0"\n}')
        self.assertFalse((INSTALL / "orvane-config.json").exists())  # never created from nothing

    def test_failures_stop_with_the_reason_and_record_nothing(self):
        good = Package("first.bin", content=b"1")
        cases = [
            # (label, failing package, error text, what the directory holds afterwards)
            ("404", Package("second.bin", content=b"2", url_prefix="/_fault/status=404"),
             "下载失败: second.bin\nHTTP 404", ["first.bin"]),
            # A plain file is checked before it takes its place: nothing of it lands.
            ("wrong digest", Package("second.bin", content=b"2", checksum_sha256="0" * 64),
             "下载失败: second.bin\nchecksum mismatch", ["first.bin"]),
            ("corrupt zip", Package("second.bin", content=b"PK\x03\x04 broken", compressed=True,
                                    checksum_sha256="", zip_checksum=""), None, ["first.bin"]),
        ]
        for label, bad, error, left in cases:
            with self.subTest(label):
                self.setUp()
                manifest = release_builder.build_release(SERVER_ROOT, self.server.url, "1", [good, bad])
                if label == "corrupt zip":
                    stored = layout.stored_file(SERVER_ROOT, manifest["files"][1]["download_url"])
                    stored.write_bytes(b"PK\x03\x04 broken")
                    error = "下载失败: second.bin\narchive could not be extracted"
                result = probe.one({"op": "run_install", "base_url": self.server.url,
                                    "install_dir": winebench.windows_path(INSTALL)})
                calls = probe.parts_view(self, [(c["call"], c.get("value")) for c in result["calls"]],
                                         sizes=[f["file_size"] for f in manifest["files"]])
                self.assertEqual(calls, [("progress", 0), ("status", "下载: 1/2  first.bin"),
                                         ("progress", 50), ("status", "下载: 2/2  second.bin"),
                                         ("error", error)])
                self.assertEqual(sorted(p.name for p in INSTALL.iterdir()), left)  # no manifest
                self.assertFalse(self.temp.exists(), "the downloads stayed after a failure")

    def test_cancel_stops_the_download_under_way_and_removes_the_downloads(self):
        _, calls = self.install([Package(f"p{i}.bin", content=bytes([i])) for i in range(3)],
                                cancel_at_status=2)
        self.assertEqual(calls, [("progress", 0), ("status", "下载: 1/3  p0.bin"),
                                 ("progress", 33), ("status", "下载: 2/3  p1.bin")])
        self.assertEqual(sorted(p.name for p in INSTALL.iterdir()), ["p0.bin"])
        self.assertFalse(self.temp.exists())

    def test_a_slow_package_moves_the_bar_and_the_line_by_its_bytes(self):
        size = 6 * 1024 * 1024
        manifest = release_builder.build_release(SERVER_ROOT, self.server.url, "150.0.1", [
            Package("small.bin", content=b"s" * 1000),
            Package("big.bin", content=bytes(size), url_prefix=f"/_fault/slow={size // 2}")])
        result = probe.one({"op": "run_install", "base_url": self.server.url,
                            "install_dir": winebench.windows_path(INSTALL)})
        calls = [(c["call"], c.get("value")) for c in result["calls"]]
        lines = [value for call, value in calls if call == "status" and value.startswith("下载: 2/2  big.bin  ")]
        self.assertGreaterEqual(len(lines), 3, calls)  # about 2 s of download, a line at most every 0.25 s
        self.assertLessEqual(len(lines), 14, calls)
        self.assertEqual(lines[-1], "下载: 2/2  big.bin  6.0 / 6.0 MB")
        # The big package weighs nearly everything: the bar passes values between the boundaries.
        inside = {value for call, value in calls if call == "progress" and 50 < value < 100}
        self.assertGreaterEqual(len(inside), 5, calls)
        sizes = [f["file_size"] for f in manifest["files"]]
        self.assertEqual(probe.parts_view(self, calls, sizes=sizes)[-2:], [("state", 2), ("status", FINISHED)])
        self.assertEqual((INSTALL / "big.bin").stat().st_size, size)
        del manifest

    def test_removing_the_downloads_never_follows_a_link(self):
        outside = INSTALL.parent / "outside"
        (outside / "deep").mkdir(parents=True)
        (outside / "deep" / "keep.txt").write_bytes(b"keep")
        self.temp.mkdir(parents=True, exist_ok=True)
        (self.temp / "left.zip").write_bytes(b"from an earlier run")
        # A link made on the host: Wine shows it as a directory reparse point.
        link = self.temp / "link"
        link.symlink_to(outside, target_is_directory=True)
        self.addCleanup(lambda: link.unlink(missing_ok=True))
        _, calls = self.install([Package("a.bin", content=b"a")])
        self.assertEqual(calls[-2:], [("state", 2), ("status", FINISHED)])
        self.assertEqual((outside / "deep" / "keep.txt").read_bytes(), b"keep")
        self.assertFalse((self.temp / "left.zip").exists())
        # Windows removes the link itself; Wine 8 cannot (error 145), so it may stay, unfollowed.
        self.assertEqual([p.name for p in self.temp.iterdir()] if self.temp.exists() else [],
                         ["link"] if link.is_symlink() else [])

    def test_a_drive_too_small_or_read_only_fails_before_any_download(self):
        packages = [Package("chrome.exe", content=b"MZ browser"), Package("big.bin", content=bytes(3 << 20))]
        release_builder.build_release(SERVER_ROOT, self.server.url, "1.0", packages)
        for label, size in (("too small", "2m"), ("read-only", "8m")):
            with self.subTest(label), winebench.small_drive(self, size, "T") as drive:
                folder = drive / "Orvane"
                folder.mkdir()
                if label == "read-only":
                    subprocess.run(["mount", "-o", "remount,ro", drive], check=True)
                free = shutil.disk_usage(drive).free >> 20
                self.server.clear_requests()
                result = probe.one({"op": "run_install", "base_url": self.server.url,
                                    "install_dir": "T:\\Orvane"})
                left = list(folder.iterdir())
                # The release (3 MiB and a few bytes, so 4 MB) against what the drive has free;
                # the downloads go to the temporary folder on another drive.
                expected = {"too small": f"磁盘空间不足: 需要 4 MB，可用 {free} MB",
                            "read-only": "无法写入安装目录: T:\\Orvane"}[label]
                self.assertEqual(result["calls"][-1], {"call": "error", "value": expected})
                self.assertEqual([p for _, p, _ in self.server.requests() if p.startswith("/files/")], [])
                self.assertEqual(left, [])

    def test_a_reinstall_whose_zip_holds_the_journal_keeps_its_untrusted_mark(self):
        self.install([Package("chrome.exe", content=b"MZ one")])
        packages = [Package("locales/zh-CN.pak", files={**ZIP, "orvane-update.pending": b"planted"}, compressed=True),
                    Package("chrome.exe", content=b"MZ two")]
        _, calls = self.install(packages)
        self.assertEqual(calls[-1], ("error", "下载失败: locales/zh-CN.pak\narchive holds a record of the installation"))
        # The reinstall's mark stays what it wrote (the next updater fetches everything), and no
        # file of the zip was unpacked.
        self.assertEqual((INSTALL / "orvane-update.pending").read_bytes(), b"orvane-update 2\nuntrusted\n")
        self.assertEqual(list((INSTALL / "locales").rglob("*")), [])

    def test_two_large_downloads_need_room_together_on_the_temporary_drive(self):
        packages = [Package("a.bin", content=bytes(3 << 20)), Package("b.bin", content=bytes(3 << 20))]
        manifest = release_builder.build_release(SERVER_ROOT, self.server.url, "1.0", packages)
        with winebench.small_drive(self, "5m", "T") as drive:
            free = shutil.disk_usage(drive).free >> 20
            self.server.clear_requests()
            result = probe.one({"op": "run_install", "base_url": self.server.url, "temp": "T:\\",
                                "install_dir": winebench.windows_path(INSTALL)})
            left = list(drive.iterdir())
        needed = -(-sum(e["file_size"] for e in manifest["files"]) >> 20)
        self.assertEqual(result["calls"][-1], {"call": "error", "value": f"磁盘空间不足: 需要 {needed} MB，可用 {free} MB"})
        self.assertEqual([p for _, p, _ in self.server.requests() if p.startswith("/files/")], [])
        self.assertEqual((left, list(INSTALL.iterdir())), ([], []))

    def test_no_byte_past_the_size_the_release_announces_is_written(self):
        announced, served = 1 << 20, 65 << 20
        for label, fault in (("Content-Length past it", ""), ("chunked, no length", "/_fault/chunked")):
            with self.subTest(label):
                self.setUp()
                release_builder.write_manifest(SERVER_ROOT, {"version": "1", "files": [
                    {"file_path": "x.bin", "file_size": announced, "compressed": False,
                     "download_url": f"{self.server.url}{fault}/gen/{served}"}]})
                with winebench.LargestFile(self.temp) as temp:
                    result = probe.one({"op": "run_install", "base_url": self.server.url,
                                        "install_dir": winebench.windows_path(INSTALL)})
                self.assertEqual(result["calls"][-1], {"call": "error", "value": "下载失败: x.bin\nlarger than announced"})
                self.assertLessEqual(temp.largest, announced)
                self.assertEqual(list(INSTALL.iterdir()), [])

    def test_paths_that_leave_the_directory_are_refused(self):
        for path in ("..\\x.bin", "C:\\x.bin"):
            with self.subTest(path):
                self.setUp()
                release_builder.write_manifest(SERVER_ROOT, {"version": "1", "files": [
                    {"file_path": path, "download_url": self.server.url + "/gen/10", "compressed": False}]})
                result = probe.one({"op": "run_install", "base_url": self.server.url,
                                    "install_dir": winebench.windows_path(INSTALL)})
                self.assertEqual(result["calls"][-1], {"call": "error",
                                                       "value": f"下载失败: {path}\ninvalid file path"})
                self.assertEqual(list(INSTALL.iterdir()), [])
                self.assertFalse((INSTALL.parent / "x.bin").exists())
                self.assertFalse((winebench.DRIVE_C / "x.bin").exists())


if __name__ == "__main__":
    runner.main()
