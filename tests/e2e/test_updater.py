"""The installed orvane-updater.exe under Wine + Xvfb against the local release service: an
installation made first, then the updater run as a person (or the system) would run it."""
import hashlib
import json
import os
import pathlib
import shutil
import sys
import time
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "support"))
import install_helpers as h  # noqa: E402
import installer_session as s  # noqa: E402
import probe  # noqa: E402
import release_builder  # noqa: E402
import winebench  # noqa: E402

Package = release_builder.Package
SERVER_ROOT = winebench.BUILD_DIR / "tests" / "e2e-update-server"
INSTALL = winebench.DRIVE_C / "e2e update" / "Orvane"
ELSEWHERE = winebench.DRIVE_C / "e2e update" / "Other"
BROWSER = winebench.BUILD_DIR / "tests" / "support" / "chrome.exe"
QUESTION_TITLE = "Orvane 更新提示"
STATUS_AREA = (40, 246, 434, 24)
UPDATE_RUNNING = "Orvane 正在更新，请在更新结束后再安装。"


def packages(version):
    zip_files = {"locales/zh-CN.pak": f"中文 {version}".encode() * 20, "locales/en.pak": b"en" * 20}
    return [Package("locales/zh-CN.pak", files=zip_files, compressed=True),
            Package("chrome.exe", content=BROWSER.read_bytes()),
            Package("orvane-config.json", content=f'{{"from":"{version}"}}'.encode()),
            Package("resources.pak", content=b"resources")]


def area(image, rect):
    left, top, width, height = rect
    return [image.rgb(x, y) for y in range(top, top + height) for x in range(left, left + width)]


def settled(files):
    """The installation once a committed journal has nothing left to delete: without the journal
    and the backups and leftovers it lists (the updater's own old image, running while the
    update committed, which only the next run can delete)."""
    journal = files.get("orvane-update.pending", b"")
    if not journal.startswith(b"orvane-update 2\n") or b"\ncommitted\n" not in journal:
        return files
    listed = set()
    for line in journal.decode("utf-8").splitlines()[1:]:
        kind, *names = line.split("\t")
        listed.update(names[:1] if kind == "leftover" else names[1:])
    return {name: data for name, data in files.items()
            if name != "orvane-update.pending" and name not in listed}


def tree(root):
    return {p.relative_to(root).as_posix(): p.read_bytes() for p in root.rglob("*")
            if p.is_file() and p.name != "browser-started.txt"}


