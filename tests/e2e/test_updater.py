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

from orvane_release import build as release_builder
from support import fixtures, probe, runner, winebench
from support import install_helpers as h
from support import installer_session as s

Package = release_builder.Package
SERVER_ROOT = winebench.BUILD_DIR / "tests" / "e2e-update-server"
INSTALL = winebench.DRIVE_C / "e2e update" / "Orvane"
ELSEWHERE = winebench.DRIVE_C / "e2e update" / "Other"
QUESTION_TITLE = "Orvane 更新提示"
STATUS_AREA = (40, 246, 434, 24)
UPDATE_RUNNING = "Orvane 正在更新，请在更新结束后再安装。"


def packages(version):
    zip_files = {"locales/zh-CN.pak": f"中文 {version}".encode() * 20, "locales/en.pak": b"en" * 20}
    return [Package("locales/zh-CN.pak", files=zip_files, compressed=True),
            Package("chrome.exe", content=h.TEST_BROWSER.read_bytes()),
            Package("orvane-config.json", content=f'{{"from":"{version}"}}'.encode()),
            Package("resources.pak", content=b"resources")]


def area(image, rect):
    left, top, width, height = rect
    return [image.rgb(x, y) for y in range(top, top + height) for x in range(left, left + width)]


JOURNAL = "orvane-update.pending"
FILL = winebench.argb(0xFFA878FF)
BACKGROUND = winebench.argb(0xFF181A26)


def await_state(test, session, state, timeout=60):
    """The window's shot once it shows state ("finished": a full bar, which only Finished has;
    at 98 % the fill ends 9 px short of the track's end, at 99 % 5 px. "failed": no bar and no
    card); the test fails at the deadline."""
    deadline = time.monotonic() + timeout
    while True:
        image = session.shot(state)
        full = winebench.close_enough(image.rgb(image.width - 44, 206), FILL, 40)
        failed = image.rgb(60, 206) == image.rgb(450, 140) == BACKGROUND
        if (state == "finished" and full) or (state == "failed" and failed):
            return image
        if time.monotonic() > deadline:
            test.fail(f"{session.name}: never {state}")
        time.sleep(0.5)


def journal_steps(text):
    """[(kind, file path, other fields...)] of a journal's text, in the order it lists them;
    None when the text is not the journal format this program writes."""
    lines = text.decode("utf-8").split("\n")
    if lines[0] != "orvane-update 2" or lines[-1] != "":
        return None
    return [tuple(line.split("\t")) for line in lines[1:-1] if line not in ("untrusted", "committed")]


