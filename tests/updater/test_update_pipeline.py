"""The update pipeline through its window seam (orvane-probe.exe run_update on a model that is
never shown) against the local release service, on an installation the install pipeline made.
Every outcome is checked on disk: files byte for byte, backups, staging folder, records."""
import contextlib
import json
import shutil

from orvane_release import layout
from orvane_release import build as release_builder
from orvane_release.digest import sha256_hex
from support import fixtures, probe, runner, winebench

Package = release_builder.Package
SERVER_ROOT = winebench.BUILD_DIR / "tests" / "update-server"
INSTALL = winebench.DRIVE_C / "update test" / "Orvane"
PAUSES = winebench.BUILD_DIR / "tests" / "update-pauses"
UPDATED = "更新完成！点击「启动浏览器」继续。"

V1 = {"locales/zh-CN.pak": "中文一".encode() * 30, "locales/en.pak": b"english one" * 30,
      "chrome.exe": b"MZ browser one", "orvane-config.json": b'{"keep":"mine","o":{"x":1}}',
      "data.bin": b"data one"}
V2_ZIP = {"locales/zh-CN.pak": "中文二".encode() * 30, "locales/en.pak": b"english two" * 30}
V2_CONFIG = b'{"keep":"theirs","o":{"x":2,"y":2},"added":true,"version":"x"}'


def release_v1():
    zip_files = {k: v for k, v in V1.items() if k.startswith("locales/")}
    return [Package("locales/zh-CN.pak", files=zip_files, compressed=True),
            Package("chrome.exe", content=V1["chrome.exe"]),
            Package("orvane-config.json", content=V1["orvane-config.json"], checksum_sha256=""),
            Package("data.bin", content=V1["data.bin"])]


def release_v2(**last):
    """Two of four packages change: the zip and the config (its checksum is published now)."""
    return [Package("locales/zh-CN.pak", files=V2_ZIP, compressed=True),
            Package("chrome.exe", content=V1["chrome.exe"]),
            Package("orvane-config.json", content=V2_CONFIG),
            Package("data.bin", content=V1["data.bin"], **last)]


