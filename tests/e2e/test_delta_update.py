"""Updates by delta with the real exe under Wine: one installation updates through a chain of
releases built with deltas from the one before, each release with a failure of its own, beside a
control installation that takes the same releases with their deltas removed. Both must end byte
for byte alike, records included, and the service's log shows what each package cost."""
import io
import json
import os
import random
import shutil
import time
import unittest
import zipfile

from orvane_release import layout
from orvane_release import build as release_builder
from orvane_release.build import Package
from orvane_release.digest import sha256_hex
from support import probe, runner, winebench
from support import install_helpers as h
from support import installer_session as s

SERVER_ROOT = winebench.BUILD_DIR / "tests" / "e2e-delta-server"
SIDE_ROOT = winebench.BUILD_DIR / "tests" / "e2e-delta-side"
PAUSES = winebench.BUILD_DIR / "tests" / "e2e-pauses"
WORK = winebench.DRIVE_C / "e2e delta"
BIG = 256 << 10
ZIP = "locales/zh-CN.pak"
RECORDS = {h.MANIFEST_NAME, h.ZIP_MEMBERS_NAME, h.UPDATER_NAME}
UPDATED = "更新完成！点击「启动浏览器」继续。"


def noise(size, seed):
    return random.Random(seed).randbytes(size)