def settled(files):
    """The installation once a finished update is done with it: a committed journal may still
    list the updater's own old image (it ran while the update committed, so only the next run
    can delete it); that journal and that image are left out. Any other step a journal lists, and
    any other backup, stays and makes a comparison fail."""
    journal = files.get(JOURNAL)
    steps = journal_steps(journal) if journal is not None else None
    if steps is None or b"\ncommitted\n" not in journal:
        return files
    if not all(names[0].startswith(h.UPDATER_NAME) for _, *names in steps):
        return files
    listed = {name for kind, *names in steps for name in (names if kind == "leftover" else names[1:])}
    return {name: data for name, data in files.items() if name != JOURNAL and name not in listed}


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
        self.installed = fixtures.tree(INSTALL, skip={h.BROWSER_LOG})

    def start_browser(self, folder):
        return fixtures.start_browser(self, folder)

    def start_check(self):
        """The installed updater's --update --check, started in the background."""
        return fixtures.stop_at_cleanup(self, winebench.start_wine([INSTALL / "orvane-updater.exe", "--update", "--check"]))

    def updater(self, *args, name):
        session = s.Session(*args, name=name, exe=INSTALL / "orvane-updater.exe")
        self.addCleanup(session.kill)
        return session

    def rendered_status(self, text):
        return area(h.fixture_shot(f"status {text[:6]}", "state=2", "install=0", f"status={text}"),
                    STATUS_AREA)

    def test_already_current(self):
        session = self.updater("--update", name="updater current")
        image = await_state(self, session, "finished")
        session.key("alt+F4")
        self.assertTrue(session.window_gone())
        self.assertEqual(session.exit_code(), 0)
        self.assertEqual(winebench.differing_pixels(area(image, STATUS_AREA), self.rendered_status("已是最新版本！")), 0)
        self.assertEqual(fixtures.tree(INSTALL, skip={h.BROWSER_LOG}), self.installed)

    def test_check_with_nothing_new_shows_nothing(self):
        process = self.start_check()
        self.assertEqual(process.wait(timeout=60), 0)
        self.assertIsNone(winebench.xdotool("search", "--onlyvisible", "--name", "Orvane"))

    def test_check_asks_then_no_changes_nothing_and_yes_updates_closing_only_our_browser(self):
        # A copy of the config a person keeps beside it is theirs: checks and updates leave it.
        (INSTALL / "orvane-config.json.bak").write_bytes(b'{"saved": "by hand"}')
        self.installed = fixtures.tree(INSTALL, skip={h.BROWSER_LOG})
        # Another drive letter for the same folder (made before the updater starts: a drive
        # that appears later changes how Wine names the folder, where Windows resolves it).
        self.addCleanup(h.map_drive("P", INSTALL.parent))
        link = winebench.DRIVE_C / "e2e update link"  # what Windows shows as a junction
        link.unlink(missing_ok=True)
        link.symlink_to(INSTALL.parent, target_is_directory=True)
        self.addCleanup(link.unlink, True)
        release_builder.build_release(SERVER_ROOT, self.server.url, "2.0", packages("2.0"))
        process = self.start_check()
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
        self.assertEqual(fixtures.tree(INSTALL, skip={h.BROWSER_LOG}), self.installed)
        winebench.xdotool("windowfocus", "--sync", box)
        winebench.xdotool("key", "--window", box, "n")
        self.assertEqual(process.wait(timeout=30), 0)
        self.assertEqual(fixtures.tree(INSTALL, skip={h.BROWSER_LOG}), self.installed)

        ours = self.start_browser(INSTALL)
        other = self.start_browser(ELSEWHERE)
        self.server.clear_requests()
        process = self.start_check()
        box = winebench.wait_for_window(QUESTION_TITLE, timeout=60, process=process)
        winebench.xdotool("windowfocus", "--sync", box)
        winebench.xdotool("key", "--window", box, "Return")
        window = winebench.wait_for_window("^Orvane$", timeout=30, process=process)
        self.assertIsNotNone(window)
        session = s.Session.__new__(s.Session)
        session.name, session.process, session.window = "updater yes", process, window
        image = await_state(self, session, "finished")
        session.key("alt+F4")
        self.assertTrue(session.window_gone())
        self.assertEqual(process.wait(timeout=30), 0)
        self.assertEqual(winebench.differing_pixels(area(image, STATUS_AREA), self.rendered_status("更新完成！点击「启动浏览器」继续。")), 0)
        fetched = [p for _, p, _ in self.server.requests() if p.startswith("/files/")]
        self.assertEqual(len(fetched), 2)  # the zip and the config changed; the rest did not
        self.assertIsNotNone(ours.wait(timeout=10))  # our installation's browser was closed
        self.assertIsNone(other.poll())  # another installation's browser was left alone
        now = fixtures.tree(INSTALL, skip={h.BROWSER_LOG})
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
        await_state(self, session, "failed")
        self.assertIsNone(ours.poll())
        self.assertEqual(fixtures.tree(INSTALL, skip={h.BROWSER_LOG}), self.installed)

        # The service is mended; "重试" asks again and updates.
        changed[3] = Package("resources.pak", content=b"resources 2.0")
        release_builder.build_release(SERVER_ROOT, self.server.url, "2.0", changed)
        session.click(s.MAIN_BUTTON, settle=0)
        image = await_state(self, session, "finished")
        session.key("alt+F4")
        self.assertEqual(session.exit_code(), 0)
        self.assertIsNotNone(ours.wait(timeout=10))
        now = fixtures.tree(INSTALL, skip={h.BROWSER_LOG})
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
DROPPED = "locales/old.pak"
ANY_STEP = object()  # a row that learns the steps rather than checks one


