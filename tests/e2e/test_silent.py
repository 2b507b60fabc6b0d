"""The modes no one watches, with the real exe under Wine: the silent install and update (their
exit codes from real faults, their lines on standard error), the scheduled update check an
install registers (a task, or the Run key where the Task Scheduler is unavailable) and the
once-per-version rule of a scheduled check."""
import pathlib
import re
import shutil
import subprocess
import sys
import time
import unittest

from orvane_release import build as release_builder
from orvane_release.build import Package
from orvane_release.digest import sha256_hex
from support import runner, winebench
from support import install_helpers as h
from support import installer_session as s

SERVER_ROOT = winebench.BUILD_DIR / "tests" / "e2e-silent-server"
TOOL = pathlib.Path(__file__).resolve().parents[2] / "tools" / "orvane-release"
WORK = winebench.DRIVE_C / "e2e silent"
TASKS = winebench.DRIVE_C / "windows" / "system32" / "tasks"
RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
DECLINED_KEY = r"HKCU\Software\Orvane\Declined Updates"
QUESTION_TITLE = "Orvane 更新提示"
CHECK_ARGUMENTS = "--update --check --scheduled"
FINISHED = "安装完成！点击「启动浏览器」开始使用。"
LOGON_CHECK_ONLY = "安装完成！但未能创建计划任务，将改为在登录时检查更新。"
NOT_FULL_PATH = "请输入完整的安装路径，例如 D:\\Orvane"
RELEASE_UNAVAILABLE = "无法获取版本信息，请检查网络连接"
UPDATE_RUNNING = "Orvane 正在更新，请在更新结束后再安装。"
BROWSER_IN_USE = "浏览器正在运行，本次未更新。"


def packages(version, **overrides):
    zip_files = {"locales/zh-CN.pak": f"中文 {version}".encode() * 20, "locales/en.pak": b"en" * 20}
    return [Package("locales/zh-CN.pak", files=zip_files, compressed=True),
            Package("chrome.exe", content=h.TEST_BROWSER.read_bytes()),
            Package(h.CONFIG_NAME, content=f'{{"from":"{version}"}}'.encode()),
            Package("resources.pak", content=f"resources {version}".encode(), **overrides)]


def tasks():
    """{task name: description} of the prefix's tasks. Wine keeps the description but neither
    triggers nor action of a definition, so the description (which names the command) is what
    can be read back; the triggers are the XML builder's host test's."""
    found = {}
    for path in TASKS.iterdir() if TASKS.exists() else []:
        text = path.read_bytes().decode("utf-8-sig", "replace")
        match = re.search(r"<Description>(.*?)</Description>", text, re.S)
        found[path.name] = match.group(1).replace("&amp;", "&") if match else None
    return {name: text for name, text in found.items() if name.startswith("Orvane Update Check ")}


def registry_values(key):
    done = winebench.run_wine(["reg", "query", key])
    values = {}
    for line in done.stdout.decode("utf-8", "replace").splitlines():
        if match := re.match(r"^\s+(.+?)\s+REG_SZ\s+(.*?)\s*$", line):
            values[match.group(1)] = match.group(2)
    return values


def checks_of(folder):
    """The scheduled checks naming folder's updater: [("task" | "run", name)]."""
    command = f'"{winebench.windows_path(folder / h.UPDATER_NAME)}" {CHECK_ARGUMENTS}'
    found = [("task", name) for name, text in tasks().items() if text and text.endswith(command)]
    found += [("run", name) for name, value in registry_values(RUN_KEY).items() if value == command]
    return found