def big_file(version):
    """Random bytes that each version changes in a few places, with a block inserted."""
    data = bytearray(noise(BIG, seed=7))
    for at in range(version * 997 % 4096, BIG, 40000):
        data[at:at + 16] = bytes([version]) * 16
    return bytes(data[:BIG // 2]) + noise(512 * version, seed=version) + bytes(data[BIG // 2:])


def zip_files(version, main=None):
    """The zip's files; its file_path member as of version `main` when given (kept unchanged)."""
    files = {ZIP: noise(8192, seed=1) + f"中文 {main or version}".encode(),
             "locales/en.pak": noise(4096, seed=2),  # never changes
             "locales/fr.pak": noise(6000, seed=3) + f"fr {version}".encode()}
    if version < 3:
        files["locales/old.pak"] = b"dropped in 3"
    if version >= 3:
        files[f"locales/new-{version}.pak"] = f"new in {version}".encode()  # a member made from nothing
    return files


def packages(version, zip_main=None, **big_options):
    return [Package("chrome.exe", content=h.TEST_BROWSER.read_bytes()),
            Package("big.bin", content=big_file(version), **big_options),
            Package(ZIP, files=zip_files(version, zip_main), compressed=True),
            Package("small.txt", content=f"small {version}".encode())]  # too small to gain a delta


# Bytes of a zstd frame's Frame_Content_Size field by its flag (Frame_Header_Descriptor bits
# 7-6), with and without the Single_Segment flag (bit 5), and of a Dictionary_ID by its flag.
CONTENT_SIZE_BYTES = {True: (1, 2, 4, 8), False: (0, 2, 4, 8)}
DICTIONARY_ID_BYTES = (0, 1, 2, 4)


def claim_content_size(frame, size):
    """The zstd frame with its header saying it makes `size` bytes (8 of them for the field);
    its blocks make what they made."""
    descriptor = frame[4]
    single = bool(descriptor & 0x20)
    at = 5 + (0 if single else 1) + DICTIONARY_ID_BYTES[descriptor & 3]
    field = CONTENT_SIZE_BYTES[single][descriptor >> 6]
    return (frame[:4] + bytes([(descriptor & 0x3F) | 0xC0]) + frame[5:at] + size.to_bytes(8, "little")
            + frame[at + field:])


def relisted(delta_zip, size_of):
    """A zip delta whose delta.json gives each member size_of(member) bytes."""
    source, out = zipfile.ZipFile(io.BytesIO(delta_zip)), io.BytesIO()
    with zipfile.ZipFile(out, "w") as target:
        for info in source.infolist():
            body = source.read(info)
            if info.filename == "delta.json":
                listing = json.loads(body)
                for member in listing["members"]:
                    member["size"] = size_of(member)
                body = json.dumps(listing).encode()
            target.writestr(info, body)
    return out.getvalue()


class DeltaUpdates(unittest.TestCase):
    def setUp(self):
        h.close_browser()
        h.clear_install_traces()
        for folder in (SERVER_ROOT, SIDE_ROOT, WORK):
            shutil.rmtree(folder, ignore_errors=True)
        WORK.mkdir(parents=True)
        self.server = s.service(SERVER_ROOT).start()
        self.addCleanup(self.server.stop)

    def install(self, folder):
        code, lines = h.silent(s.EXE, "--quiet", "--no-shortcuts", "--dir", winebench.windows_path(folder))
        self.assertEqual(code, 0, lines)

    def update(self, folder, env=None):
        code, lines = h.silent(folder / h.UPDATER_NAME, "--update", "--quiet", env=env)
        self.assertEqual((code, lines[-1:]), (0, [UPDATED]), lines)

    def fetched(self, manifest):
        """{file_path: ["delta" | "full", ...]} of the service's GETs since it was cleared."""
        kinds = {}
        for entry in manifest["files"]:
            kinds[h.path_of(entry["download_url"])] = (entry["file_path"], "full")
            for delta in entry.get("deltas", []):
                kinds[h.path_of(delta["download_url"])] = (entry["file_path"], "delta")
        found = {}
        for method, path, _ in self.server.requests():
            if method == "GET" and path in kinds:
                file_path, kind = kinds[path]
                found.setdefault(file_path, []).append(kind)
        return found

    def side_delta(self, version, content, base):
        """A delta of big.bin from `base` to `content`, served from this service."""
        folder = WORK / "side base"
        shutil.rmtree(folder, ignore_errors=True)
        folder.mkdir()
        (folder / "big.bin").write_bytes(base)
        made = release_builder.build_release(SIDE_ROOT, self.server.url, version,
                                             [Package("big.bin", content=content)], previous=[folder])
        shutil.copytree(SIDE_ROOT / "files", SERVER_ROOT / "files", dirs_exist_ok=True)
        [delta] = made["files"][0]["deltas"]
        return delta

    def restated(self, delta, remake):
        """The delta with its stored bytes remade (remake(bytes)), served from a URL of its own."""
        data = remake(layout.stored_file(SERVER_ROOT, delta["download_url"]).read_bytes())
        digest = sha256_hex(data)
        name = f"restated/{digest}/{delta['download_url'].rsplit('/', 1)[-1]}"
        (SERVER_ROOT / "files" / name).parent.mkdir(parents=True, exist_ok=True)
        (SERVER_ROOT / "files" / name).write_bytes(data)
        return {**delta, "download_url": f"{self.server.url}/files/{name}", "file_size": len(data),
                "sha256": digest}

    def test_delta_updates_end_as_full_updates_and_every_failure_falls_back(self):
        ours, control, fresh = WORK / "Deltas", WORK / "Control", WORK / "Fresh"
        release_builder.build_release(SERVER_ROOT, self.server.url, "1", packages(1))
        self.install(ours)
        self.install(control)

        def release(version, mutate=None, prepare=None, env=None, zip_main=None, **big_options):
            """Builds `version` with deltas from the release before, updates the control without
            them and ours with them; {file_path: downloads} of ours."""
            manifest = release_builder.build_release(SERVER_ROOT, self.server.url, str(version),
                                                     packages(version, zip_main, **big_options),
                                                     previous=[SERVER_ROOT])
            self.assertEqual({e["file_path"] for e in manifest["files"] if e.get("deltas")}, {"big.bin", ZIP})
            if mutate:
                mutate(manifest)
            for folder in (control, ours):
                if prepare:
                    prepare(folder)
            release_builder.write_manifest(SERVER_ROOT, h.without_deltas(manifest))
            self.update(control)
            release_builder.write_manifest(SERVER_ROOT, manifest)
            self.server.clear_requests()
            self.update(ours, env=env)
            self.assertEqual(h.installed_files(ours), h.installed_files(control), version)
            expected = {path: sha256_hex(data) for package in packages(version, zip_main)
                        for path, data in package.entries().items()}
            self.assertEqual({p: d for p, d in h.installed_files(ours).items() if p not in RECORDS}, expected)
            return self.fetched(manifest), manifest

        # 2: both deltas used; the unchanged browser not fetched, the small file whole.
        downloads, _ = release(2)
        self.assertEqual(downloads, {"big.bin": ["delta"], ZIP: ["delta"], "small.txt": ["full"]})
        # An install of a delta-bearing release has nothing to patch: it fetches every package.
        self.server.clear_requests()
        self.install(fresh)
        self.assertEqual(self.fetched(_), {"chrome.exe": ["full"], "big.bin": ["full"], ZIP: ["full"],
                                           "small.txt": ["full"]})
        self.assertEqual(h.installed_files(fresh), h.installed_files(ours))

        # 3: big.bin changed on the machine: its delta's base is not the file, never fetched.
        def touch_big(folder):
            with open(folder / "big.bin", "ab") as f:
                f.write(b"changed here")
        downloads, _ = release(3, prepare=touch_big)
        self.assertEqual(downloads, {"big.bin": ["full"], ZIP: ["delta"], "small.txt": ["full"]})

        # 4: big.bin's delta is not found; a zip member the delta keeps was changed on the machine.
        def touch_english(folder):
            (folder / "locales/en.pak").write_bytes(b"edited")
        downloads, _ = release(4, prepare=touch_english, delta_url_prefix="/_fault/status=404")
        self.assertEqual(downloads, {"big.bin": ["delta", "full"], ZIP: ["delta", "full"], "small.txt": ["full"]})

        # 5: big.bin's delta was made from other bytes than the installed file; the zip's delta
        # arrives with bytes other than its digest.
        installed = (ours / "big.bin").read_bytes()
        wrong_base = self.side_delta("5", big_file(5), big_file(1))

        def mutate_5(manifest):
            for entry in manifest["files"]:
                if entry["file_path"] == "big.bin":
                    entry["deltas"] = [{**wrong_base, "base_sha256": sha256_hex(installed)}]
                elif entry["file_path"] == ZIP:
                    entry["deltas"][0]["sha256"] = "0" * 64
        downloads, _ = release(5, mutate=mutate_5)
        self.assertEqual(downloads, {"big.bin": ["delta", "full"], ZIP: ["delta", "full"], "small.txt": ["full"]})

        # 6: big.bin's delta applies to the installed file but makes other bytes.
        other_bytes = self.side_delta("6", big_file(6)[:-1] + b"?", (ours / "big.bin").read_bytes())

        def mutate_6(manifest):
            next(e for e in manifest["files"] if e["file_path"] == "big.bin")["deltas"] = [other_bytes]
        downloads, _ = release(6, mutate=mutate_6)
        self.assertEqual(downloads, {"big.bin": ["delta", "full"], ZIP: ["delta"], "small.txt": ["full"]})

        # 7, 8: killed while a delta is applied, and while the files it made replace the
        # installed ones; the next run repairs and updates by delta.
        for version, point in ((7, "patched"), (8, "replaced")):
            with self.subTest(point):
                pause = winebench.PausePoint(point, PAUSES)
                killed_run = []

                def killed(folder, pause=pause, killed_run=killed_run):
                    if folder != ours:
                        return
                    process = winebench.start_wine([folder / h.UPDATER_NAME, "--update", "--quiet"],
                                                   env=pause.env())
                    reached = pause.wait_reached(timeout=120)
                    process.kill()
                    process.wait(timeout=30)
                    killed_run.append(reached)
                downloads, _ = release(version, prepare=killed)
                self.assertEqual(killed_run, [True])
                self.assertEqual(downloads, {"big.bin": ["delta"], ZIP: ["delta"], "small.txt": ["full"]})

        # 10 (before 9 in the file, after 8 in the run): the made files' flush fails (a test
        # build's fault at it) for both deltas: each falls back to its whole package. The zip's
        # file, kept as installed, is read-only there: the release puts a writable one in place,
        # as the whole package would.
        def read_only_zip(folder):
            (folder / ZIP).chmod(0o444)
        downloads, _ = release(10, prepare=read_only_zip, env={"ORVANE_FAULT_AT": "delta-flush"})
        self.assertEqual(downloads, {"big.bin": ["delta", "full"], ZIP: ["delta", "full"], "small.txt": ["full"]})
        downloads, _ = release(11, prepare=read_only_zip, zip_main=10)
        self.assertEqual(downloads, {"big.bin": ["delta"], ZIP: ["delta"], "small.txt": ["full"]})
        self.assertTrue(os.stat(ours / ZIP).st_mode & 0o200, "the zip's file stayed read-only")

        # 9: big.bin's patch says it makes 8 GiB, one member patch of the zip's delta another
        # size than delta.json lists: each refused before it is written, the package fetched.
        def mutate_9(manifest):
            for entry in manifest["files"]:
                if entry["file_path"] == "big.bin":
                    entry["deltas"] = [self.restated(entry["deltas"][0],
                                                     lambda frame: claim_content_size(frame, 8 << 30))]
                elif entry["file_path"] == ZIP:
                    entry["deltas"] = [self.restated(entry["deltas"][0], lambda data: relisted(
                        data, lambda member: member["size"] + ("patch" in member)))]
        staging = winebench.host_path(probe.one({"op": "update_staging",
                                                 "install_dir": winebench.windows_path(ours)})["path"])
        with winebench.LargestFile(staging) as staged:
            downloads, manifest = release(9, mutate=mutate_9)
        self.assertEqual(downloads, {"big.bin": ["delta", "full"], ZIP: ["delta", "full"], "small.txt": ["full"]})
        self.assertLessEqual(staged.largest, max(e["file_size"] for e in manifest["files"]))
        self.assertGreater(staged.largest, 0)

        for folder in (ours, control, fresh):
            process = winebench.start_wine([folder / h.UPDATER_NAME, "--uninstall", "--quiet"])
            self.assertEqual(process.wait(timeout=60), 0)
        # The updater's file goes a few seconds after its run; an install into the folder before
        # then would lose it.
        deadline = time.monotonic() + 30
        while any(folder.exists() for folder in (ours, control, fresh)):
            self.assertLess(time.monotonic(), deadline, "an uninstall left its folder")
            time.sleep(h.POLL)


if __name__ == "__main__":
    runner.main()