def volume_packages(version, updater=None):
    """A big file first (so the first move into the installation takes several chunks), then the
    usual packages; optionally the updater itself; after 1.0 a file of its own, in 1.0 a zip
    member of its own."""
    seed = hashlib.sha256(version.encode()).digest()
    big = (seed * (BIG // len(seed) + 1))[:BIG]
    extra = [Package("orvane-updater.exe", content=updater)] if updater else []
    usual = packages(version)
    if version != "1.0":  # a file the update adds: a repair or an undo removes it again
        extra.append(Package("new/added.pak", content=b"added in " + version.encode()))
    else:  # a zip member the next release drops: the update removes it, an undo puts it back
        usual[0] = Package(usual[0].file_path, files={**usual[0].files, DROPPED: b"dropped after 1.0"},
                           compressed=True)
    return [Package("big.pak", content=big), *usual, *extra]


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
        return fixtures.tree(host, skip={h.BROWSER_LOG})

    def updater(self, host, name, env=None):
        session = s.Session("--update", name=name, exe=host / "orvane-updater.exe", env=env)
        self.sessions.append(session)
        return session

    def finish(self, session, state):
        """Waits for the state, closes the window."""
        await_state(self, session, state, timeout=90)
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
        v2 = fixtures.tree(host, skip={h.BROWSER_LOG})
        self.assertNotEqual(v1, v2)
        self.assertEqual(v2["big.pak"], volume_packages("2.0")[0].content)
        self.assertEqual(v2["orvane-updater.exe"], newer)
        self.assertEqual(v2["new/added.pak"], b"added in 2.0")
        self.assertNotIn(DROPPED, list(v2))

        # Killed with every step in the journal and the records in place, the journal not yet
        # committed: the steps, in order, are where the other points of the table are.
        steps = self.kill_and_repair(host, v1, v2, "records", ANY_STEP, v1, 0)
        self.assertEqual([step[1] for step in steps[:2]], ["big.pak", "locales/zh-CN.pak"])
        self.assertEqual({step[1] for step in steps[-2:]}, {h.MANIFEST_NAME, h.ZIP_MEMBERS_NAME},
                         "the two records come last")
        rows = [("marker", None, v1)]

        def at(point, index):
            """The point as the step at index reaches it: point#N, N counting its passages."""
            passes = {"incoming": lambda kind: kind != "removed", "replaced": lambda kind: kind != "removed",
                      "backup": lambda kind: kind == "replaced", "removed": lambda kind: kind == "removed"}
            return f"{point}#{sum(1 for step in steps[:index + 1] if passes[point](step[0]))}"

        def index_of(file_path):
            return next(i for i, step in enumerate(steps) if step[1] == file_path)

        own, dropped, first_record = index_of(h.UPDATER_NAME), index_of(DROPPED), len(steps) - 2
        self.assertEqual((steps[own][0], steps[dropped][0]), ("replaced", "removed"))
        rows += [
            # (pause point, the step the journal's last line names there, what a repair leaves)
            (at("backup", 0), 0, v1),            # the first file moved aside
            (at("replaced", 0), 0, v1),          # the first new file in place
            ("copying", 0, v1),                  # half-way through copying big.pak beside it
            # The new updater beside the running one, and in its place. (Between the two, the
            # running one renamed to its backup, no updater has the name: a kill in that window
            # of two renames leaves the repair to the next install.)
            (at("incoming", own), own, v1),
            (at("replaced", own), own, v1),
            (at("removed", dropped), dropped, v1),  # a file the release dropped, moved aside
            (at("replaced", first_record), first_record, v1),  # one record of two replaced
            ("committed", None, v2),             # the journal committed, no backup deleted yet
            ("discarded", None, v2),             # inside the commit: the first backup deleted
        ]
        for number, (point, step, repaired) in enumerate(rows, start=1):
            self.kill_and_repair(host, v1, v2, point, None if step is None else steps[step], repaired, number)

    def kill_and_repair(self, host, v1, v2, point, last_step, repaired, number):
        """One row: v1 in place, the update killed at point (the journal's last step line there
        is last_step; a committed journal for the commit's points), the next run repairs to
        repaired without the service (half of the rows with --check, which then has nothing to
        ask and ends without a window), then updates to v2. The journal's steps at the kill."""
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
            journal = (host / JOURNAL).read_bytes() if (host / JOURNAL).exists() else None
            steps = journal_steps(journal) if journal is not None else None
            self.assertIsNotNone(steps, f"no journal of this format at {point}: {journal!r}")
            named = f"{steps[-1][0]} {steps[-1][1]}" if steps else "(no step yet)"
            print(f"kill table: {point:<12} the journal's last step: {named}", file=sys.stderr)
            if point in ("committed", "discarded"):
                self.assertIn(b"\ncommitted\n", journal)
            elif last_step is ANY_STEP:
                pass
            elif last_step is None:
                self.assertEqual(steps, [], point)
            else:
                self.assertEqual(steps[-1], last_step, point)
            if point == "copying":
                # Copied beside its target first: the file of that name is never half-written.
                self.assertLess((host / "big.pak.new").stat().st_size, BIG, "not half-way")
                self.assertEqual((host / "big.pak").read_bytes(), v1["big.pak"])
            killed.kill()  # SIGKILL of the Wine process: nothing of ours runs any more
            self.server.stop()
            try:
                if number % 2:
                    check = winebench.start_wine([host / "orvane-updater.exe", "--update", "--check"])
                    self.assertEqual(check.wait(timeout=60), 0)
                else:
                    self.finish(self.updater(host, f"after {point}, service down"), "failed")
                self.assertEqual(settled(fixtures.tree(host, skip={h.BROWSER_LOG})), settled(repaired))
            finally:
                self.server.start()
            self.finish(self.updater(host, f"after {point}, service up"), "finished")
            self.assertEqual(settled(fixtures.tree(host, skip={h.BROWSER_LOG})), settled(v2))
            return steps

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
        now = fixtures.tree(host, skip={h.BROWSER_LOG})
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
        self.assertFalse([n for n in fixtures.tree(SHM, skip={h.BROWSER_LOG}) if n.endswith((".bak", ".pending"))])
        self.assertEqual(json.loads((SHM / "orvane-version.json").read_bytes())["version"], "2.0")


if __name__ == "__main__":
    runner.main()