class UpdatePipeline(fixtures.ServedTestCase):
    SERVER_ROOT = SERVER_ROOT

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.staging = winebench.host_path(probe.one(
            {"op": "update_staging", "install_dir": winebench.windows_path(INSTALL)})["path"])

    def setUp(self):
        shutil.rmtree(INSTALL.parent, ignore_errors=True)
        shutil.rmtree(self.staging, ignore_errors=True)
        INSTALL.mkdir(parents=True)
        release_builder.build_release(SERVER_ROOT, self.server.url, "1.0", release_v1())
        done = probe.one({"op": "run_install", "base_url": self.server.url,
                          "install_dir": winebench.windows_path(INSTALL)})
        self.assertEqual(done["calls"][-2], {"call": "state", "value": 2})
        self.installed = fixtures.tree(INSTALL)

    def update(self, packages, version="2.0", **options):
        manifest = release_builder.build_release(SERVER_ROOT, self.server.url, version, packages)
        self.server.clear_requests()
        result = probe.one({"op": "run_update", "base_url": self.server.url,
                            "install_dir": winebench.windows_path(INSTALL), **options})
        files = [path for _, path, _ in self.server.requests() if path.startswith("/files/")]
        calls = probe.parts_view(self, [(c["call"], c.get("value")) for c in result["calls"]], share=80,
                                 sizes={f["file_path"]: f["file_size"] for f in manifest["files"]})
        return manifest, calls, files, result

    def records(self):
        return (INSTALL / "orvane-version.json").read_bytes(), (INSTALL / "orvane-config.json").read_bytes()

    def test_only_changed_packages_are_fetched_and_replaced(self):
        manifest, calls, fetched, _ = self.update(release_v2())
        self.assertEqual(calls, [
            ("progress", 0), ("status", "下载: 1/2  locales/zh-CN.pak"),
            ("progress", 40), ("status", "下载: 2/2  orvane-config.json"),
            ("progress", 82), ("status", "正在关闭浏览器..."),
            ("progress", 82), ("status", "替换文件: locales/zh-CN.pak"),
            ("progress", 90), ("status", "替换文件: orvane-config.json"),
            ("progress", 98), ("status", "更新版本信息..."),
            ("progress", 100), ("state", 2), ("status", UPDATED)])
        self.assertEqual(len(fetched), 2)
        now = fixtures.tree(INSTALL)
        # Every file of a changed zip arrives, and is recorded with its digest.
        self.assertEqual(now["locales/zh-CN.pak"], V2_ZIP["locales/zh-CN.pak"])
        self.assertEqual(now["locales/en.pak"], V2_ZIP["locales/en.pak"])
        self.assertEqual(self.zip_members(now), {path: sha256_hex(data)
                                                 for path, data in V2_ZIP.items()})
        self.assertEqual(now["chrome.exe"], V1["chrome.exe"])
        self.assertEqual([n for n in now if n.endswith(".bak") or n.endswith(".pending")], [])
        self.assertFalse(self.staging.exists())
        recorded = json.loads(now["orvane-version.json"])
        self.assertEqual(recorded["version"], "2.0")
        self.assertEqual([f["file_path"] for f in recorded["files"]],
                         [f["file_path"] for f in manifest["files"]])
        # Installed values win, new keys are added, "version" goes, "product_version" is set.
        self.assertEqual(json.loads(now["orvane-config.json"]),
                         {"keep": "mine", "o": {"x": 1, "y": 2}, "added": True, "product_version": "2.0"})

    @staticmethod
    def zip_members(files):
        packages = json.loads(files["orvane-zip-members.json"])["packages"]
        return {m["file_path"]: m["checksum_sha256"] for p in packages for m in p["members"]}

    def test_the_files_of_a_zip_follow_the_release(self):
        zh, en = V1["locales/zh-CN.pak"], V1["locales/en.pak"]
        cases = [
            # (label, the zip's files in 2.0, file held open or None, files after the update)
            ("a file other than its file_path changed", {"locales/zh-CN.pak": zh, "locales/en.pak": b"en 2"},
             None, {"locales/zh-CN.pak": zh, "locales/en.pak": b"en 2"}),
            ("a file added", {"locales/zh-CN.pak": zh, "locales/en.pak": en, "locales/fr.pak": b"fr"},
             None, {"locales/zh-CN.pak": zh, "locales/en.pak": en, "locales/fr.pak": b"fr"}),
            ("a file dropped", {"locales/zh-CN.pak": zh}, None, {"locales/zh-CN.pak": zh}),
            ("a file dropped, rolled back", {"locales/zh-CN.pak": zh}, "orvane-version.json",
             {"locales/zh-CN.pak": zh, "locales/en.pak": en}),
        ]
        for label, zip_files, held, expected in cases:
            with self.subTest(label):
                self.setUp()
                packages = release_v1()
                packages[0] = Package("locales/zh-CN.pak", files=zip_files, compressed=True)
                with probe.holding(INSTALL / held) if held else contextlib.nullcontext():
                    _, calls, fetched, _ = self.update(packages)
                now = fixtures.tree(INSTALL)
                self.assertEqual({n: d for n, d in now.items() if n.startswith("locales/")}, expected)
                self.assertEqual([n for n in now if n.endswith((".bak", ".new", ".pending"))], [])
                if held:
                    self.assertEqual(now, self.installed)
                    # The record that could not take its place is named, after the undo.
                    self.assertEqual(calls[-1], ("error", "无法写入安装记录: " + winebench.windows_path(INSTALL / held)))
                    continue
                self.assertEqual(calls[-1], ("status", UPDATED))
                self.assertEqual(len(fetched), 1)  # the zip; nothing else changed
                self.assertEqual(self.zip_members(now), {path: sha256_hex(data)
                                                         for path, data in expected.items()})

    def test_nothing_changed_rewrites_the_records_only(self):
        _, calls, fetched, _ = self.update(release_v1(), version="1.0")
        self.assertEqual(calls, [("state", 2), ("status", "已是最新版本！")])
        self.assertEqual(fetched, [])

    def test_failures_on_the_last_package_leave_the_installation_untouched(self):
        cases = {"404": {"url_prefix": "/_fault/status=404"}, "wrong digest": {"checksum_sha256": "0" * 64},
                 "wrong download digest": {"zip_checksum": "f" * 64}}
        texts = {"404": "下载失败: data.bin", "wrong digest": "文件校验失败: data.bin",
                 "wrong download digest": "校验失败: data.bin"}
        for label, last in cases.items():
            with self.subTest(label):
                packages = release_v2(**last)
                packages[3] = Package("data.bin", content=b"data two", **last)
                _, calls, _, _ = self.update(packages)
                self.assertEqual(calls[-1], ("error", texts[label]))
                self.assertNotIn(("status", "正在关闭浏览器..."), calls)
                self.assertEqual(fixtures.tree(INSTALL), self.installed)
                self.assertFalse(self.staging.exists())  # the earlier packages' downloads went too

    def test_a_staging_drive_too_small_fails_before_the_first_download(self):
        packages = release_v2()
        packages[3] = Package("data.bin", content=bytes(3 << 20))
        with winebench.small_drive(self, "2m", "T") as drive:
            free = shutil.disk_usage(drive).free >> 20
            manifest, calls, fetched, _ = self.update(packages, temp="T:\\")
            left = list(drive.iterdir())
        # The changed packages staged, and the two largest downloads beside them.
        changed = sorted(e["file_size"] for e in manifest["files"] if e["file_path"] != "chrome.exe")
        needed = -(-(sum(changed) + sum(changed[-2:])) >> 20)
        self.assertEqual(calls[-1], ("error", f"磁盘空间不足: 需要 {needed} MB，可用 {free} MB"))
        self.assertEqual((fetched, left), ([], []))
        self.assertEqual(fixtures.tree(INSTALL), self.installed)

    def test_an_archive_that_does_not_extract_leaves_the_installation_untouched(self):
        packages = release_v2()
        packages[3] = Package("data.bin", files={"data.bin": b"data two"}, compressed=True)
        manifest = release_builder.build_release(SERVER_ROOT, self.server.url, "2.0", packages)
        stored = layout.stored_file(SERVER_ROOT, manifest["files"][3]["download_url"])
        stored.write_bytes(stored.read_bytes()[:40])
        manifest["files"][3]["zip_checksum"] = ""
        release_builder.write_manifest(SERVER_ROOT, manifest)
        result = probe.one({"op": "run_update", "base_url": self.server.url,
                            "install_dir": winebench.windows_path(INSTALL)})
        self.assertEqual(result["calls"][-1], {"call": "error", "value": "解压失败: data.bin"})
        self.assertEqual(fixtures.tree(INSTALL), self.installed)

    def test_a_failed_replacement_restores_every_replaced_file(self):
        cases = [
            # (what is held open, so that it cannot be moved aside, and the error)
            (INSTALL / "orvane-config.json", "替换文件失败: orvane-config.json"),
            # The records are replaced like files, after them: the files go back too.
            (INSTALL / "orvane-version.json",
             "无法写入安装记录: " + winebench.windows_path(INSTALL / "orvane-version.json")),
        ]
        for held, error in cases:
            with self.subTest(held.name):
                self.setUp()
                with probe.holding(held):
                    # A file the update adds goes again too.
                    _, calls, _, _ = self.update(release_v2() + [Package("extra/new.bin", content=b"new")])
                self.assertEqual(calls[-1], ("error", error))
                self.assertEqual(fixtures.tree(INSTALL), self.installed)  # byte for byte, no marker, no .bak

    def test_a_cancel_during_replacement_restores(self):
        _, calls, _, _ = self.update(release_v2(), cancel_at_status=4)  # the first replacement line
        self.assertEqual(calls[-1], ("status", "替换文件: locales/zh-CN.pak"))
        self.assertEqual(fixtures.tree(INSTALL), self.installed)

    def test_a_zip_that_holds_a_record_of_the_installation_is_refused(self):
        # Moved into place by the journal, a member at the journal's name would leave a journal
        # nobody can undo; at a record's, every later update would fail at the records.
        for member in ("orvane-update.pending", "ORVANE-VERSION.JSON", "orvane-zip-members.json.new"):
            with self.subTest(member):
                packages = release_v2()
                packages[0] = Package("locales/zh-CN.pak", files={**V2_ZIP, member: b"planted"}, compressed=True)
                _, calls, fetched, _ = self.update(packages)
                self.assertEqual(calls[-1], ("error", "解压失败: locales/zh-CN.pak"))
                self.assertEqual(fixtures.tree(INSTALL), self.installed)
                self.assertFalse(self.staging.exists())

    def test_a_journal_line_cut_short_is_never_acted_on(self):
        # A power cut while the update wrote "replaced data.bin data.bin.bak2 data.bin.new" (the
        # person's data.bin.bak taking the plain name) left the line cut after "data.bin.bak":
        # read whole, the repair would put the person's file over data.bin.
        (INSTALL / "data.bin.bak").write_bytes(b"the person's own copy")
        (INSTALL / "orvane-update.pending").write_bytes(b"orvane-update 2\nreplaced\tdata.bin\tdata.bin.bak")
        _, calls, fetched, result = self.update(release_v2())
        self.assertTrue(result["untrusted"])  # the journal says nothing certain: everything is fetched
        self.assertEqual(calls[-1], ("status", UPDATED))
        self.assertEqual(len(fetched), 4)
        now = fixtures.tree(INSTALL)
        self.assertEqual(now["data.bin.bak"], b"the person's own copy")
        self.assertEqual(now["data.bin"], V1["data.bin"])
        self.assertEqual(now["locales/zh-CN.pak"], V2_ZIP["locales/zh-CN.pak"])
        self.assertNotIn("orvane-update.pending", now)

    def test_files_at_a_backups_name_are_neither_touched_nor_restored(self):
        # A person's own copy of the config, and a backup an older program left: the update keeps
        # its backups under other names, and neither file is deleted or put back, nor is the
        # staging folder of an installation elsewhere.
        kept = {"locales/zh-CN.pak.bak": b"stale backup of an earlier run",
                "orvane-config.json.bak": b'{"mine": "saved by hand"}'}
        for name, data in kept.items():
            (INSTALL / name).write_bytes(data)
        other = self.staging.parent / "orvane-update-0000000000000000" / "0" / "x.bin"
        other.parent.mkdir(parents=True, exist_ok=True)
        other.write_bytes(b"another installation's download")
        self.addCleanup(shutil.rmtree, other.parent.parent, True)
        for version, packages in (("2.0", release_v2()), ("3.0", release_v2())):
            _, calls, _, _ = self.update(packages, version=version)
            self.assertEqual(calls[-1], ("status", UPDATED))
            now = fixtures.tree(INSTALL)
            self.assertEqual(now["locales/zh-CN.pak"], V2_ZIP["locales/zh-CN.pak"])
            self.assertEqual({n: d for n, d in now.items()
                              if ".bak" in n or n.endswith((".new", ".pending"))}, kept)
        self.assertEqual(other.read_bytes(), b"another installation's download")

    def test_an_interrupted_update_is_repaired_by_the_next_run(self):
        # What a kill in the middle of the replacement leaves: the marker, one file replaced
        # with its backup beside it, the config moved aside but not yet replaced.
        (INSTALL / "orvane-update.pending").write_bytes(b"locales/zh-CN.pak\norvane-config.json\n")
        shutil.move(INSTALL / "locales" / "zh-CN.pak", INSTALL / "locales" / "zh-CN.pak.bak")
        (INSTALL / "locales" / "zh-CN.pak").write_bytes(b"half of a newer file")
        shutil.move(INSTALL / "orvane-config.json", INSTALL / "orvane-config.json.bak")
        _, calls, fetched, result = self.update(release_v2())
        self.assertTrue(result["repaired"])
        self.assertEqual(calls[-1], ("status", UPDATED))
        self.assertEqual(len(fetched), 4)  # nothing installed was trusted
        now = fixtures.tree(INSTALL)
        self.assertEqual(now["locales/zh-CN.pak"], V2_ZIP["locales/zh-CN.pak"])
        self.assertEqual([n for n in now if n.endswith((".bak", ".pending"))], [])
        self.assertEqual(json.loads(now["orvane-version.json"])["version"], "2.0")
        # The restored installed config was merged, so its own values won.
        self.assertEqual(json.loads(now["orvane-config.json"])["keep"], "mine")

    def test_a_config_under_another_spelling_is_the_config(self):
        packages = release_v2()
        packages[2] = Package("Orvane-Config.json", content=V2_CONFIG)
        _, calls, _, _ = self.update(packages)
        self.assertEqual(calls[-1], ("status", UPDATED))
        configs = {n: d for n, d in fixtures.tree(INSTALL).items() if n.lower().startswith("orvane-config.json")}
        self.assertEqual(len(configs), 1, configs)
        self.assertEqual(json.loads(next(iter(configs.values()))),
                         {"keep": "mine", "o": {"x": 1, "y": 2}, "added": True, "product_version": "2.0"})

    def test_a_repair_the_browser_blocks_keeps_its_journal_until_it_can_finish(self):
        # Killed with chrome.exe replaced: the journal says how to put it back, and the browser
        # holds the new file open, so the undo cannot happen yet.
        journal = b"orvane-update 2\nreplaced\tchrome.exe\tchrome.exe.bak\tchrome.exe.new\n"
        (INSTALL / "orvane-update.pending").write_bytes(journal)
        shutil.move(INSTALL / "chrome.exe", INSTALL / "chrome.exe.bak")
        (INSTALL / "chrome.exe").write_bytes(b"MZ browser of the interrupted update")
        with probe.holding(INSTALL / "chrome.exe"):
            _, calls, _, result = self.update(release_v2())
        self.assertTrue(result["blocked"])
        self.assertEqual(calls[-1][0], "error")
        self.assertEqual((INSTALL / "orvane-update.pending").read_bytes(), journal)
        self.assertEqual((INSTALL / "chrome.exe.bak").read_bytes(), V1["chrome.exe"])
        # Once nothing holds the file, the next run puts it back and updates.
        _, calls, _, result = self.update(release_v2())
        self.assertEqual((result["repaired"], result["blocked"]), (True, False))
        self.assertEqual(calls[-1], ("status", UPDATED))
        now = fixtures.tree(INSTALL)
        self.assertEqual(now["chrome.exe"], V1["chrome.exe"])
        self.assertEqual([n for n in now if n.endswith((".bak", ".new", ".pending"))], [])

    def test_two_installations_updated_at_the_same_moment_both_end_their_new_release(self):
        other = INSTALL.parent / "Other"
        other.mkdir()
        done = probe.one({"op": "run_install", "base_url": self.server.url,
                          "install_dir": winebench.windows_path(other)})
        self.assertEqual(done["calls"][-2], {"call": "state", "value": 2})
        big = bytes(range(256)) * 8192
        release_builder.build_release(SERVER_ROOT, self.server.url, "2.0",
                                      release_v2() + [Package("big.bin", content=big)])
        # Each run stops with its journal begun, before its first replacement, until both have
        # got there: the two are under way at the same moment.
        pauses = [winebench.PausePoint("marker", PAUSES / folder.name) for folder in (INSTALL, other)]
        runs = [probe.start([{"op": "run_update", "base_url": self.server.url,
                              "install_dir": winebench.windows_path(folder)}], env=pause.env())[1]
                for folder, pause in zip((INSTALL, other), pauses)]
        for pause in pauses:
            self.assertTrue(pause.wait_reached(timeout=120), f"a run never reached {pause.name}")
        for folder in (INSTALL, other):
            self.assertTrue((folder / "orvane-update.pending").exists(), folder)
        for pause in pauses:
            pause.resume()
        for finish in runs:
            self.assertEqual(finish()[0]["calls"][-1], {"call": "status", "value": UPDATED})
        updated = [fixtures.tree(folder) for folder in (INSTALL, other)]
        self.assertEqual(updated[0], updated[1])
        self.assertEqual(updated[0]["big.bin"], big)
        self.assertEqual(updated[0]["locales/en.pak"], V2_ZIP["locales/en.pak"])
        self.assertEqual(json.loads(updated[0]["orvane-version.json"])["version"], "2.0")

    def test_a_cancelled_reinstall_is_untrusted_until_an_update_has_fetched_everything(self):
        # The same release installed again, cancelled at its second package, and a file the
        # first one wrote left half-written (as a kill inside its extraction leaves it).
        release_builder.build_release(SERVER_ROOT, self.server.url, "1.0", release_v1())
        probe.one({"op": "run_install", "base_url": self.server.url,
                   "install_dir": winebench.windows_path(INSTALL), "cancel_at_status": 2})
        self.assertEqual((INSTALL / "orvane-update.pending").read_bytes(), b"orvane-update 2\nuntrusted\n")
        (INSTALL / "locales" / "en.pak").write_bytes(b"half")
        _, calls, fetched, result = self.update(release_v1(), version="1.0")
        self.assertTrue(result["untrusted"])
        self.assertEqual(calls[-1], ("status", UPDATED))
        self.assertEqual(len(fetched), 4)
        self.assertEqual(fixtures.tree(INSTALL), self.installed)

    def test_releases_naming_one_file_twice_are_refused_before_anything_is_fetched(self):
        conflict, unsafe = "conflicting file path", "invalid file path"
        cases = [
            # (label, two packages, the path the refusal names, the installer's reason)
            ("case", ["lib.dll", "LIB.dll"], "LIB.dll", conflict),
            ("case of a letter beyond ASCII", ["Ä.pak", "ä.pak"], "ä.pak", conflict),
            ("separator", ["a/b.bin", "a\\b.bin"], "a\\b.bin", conflict),
            ("dot element", ["x.bin", "./x.bin"], "./x.bin", conflict),
            # Windows drops a trailing dot or space: such a path names another file.
            ("trailing dot", ["x.bin", "x.bin."], "x.bin.", unsafe),
            ("trailing space", ["x.bin", "x.bin "], "x.bin ", unsafe),
            ("a folder's trailing dot", ["d/x.bin", "d./y.bin"], "d./y.bin", unsafe),
            ("a backup's name", ["x.bin", "x.bin.bak"], "x.bin.bak", conflict),
            ("a backup's name first", ["x.bin.BAK", "x.bin"], "x.bin", conflict),
            ("the records' own name", ["a.bin", "orvane-version.json"], "orvane-version.json", conflict),
        ]
        for label, paths, named, reason in cases:
            with self.subTest(label):
                packages = release_v2() + [Package(path, content=path.encode()) for path in paths]
                _, calls, fetched, _ = self.update(packages)
                self.assertEqual(calls, [("error", "下载失败: " + named)])
                self.assertEqual(fetched, [])
                self.assertEqual(fixtures.tree(INSTALL), self.installed)
                # The installer refuses the same release, naming the reason.
                shutil.rmtree(INSTALL.parent / "fresh", ignore_errors=True)
                (INSTALL.parent / "fresh").mkdir()
                done = probe.one({"op": "run_install", "base_url": self.server.url,
                                  "install_dir": winebench.windows_path(INSTALL.parent / "fresh")})
                self.assertEqual(done["calls"][-1], {"call": "error",
                                                     "value": f"下载失败: {named}\n{reason}"})
                self.assertEqual(list((INSTALL.parent / "fresh").iterdir()), [])

    def test_a_config_that_cannot_be_merged_rolls_back_with_the_installed_config_intact(self):
        release_builder.build_release(SERVER_ROOT, self.server.url, "2.0", release_v2())
        pause = winebench.PausePoint("staged", probe.SCRATCH / "pause")
        _, finish = probe.start([{"op": "run_update", "base_url": self.server.url,
                                  "install_dir": winebench.windows_path(INSTALL)}], env=pause.env())
        self.assertTrue(pause.wait_reached(), "the update never staged its packages")
        # The merged text cannot be written where the delivered config waits.
        staged = next(p for p in self.staging.glob("[0-9]*/orvane-config.json"))
        (staged.parent / "orvane-config.json.orvane-tmp").mkdir()
        pause.resume()
        calls = [(c["call"], c.get("value")) for c in finish()[0]["calls"]]
        self.assertEqual(calls[-1], ("error", "无法合并配置文件: orvane-config.json"))
        self.assertEqual(fixtures.tree(INSTALL), self.installed)

    def test_a_stale_staged_file_that_cannot_be_removed_stops_the_update(self):
        stale = self.staging / "1" / "orvane-config.json"  # the config is the second package
        stale.parent.mkdir(parents=True)
        stale.write_bytes(b'{"stale": true}')
        with probe.holding(stale):
            _, calls, _, _ = self.update(release_v2())
        self.assertEqual(calls[-1], ("error", "解压失败: orvane-config.json"))
        self.assertEqual(fixtures.tree(INSTALL), self.installed)

    def test_a_compressed_package_named_in_chinese_arrives_and_is_replaced(self):
        for version, content in (("2.0", "中文二".encode()), ("3.0", "中文三".encode())):
            packages = release_v1() + [Package("语言/中文.pak", files={"语言/中文.pak": content}, compressed=True)]
            _, calls, _, _ = self.update(packages, version=version)
            self.assertEqual(calls[-1], ("status", UPDATED), version)
            self.assertEqual((INSTALL / "语言" / "中文.pak").read_bytes(), content)

    def test_backups_a_committed_update_left_are_removed_by_the_next_run_and_nothing_else(self):
        # Killed while deleting its backups: the journal says committed and names them.
        (INSTALL / "orvane-update.pending").write_bytes(
            b"orvane-update 2\ncommitted\nreplaced\tdata.bin\tdata.bin.bak2\tdata.bin.new\n"
            b"added\tlocales/new.pak\t\tlocales/new.pak.new\n")
        for name in ("data.bin.bak2", "locales/new.pak.new", "data.bin.bak", "orvane-config.json.bak",
                     "orvane-version.json.bak", "unrelated.bak"):
            (INSTALL / name).write_bytes(b"left behind")
        _, calls, _, result = self.update(release_v1(), version="1.0")
        self.assertEqual(calls, [("state", 2), ("status", "已是最新版本！")])
        self.assertTrue(result["repaired"])
        self.assertFalse(result["untrusted"])
        self.assertEqual(sorted(n for n in fixtures.tree(INSTALL) if ".bak" in n or n.endswith((".new", ".pending"))),
                         ["data.bin.bak", "orvane-config.json.bak", "orvane-version.json.bak", "unrelated.bak"])

if __name__ == "__main__":
    runner.main()