class Silent(unittest.TestCase):
    def setUp(self):
        h.close_browser()
        h.clear_install_traces()
        shutil.rmtree(SERVER_ROOT, ignore_errors=True)
        shutil.rmtree(WORK, ignore_errors=True)
        WORK.mkdir(parents=True)
        self.server = s.service(SERVER_ROOT).start()
        self.addCleanup(lambda: self.server.stop())  # the one running then: a test restarts it
        self.processes = []
        self.addCleanup(self.stop_processes)

    def stop_processes(self):
        for process in self.processes:
            if process.poll() is None:
                process.kill()
                process.wait()
        h.close_browser()

    def release(self, version, **overrides):
        return release_builder.build_release(SERVER_ROOT, self.server.url, version,
                                             packages(version, **overrides))

    def install(self, folder, *args, env=None, expect=0):
        code, lines = h.silent(s.EXE, "--quiet", "--dir", winebench.windows_path(folder), *args, env=env)
        self.assertEqual(code, expect, lines)
        return lines

    def uninstall(self, folder):
        process = winebench.start_wine([folder / h.UPDATER_NAME, "--uninstall", "--quiet"])
        self.assertEqual(process.wait(timeout=60), 0)
        self.assertFalse((folder / h.MANIFEST_NAME).exists())

    def assert_not_installed(self, folder):
        """What a failed install leaves, as the window's does: no records, no updater, no
        downloads, no check."""
        for name in (h.MANIFEST_NAME, h.UPDATER_NAME):
            self.assertFalse((folder / name).exists(), f"{folder.name}: {name}")
        self.assertFalse(h.install_temp().exists(), folder.name)
        self.assertEqual(checks_of(folder), [], folder.name)

    def window_install(self, folder):
        """The window's install of the same release: typed, "开始安装", waited for, closed."""
        states = h.StateReader()  # its fixture windows before the installer's, which keeps the focus
        session = s.Session(name="window install")
        self.processes.append(session.process)
        session.set_directory(winebench.windows_path(folder))
        session.click(s.MAIN_BUTTON, settle=0)
        state, _ = states.wait_for(session.window, (h.FINISHED, h.FAILED), timeout=60)
        self.assertEqual(state, h.FINISHED, "the window's install did not finish")
        self.assertTrue(checks_of(folder), "Finished before the check was registered")
        session.key("alt+F4")
        self.assertTrue(session.window_gone())
        self.assertEqual(session.exit_code(), 0)

    def question(self, *switches):
        """Starts a check; its process once the question is open, or None when it ended asking
        nothing."""
        process = winebench.start_wine([self.folder / h.UPDATER_NAME, "--update", "--check", *switches])
        self.processes.append(process)
        while process.poll() is None:
            if winebench.xdotool("search", "--onlyvisible", "--name", QUESTION_TITLE):
                return process
            time.sleep(h.POLL)
        self.assertEqual(process.returncode, 0)
        return None

    def answer_no(self, process):
        box = winebench.wait_for_window(QUESTION_TITLE, timeout=10, process=process)
        winebench.xdotool("windowfocus", "--sync", box)
        winebench.xdotool("key", "--window", box, "n")
        self.assertEqual(process.wait(timeout=30), 0)

    # ------------------------------------------------------------------------------------------

    def test_a_silent_install_is_the_windows_and_each_folder_gets_its_own_check(self):
        window, quiet, bare, fallback = (WORK / name for name in ("Window", "Quiet", "Bare", "No Tasks"))
        self.release("1.0")
        self.window_install(window)
        h.clear_install_traces()
        lines = self.install(quiet)
        self.assertEqual(lines, ["正在获取版本信息...", "下载: 1/4  locales/zh-CN.pak", "下载: 2/4  chrome.exe",
                                 f"下载: 3/4  {h.CONFIG_NAME}", "下载: 4/4  resources.pak", "正在完成安装...",
                                 FINISHED])
        self.assertEqual(h.installed_files(quiet), h.installed_files(window))
        self.assertEqual(h.uninstall_entry()["InstallLocation"], winebench.windows_path(quiet))
        self.assertTrue(h.desktop_shortcut().is_file() and h.start_menu_shortcut().is_file())
        self.assertFalse(h.install_temp().exists())
        h.clear_install_traces()
        self.install(bare, "--no-shortcuts")
        self.assertFalse(h.desktop_shortcut().exists() or h.start_menu_shortcut().exists())
        # One task per folder, each running its own updater's scheduled check.
        registered = {folder: checks_of(folder) for folder in (window, quiet, bare)}
        for folder, found in registered.items():
            self.assertEqual([kind for kind, _ in found], ["task"], folder)
        self.assertEqual(len({found[0][1] for found in registered.values()}), 3)
        # Where the Task Scheduler cannot be reached, the Run key starts the check at logon.
        lines = self.install(fallback, "--no-shortcuts", env={"ORVANE_DLL_OVERRIDES": "taskschd=d"})
        self.assertEqual(lines[-1], LOGON_CHECK_ONLY)
        self.assertEqual([kind for kind, _ in checks_of(fallback)], ["run"])
        # An uninstall removes its own folder's check, task or Run value, and no other.
        for folder in (quiet, fallback):
            self.uninstall(folder)
            self.assertEqual(checks_of(folder), [], folder)
        self.assertEqual(checks_of(window), registered[window])
        # An install at once into the folder an uninstall just left keeps its updater: the
        # uninstall's final removal deletes only the file it ran from.
        self.install(quiet, "--no-shortcuts")
        self.assertEqual(h.ours_running(), [])
        self.assertIn(h.UPDATER_NAME, [path.name for path in quiet.iterdir()])
        self.assertEqual([path.name for path in quiet.iterdir() if ".removing-" in path.name], [])
        self.uninstall(quiet)
        for folder in (window, bare):
            self.uninstall(folder)
            self.assertEqual(checks_of(folder), [], folder)

    def test_a_release_the_tool_builds_from_a_folder_installs_and_updates_byte_for_byte(self):
        """tools/orvane-release build from a folder with nested folders, non-ASCII names, an
        empty file and a zip of several files; then a second build in which a zip member other
        than the zip's file_path changed."""
        source, folder = WORK / "source", WORK / "Tool Built"
        files = {"chrome.exe": h.TEST_BROWSER.read_bytes(), "资源/主题/深色.css": "body {}".encode(),
                 "data/empty.dat": b"", "locales/en-US.pak": b"en" * 100,
                 "locales/zh-CN.pak": "中文".encode() * 100, "locales/子目录/ü.pak": b"u" * 10}
        ours = {h.MANIFEST_NAME, h.ZIP_MEMBERS_NAME, h.UPDATER_NAME}

        def build(version):
            for name, data in files.items():
                (source / name).parent.mkdir(parents=True, exist_ok=True)
                (source / name).write_bytes(data)
            done = subprocess.run([sys.executable, TOOL, "build", "--files", source, "--out", SERVER_ROOT,
                                   "--version", version, "--base-url", self.server.url, "--zip", "locales"],
                                  capture_output=True, text=True, timeout=120)
            self.assertEqual(done.returncode, 0, done.stderr)

        def installed():
            return {name: digest for name, digest in h.installed_files(folder).items() if name not in ours}

        build("1.0")
        self.install(folder, "--no-shortcuts")
        self.assertEqual(installed(), h.installed_files(source))
        files["locales/zh-CN.pak"] = "新的中文".encode() * 100
        build("2.0")
        self.server.clear_requests()
        self.assertEqual(h.silent(folder / h.UPDATER_NAME, "--update", "--quiet")[0], 0)
        self.assertEqual(installed(), h.installed_files(source))
        self.assertEqual(len([p for _, p, _ in self.server.requests() if p.startswith("/files/")]), 1)
        self.uninstall(folder)

    def test_exit_codes_of_failed_silent_installs(self):
        self.release("1.0")
        in_the_way = WORK / "In The Way"
        (in_the_way / "chrome.exe").mkdir(parents=True)
        cases = [
            ("relative directory", ["--dir", "Orvane"], {}, 6, NOT_FULL_PATH),
            ("no directory", ["--dir"], {}, 6, NOT_FULL_PATH),
            ("a folder in the way", ["--dir", winebench.windows_path(in_the_way)], {}, 4,
             "下载失败: chrome.exe\ncannot replace existing file"),
        ]
        for name, args, release, code, last in cases:
            with self.subTest(name):
                result, lines = h.silent(s.EXE, "--quiet", *args)
                self.assertEqual((result, "\n".join(lines[-2:]) if "\n" in last else lines[-1]), (code, last))
        self.assert_not_installed(in_the_way)
        # A package whose bytes are not the release's.
        self.release("1.0", checksum_sha256="0" * 64)
        digest = WORK / "Digest"
        self.assertIn("checksum mismatch", self.install(digest, expect=3)[-1])
        self.assert_not_installed(digest)
        # The service down, then a download cut off by the process's close (taskkill).
        self.server.stop()
        self.assertEqual(self.install(WORK / "Down", expect=2)[-1], RELEASE_UNAVAILABLE)
        self.server = s.service(SERVER_ROOT).start()
        release_builder.build_release(SERVER_ROOT, self.server.url, "1.0",
                                      [Package("slow.bin", content=bytes(4 << 20), url_prefix="/_fault/slow=20000")])
        cancelled = WORK / "Cancelled"
        process = subprocess.Popen([str(winebench.WINE_RUN), str(s.EXE), "--quiet", "--dir",
                                    winebench.windows_path(cancelled)], stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        self.processes.append(process)
        deadline = time.monotonic() + 30
        while not any(path.startswith("/_fault/") for _, path, _ in self.server.requests()):
            self.assertLess(time.monotonic(), deadline, "the download did not start")
            time.sleep(h.POLL)
        winebench.run_wine(["taskkill", "/im", "orvane-setup.exe"])
        _, error = process.communicate(timeout=15)
        self.assertEqual((process.returncode, error.decode("utf-8").splitlines()[-1]), (7, "已取消"))
        self.assert_not_installed(cancelled)

    def test_the_folders_silent_runs_are_given(self):
        """A mode word in --dir's value is the folder's; an updater in a folder that holds no
        installation changes nothing there; a quote left in --dir is no path; a folder the Task
        Scheduler would expand is checked from the Run key; a task is the user's own, and an
        uninstall that cannot reach the Task Scheduler keeps the Apps entry until it can."""
        self.release("1.0")
        lonely = WORK / "Downloads"
        lonely.mkdir()
        shutil.copyfile(s.EXE, lonely / h.UPDATER_NAME)
        for switches in (("--update", "--quiet"), ("--update", "--check", "--scheduled", "--quiet")):
            code, lines = h.silent(lonely / h.UPDATER_NAME, *switches)
            self.assertEqual((code, lines[-1]), (9, f"此文件夹中没有 Orvane 安装: {winebench.windows_path(lonely)}"))
        self.assertEqual([p.name for p in lonely.iterdir()], [h.UPDATER_NAME])
        self.assertEqual(checks_of(lonely), [])
        self.assertNotEqual((h.uninstall_entry() or {}).get("InstallLocation"), winebench.windows_path(lonely))
        code, lines = h.silent(s.EXE, "--quiet", "--dir", winebench.windows_path(WORK / "Quoted") + '"')
        self.assertEqual((code, lines[-1]), (6, NOT_FULL_PATH))
        self.assertFalse((WORK / "Quoted").exists())
        percent = WORK / "100%"
        self.assertEqual(self.install(percent, "--no-shortcuts")[-1], LOGON_CHECK_ONLY)
        self.assertEqual([kind for kind, _ in checks_of(percent)], ["run"])
        odd = WORK / "Apps--update" / "Orvane--uninstall"
        self.assertEqual(self.install(odd, "--no-shortcuts")[-1], FINISHED)
        [(kind, task)] = checks_of(odd)
        self.assertEqual(kind, "task")
        self.assertRegex(task, r"^Orvane Update Check [0-9a-f]{16} S-1-5-21-")
        self.assertEqual(h.uninstall_entry()["OrvaneScheduledTask"], 1)
        unreachable = winebench.start_wine([odd / h.UPDATER_NAME, "--uninstall", "--quiet"],
                                           env={"ORVANE_DLL_OVERRIDES": "taskschd=d"})
        self.assertEqual(unreachable.wait(timeout=60), 1)
        self.assertEqual(h.uninstall_entry()["InstallLocation"], winebench.windows_path(odd))
        self.assertEqual(checks_of(odd), [("task", task)])
        self.uninstall(odd)
        self.assertEqual(checks_of(odd), [])
        self.assertIsNone(h.uninstall_entry())
        self.uninstall(percent)
        self.assertEqual(checks_of(percent), [])

    def test_a_dripping_package_fails_and_frees_the_folder_and_a_slow_link_finishes(self):
        folder = WORK / "Slow"
        self.release("1.0")
        self.install(folder, "--no-shortcuts")

        def release(version, **resources):
            return release_builder.build_release(SERVER_ROOT, self.server.url, version,
                                                 packages(version)[:3] + [Package("resources.pak", **resources)])
        # A byte every 2 s, against a test build's stall window of 4 s (a minute in the product):
        # stalled, resumed three times, failed, and the folder free for an install at once.
        dripping = release("2.0", content=b"r" * 4096, url_prefix="/_fault/drip=2")["files"][3]["download_url"]
        self.server.clear_requests()
        started = time.monotonic()
        code, lines = h.silent(folder / h.UPDATER_NAME, "--update", "--quiet",
                             env={"ORVANE_TEST_STALL_WINDOW_MS": "4000"})
        self.assertEqual((code, lines[-1]), (3, "下载失败: resources.pak"))
        self.assertLess(time.monotonic() - started, 60)
        asked = [r for p, r, _ in self.server.ranges() if dripping.endswith(p)]
        self.assertEqual(len(asked), 4, asked)
        self.assertTrue(all(r.startswith("bytes=") for r in asked[1:]), asked)
        release("2.0", content=b"r" * 4096)
        self.install(folder, "--no-shortcuts")
        # A slow link (4 KiB/s) is no stall: the update finishes.
        release("3.0", content=b"s" * (64 << 10), url_prefix="/_fault/slow=4096")
        code, lines = h.silent(folder / h.UPDATER_NAME, "--update", "--quiet")
        self.assertEqual((code, lines[-1]), (0, "更新完成！点击「启动浏览器」继续。"))
        self.assertEqual((folder / "resources.pak").read_bytes(), b"s" * (64 << 10))
        self.uninstall(folder)

    def test_silent_updates_and_a_scheduled_check_asks_once_per_version(self):
        self.folder = WORK / "Orvane"
        self.release("1.0")
        self.install(self.folder, "--no-shortcuts")
        updater = self.folder / h.UPDATER_NAME
        self.release("2.0")
        # While a check's question is open the installation is that run's: a silent install or
        # update of it exits 5 and changes nothing.
        asking = self.question("--scheduled")
        self.assertIsNotNone(asking, "the scheduled check did not ask about 2.0")
        before = h.installed_files(self.folder)
        self.assertEqual(self.install(self.folder, expect=5)[-1], UPDATE_RUNNING)
        self.assertEqual(h.silent(updater, "--update", "--quiet")[0], 5)
        self.assertEqual(h.installed_files(self.folder), before)
        self.answer_no(asking)
        # Kept per user, named by the folder (other tests' installations have values of their own).
        declined = winebench.windows_path(self.folder).upper()
        self.assertEqual(registry_values(DECLINED_KEY).get(declined), "2.0")
        # The schedule does not ask about 2.0 again; a check started otherwise does.
        self.assertIsNone(self.question("--scheduled"), "the scheduled check asked about 2.0 again")
        self.answer_no(self.question())
        self.release("3.0")
        self.answer_no(self.question("--scheduled"))
        self.assertEqual(registry_values(DECLINED_KEY).get(declined), "3.0")

        # The browser running: nothing downloaded, nothing changed, the browser left running.
        browser = h.start_browser(self.folder)
        self.processes.append(browser)
        self.server.clear_requests()
        code, lines = h.silent(updater, "--update", "--quiet")
        self.assertEqual((code, lines[-1]), (8, BROWSER_IN_USE))
        self.assertIsNone(browser.poll())
        self.assertEqual({name: digest for name, digest in h.installed_files(self.folder).items()
                          if name != h.BROWSER_LOG}, before)
        self.assertEqual([p for _, p, _ in self.server.requests() if p.startswith("/files/")], [])
        h.close_browser()
        browser.wait(timeout=10)
        self.server.stop()
        self.assertEqual(h.silent(updater, "--update", "--quiet")[0], 2)
        self.server = s.service(SERVER_ROOT).start()
        self.release("3.0")
        # A task removed meanwhile (by hand, by a cleaner) is registered again by the update.
        [(_, task)] = checks_of(self.folder)
        self.assertEqual(winebench.run_wine(["schtasks", "/delete", "/tn", task, "/f"]).returncode, 0)
        self.assertEqual(checks_of(self.folder), [])
        code, lines = h.silent(updater, "--update", "--quiet")
        self.assertEqual((code, lines[-1]), (0, "更新完成！点击「启动浏览器」继续。"))
        self.assertEqual(h.installed_files(self.folder)["locales/zh-CN.pak"],
                         sha256_hex("中文 3.0".encode() * 20))
        self.assertIn(b'"version": "3.0"', (self.folder / h.MANIFEST_NAME).read_bytes())
        self.assertEqual(checks_of(self.folder), [("task", task)])
        self.server.clear_requests()
        code, lines = h.silent(updater, "--update", "--quiet")
        self.assertEqual((code, lines[-1]), (0, "已是最新版本！"))
        self.assertEqual([p for _, p, _ in self.server.requests() if p.startswith("/files/")], [])
        self.uninstall(self.folder)
        self.assertNotIn(declined, registry_values(DECLINED_KEY))


if __name__ == "__main__":
    runner.main()