class Updater(unittest.TestCase):
    def setUp(self):
        shutil.rmtree(INSTALL.parent, ignore_errors=True)
        shutil.rmtree(SERVER_ROOT, ignore_errors=True)
        INSTALL.mkdir(parents=True)
        self.server = s.service(SERVER_ROOT).start()
        self.addCleanup(self.server.stop)
        release_builder.build_release(SERVER_ROOT, self.server.url, "1.0", packages("1.0"))
        done = probe.one({"op": "run_install", "base_url": self.server.url,
                          "install_dir": winebench.windows_path(INSTALL)})
        self.assertEqual(done["calls"][-2], {"call": "state", "value": 2})
        shutil.copyfile(s.EXE, INSTALL / "orvane-updater.exe")  # the real exe, as an install leaves it
        self.installed = tree(INSTALL)
        self.processes = []
        self.addCleanup(self.stop_processes)

    def stop_processes(self):
        for process in self.processes:
            if process.poll() is None:
                process.kill()
                process.wait()

    def start_browser(self, folder):
        folder.mkdir(parents=True, exist_ok=True)
        if not (folder / "chrome.exe").exists():
            shutil.copyfile(BROWSER, folder / "chrome.exe")
        process = h.start_browser(folder)
        self.processes.append(process)
        return process

    def updater(self, *args, name):
        session = s.Session(*args, name=name, exe=INSTALL / "orvane-updater.exe")
        self.addCleanup(session.kill)
        return session

    def wait_for_finished(self, session, timeout=60):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            image = session.shot("progress")
            # Only a full bar reaches this far: at 98 % ("更新版本信息...") the fill ends 9 px
            # short of the track's end (x = 474), at 99 % 5 px.
            if winebench.close_enough(image.rgb(image.width - 44, 206), winebench.argb(0xFFA878FF), 40):
                return image
            time.sleep(1)
        self.fail("the updater did not finish")

    def rendered_status(self, text):
        return area(h.fixture_shot(f"status {text[:6]}", "state=2", "install=0", f"status={text}"),
                    STATUS_AREA)

    def test_already_current(self):
        session = self.updater("--update", name="updater current")
        image = self.wait_for_finished(session)
        session.key("alt+F4")
        self.assertTrue(session.window_gone())
        self.assertEqual(session.exit_code(), 0)
        self.assertEqual(winebench.differing_pixels(area(image, STATUS_AREA), self.rendered_status("已是最新版本！")), 0)
        self.assertEqual(tree(INSTALL), self.installed)

    def test_check_with_nothing_new_shows_nothing(self):
        process = winebench.start_wine([INSTALL / "orvane-updater.exe", "--update", "--check"])
        self.processes.append(process)
        self.assertEqual(process.wait(timeout=60), 0)
        self.assertIsNone(winebench.xdotool("search", "--onlyvisible", "--name", "Orvane"))

    def test_check_asks_then_no_changes_nothing_and_yes_updates_closing_only_our_browser(self):
        # A copy of the config a person keeps beside it is theirs: checks and updates leave it.
        (INSTALL / "orvane-config.json.bak").write_bytes(b'{"saved": "by hand"}')
        self.installed = tree(INSTALL)
        # Another drive letter for the same folder (made before the updater starts: a drive
        # that appears later changes how Wine names the folder, where Windows resolves it).
        self.addCleanup(h.map_drive("P", INSTALL.parent))
        link = winebench.DRIVE_C / "e2e update link"  # what Windows shows as a junction
        link.unlink(missing_ok=True)
        link.symlink_to(INSTALL.parent, target_is_directory=True)
        self.addCleanup(link.unlink, True)
        release_builder.build_release(SERVER_ROOT, self.server.url, "2.0", packages("2.0"))
        process = winebench.start_wine([INSTALL / "orvane-updater.exe", "--update", "--check"])
        self.processes.append(process)
        box = winebench.wait_for_window(QUESTION_TITLE, timeout=60, process=process)
        self.assertIsNotNone(box, "no question was asked")
        winebench.screenshot("updater question")
        # While the question waits, the installation is the updater's: an install into it, in any
        # spelling of the folder, ends Failed and changes nothing.
        spellings = [winebench.windows_path(INSTALL), winebench.windows_path(INSTALL).lower() + "\\",
                     "P:\\Orvane", "C:\\e2e update link\\Orvane"]
        installs = probe.run([{"op": "run_install", "base_url": self.server.url, "install_dir": folder}
                              for folder in spellings])
        for folder, done in zip(spellings, installs):
            self.assertEqual(done["calls"][-1], {"call": "error", "value": UPDATE_RUNNING}, folder)
        self.assertEqual(tree(INSTALL), self.installed)
        winebench.xdotool("windowfocus", "--sync", box)
        winebench.xdotool("key", "--window", box, "n")
        self.assertEqual(process.wait(timeout=30), 0)
        self.assertEqual(tree(INSTALL), self.installed)

        ours = self.start_browser(INSTALL)
        other = self.start_browser(ELSEWHERE)
        self.server.clear_requests()
        process = winebench.start_wine([INSTALL / "orvane-updater.exe", "--update", "--check"])
        self.processes.append(process)
        box = winebench.wait_for_window(QUESTION_TITLE, timeout=60, process=process)
        winebench.xdotool("windowfocus", "--sync", box)
        winebench.xdotool("key", "--window", box, "Return")
        window = winebench.wait_for_window("^Orvane$", timeout=30, process=process)
        self.assertIsNotNone(window)
        session = s.Session.__new__(s.Session)
        session.name, session.process, session.window = "updater yes", process, window
        image = self.wait_for_finished(session)
        session.key("alt+F4")
        self.assertTrue(session.window_gone())
        self.assertEqual(process.wait(timeout=30), 0)
        self.assertEqual(winebench.differing_pixels(area(image, STATUS_AREA), self.rendered_status("更新完成！点击「启动浏览器」继续。")), 0)
        fetched = [p for _, p, _ in self.server.requests() if p.startswith("/files/")]
        self.assertEqual(len(fetched), 2)  # the zip and the config changed; the rest did not
        self.assertIsNotNone(ours.wait(timeout=10))  # our installation's browser was closed
        self.assertIsNone(other.poll())  # another installation's browser was left alone
        now = tree(INSTALL)
        self.assertEqual(now["locales/zh-CN.pak"], "中文 2.0".encode() * 20)
        self.assertEqual(now["resources.pak"], self.installed["resources.pak"])
        self.assertEqual(now["orvane-config.json"], b'{\n  "from": "1.0",\n  "product_version": "2.0"\n}')
        self.assertEqual({n: d for n, d in now.items() if ".bak" in n or n.endswith((".new", ".pending"))},
                         {"orvane-config.json.bak": b'{"saved": "by hand"}'})

    def test_a_failure_on_the_last_package_keeps_the_browser_running_and_retry_updates(self):
        changed = packages("2.0")
        changed[3] = Package("resources.pak", content=b"resources 2.0", url_prefix="/_fault/status=404")
        release_builder.build_release(SERVER_ROOT, self.server.url, "2.0", changed)
        ours = self.start_browser(INSTALL)
        session = self.updater("--update", name="updater last fails")
        deadline = time.monotonic() + 60
        while time.monotonic() < deadline:
            image = session.shot("failed")
            if winebench.close_enough(image.rgb(60, 206), winebench.argb(0xFF181A26), 0) and \
                    image.rgb(450, 140) == winebench.argb(0xFF181A26):
                break  # no bar, no card: Failed
            time.sleep(1)
        self.assertIsNone(ours.poll())
        self.assertEqual(tree(INSTALL), self.installed)

        # The service is mended; "重试" asks again and updates.
        changed[3] = Package("resources.pak", content=b"resources 2.0")
        release_builder.build_release(SERVER_ROOT, self.server.url, "2.0", changed)
        session.click(s.MAIN_BUTTON, settle=0)
        image = self.wait_for_finished(session)
        session.key("alt+F4")
        self.assertEqual(session.exit_code(), 0)
        self.assertIsNotNone(ours.wait(timeout=10))
        now = tree(INSTALL)
        self.assertEqual(now["resources.pak"], b"resources 2.0")
        self.assertEqual(now["locales/zh-CN.pak"], "中文 2.0".encode() * 20)
        self.assertEqual(winebench.differing_pixels(area(image, STATUS_AREA), self.rendered_status("更新完成！点击「启动浏览器」继续。")), 0)
        # The Apps entry follows: the new version, the new size.
        entry = h.uninstall_entry()
        self.assertEqual((entry["InstallLocation"], entry["DisplayVersion"]),
                         (winebench.windows_path(INSTALL), "2.0"))
        recorded = [INSTALL / f["file_path"] for f in json.loads(now["orvane-version.json"])["files"]]
        self.assertEqual(entry["EstimatedSize"], -(-sum(p.stat().st_size for p in recorded + [
            INSTALL / "orvane-version.json", INSTALL / "orvane-updater.exe"]) // 1024))

# A second volume for the installation (another file system than the prefix, where the staging
# folder is): every move into the installation is a copy there.
SHM = pathlib.Path("/dev/shm") / f"orvane-e2e-{os.getpid()}"
BIG = 3 * 1024 * 1024 + 12345  # a few copy chunks
PAUSES = winebench.BUILD_DIR / "tests" / "e2e-pauses"


def volume_packages(version, updater=None):
    """A big file first (so the first move into the installation takes several chunks), then the
    usual packages; optionally the updater itself; after 1.0 a file of its own."""
    seed = hashlib.sha256(version.encode()).digest()
    big = (seed * (BIG // len(seed) + 1))[:BIG]
    extra = [Package("orvane-updater.exe", content=updater)] if updater else []
    if version != "1.0":  # a file the update adds: a repair or an undo removes it again
        extra.append(Package("new/added.pak", content=b"added in " + version.encode()))
    return [Package("big.pak", content=big), *packages(version), *extra]


class AnotherVolume(unittest.TestCase):
    """Updates of an installation on drive O: (a tmpfs), killed and run again."""

    def setUp(self):
        shutil.rmtree(SERVER_ROOT, ignore_errors=True)
        shutil.rmtree(SHM, ignore_errors=True)
        SHM.mkdir(parents=True)
        self.addCleanup(shutil.rmtree, SHM, True)
        self.addCleanup(h.map_drive("O", SHM))
        self.server = s.service(SERVER_ROOT).start()
        self.addCleanup(lambda: self.server.stop())
        self.sessions = []
        self.addCleanup(lambda: [session.kill() for session in self.sessions])

    def install(self, folder, host, **release):
        release_builder.build_release(SERVER_ROOT, self.server.url, "1.0", volume_packages("1.0", **release))
        host.mkdir(parents=True, exist_ok=True)
        done = probe.one({"op": "run_install", "base_url": self.server.url, "install_dir": folder})
        self.assertEqual(done["calls"][-2], {"call": "state", "value": 2})
        shutil.copyfile(s.EXE, host / "orvane-updater.exe")
        return tree(host)

    def updater(self, host, name, env=None):
        session = s.Session("--update", name=name, exe=host / "orvane-updater.exe", env=env)
        self.sessions.append(session)
        return session

    def finish(self, session, state):
        """Waits for the state (Finished: a full bar; Failed: no bar, no card), closes the window."""
        deadline = time.monotonic() + 90
        while time.monotonic() < deadline:
            image = session.shot("state")
            full = winebench.close_enough(image.rgb(image.width - 44, 206), winebench.argb(0xFFA878FF), 40)
            failed = image.rgb(60, 206) == image.rgb(450, 140) == winebench.argb(0xFF181A26)
            if (state == "finished" and full) or (state == "failed" and failed):
                break
            time.sleep(0.5)
        else:
            self.fail(f"{session.name}: never {state}")
        session.key("alt+F4")
        self.assertEqual(session.exit_code(), 0)

    def test_a_kill_at_any_step_leaves_one_complete_release(self):
        host = SHM / "Orvane"
        v1 = self.install("O:\\Orvane", host)
        # The release changes the updater too: it replaces its own running image.
        newer = s.EXE.read_bytes() + b"\0updater 2.0"  # still a runnable exe: an overlay at its end
        release_builder.build_release(SERVER_ROOT, self.server.url, "2.0",
                                      volume_packages("2.0", updater=newer))
        self.finish(self.updater(host, "reference update"), "finished")
        v2 = tree(host)
        self.assertNotEqual(v1, v2)
        self.assertEqual(v2["big.pak"], volume_packages("2.0")[0].content)
        self.assertEqual(v2["orvane-updater.exe"], newer)
        self.assertEqual(v2["new/added.pak"], b"added in 2.0")
        # The steps: big.pak, the zip, the config, the updater (#4), new/added.pak, the records.
        points = [
            # (pause point, what the installation holds once the killed run is repaired)
            ("marker", v1),
            ("backup", v1),          # the first file moved aside
            ("replaced", v1),        # the first new file in place
            ("copying", v1),         # half-way through copying big.pak beside its target
            ("incoming#4", v1),      # the new updater waiting beside the running one
            ("replaced#4", v1),      # the new updater in place, the running one its backup
            ("records", v1),         # every file and the records replaced, the journal still open
            ("committed", v2),       # the journal committed, no backup deleted yet
            ("discarded", v2),       # inside the commit: the first backup deleted
        ]
        for number, (point, repaired) in enumerate(points):
            with self.subTest(point):
                for session in self.sessions:  # a failed case leaves no window to the next
                    session.kill()
                shutil.rmtree(host)
                for path, data in v1.items():
                    (host / path).parent.mkdir(parents=True, exist_ok=True)
                    (host / path).write_bytes(data)
                pause = winebench.PausePoint(point, PAUSES)
                killed = self.updater(host, f"killed at {point}", env=pause.env())
                if not pause.wait_reached(timeout=120):  # a slow machine: the kill table runs long
                    texts = [child["text"] for child in probe.one({"op": "window_children"})["children"]]
                    self.fail(f"the update never reached {point}; its window says {texts}; "
                              f"{winebench.bench_report()}")
                if point == "copying":
                    # Copied beside its target first: the file of that name is never half-written.
                    self.assertLess((host / "big.pak.new").stat().st_size, BIG, "not half-way")
                    self.assertEqual((host / "big.pak").read_bytes(), v1["big.pak"])
                killed.kill()  # SIGKILL of the Wine process: nothing of ours runs any more
                # The next run repairs first, without the service; half of the points with
                # --check, which then has nothing to ask and ends without a window.
                self.server.stop()
                try:
                    if number % 2:
                        check = winebench.start_wine([host / "orvane-updater.exe", "--update", "--check"])
                        self.assertEqual(check.wait(timeout=60), 0)
                    else:
                        self.finish(self.updater(host, f"after {point}, service down"), "failed")
                    self.assertEqual(settled(tree(host)), settled(repaired))
                finally:
                    self.server.start()
                self.finish(self.updater(host, f"after {point}, service up"), "finished")
                self.assertEqual(settled(tree(host)), settled(v2))

    def test_two_updaters_at_once_update_once(self):
        host = SHM / "Orvane"
        self.install("O:\\Orvane", host)
        release_builder.build_release(SERVER_ROOT, self.server.url, "2.0", volume_packages("2.0"))
        runs = [winebench.start_wine([host / "orvane-updater.exe", "--update"]) for _ in range(2)]
        self.addCleanup(lambda: [run.kill() for run in runs])
        deadline = time.monotonic() + 60
        while all(run.poll() is None for run in runs):
            self.assertLess(time.monotonic(), deadline, "neither updater gave way")
            time.sleep(0.1)
        second = next(run for run in runs if run.poll() is not None)
        first = next(run for run in runs if run is not second)
        self.assertEqual(second.returncode, 0)
        session = s.Session.__new__(s.Session)
        session.name, session.process = "first of two", first
        session.window = winebench.wait_for_window("^Orvane$", process=first)
        self.assertIsNotNone(session.window)
        self.finish(session, "finished")
        now = tree(host)
        self.assertEqual(now["big.pak"], volume_packages("2.0")[0].content)
        self.assertEqual(json.loads(now["orvane-version.json"])["version"], "2.0")
        self.assertFalse([n for n in now if n.endswith((".bak", ".pending"))])

    def test_the_updater_replaces_itself_and_a_drive_root_updates(self):
        # The installation is the drive root itself: its browser is "O:\\chrome.exe".
        self.install("O:\\", SHM)
        newer = s.EXE.read_bytes() + b"\0updater 2.0"  # still a runnable exe: an overlay at its end
        release_builder.build_release(SERVER_ROOT, self.server.url, "2.0",
                                      volume_packages("2.0", updater=newer))
        browser = h.start_browser(SHM)
        self.addCleanup(browser.kill)
        self.finish(self.updater(SHM, "root update"), "finished")
        self.assertIsNotNone(browser.wait(timeout=10), "the browser of the root installation ran on")
        self.assertEqual((SHM / "orvane-updater.exe").read_bytes(), newer)
        # The new updater runs; the backup of the old one (still running a moment ago, so not
        # deletable on Windows) is gone after it.
        self.finish(self.updater(SHM, "root current"), "finished")
        self.assertFalse([n for n in tree(SHM) if n.endswith((".bak", ".pending"))])
        self.assertEqual(json.loads((SHM / "orvane-version.json").read_bytes())["version"], "2.0")


if __name__ == "__main__":
    unittest.main()
