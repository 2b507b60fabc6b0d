"""What install tests (and the demo) need around installer_session: the places an install
touches in the prefix, the window's state read from its pixels, reference renderings of exact
texts by the window fixture, the manifest text the installer writes, and the test browser."""
import copy
import json
import os
import pathlib
import re
import shutil
import signal
import subprocess
import tempfile
import time
import urllib.parse

from orvane_release.digest import sha256_hex
from . import winebench
from . import installer_session as s
from .winebench import argb

FIXTURE = winebench.BUILD_DIR / "tests" / "support" / "orvane-window-fixture.exe"
TEST_BROWSER = winebench.BUILD_DIR / "tests" / "support" / "chrome.exe"
WINDOW_TITLE = "^Orvane$"
BROWSER_TITLE = "^Orvane Test Browser$"
BROWSER_LOG = "browser-started.txt"

READY, WORKING, FINISHED, FAILED = 0, 1, 2, 3
STATE_NAMES = {READY: "Ready", WORKING: "Working", FINISHED: "Finished", FAILED: "Failed"}

# Client areas the tests compare (x, y, width, height).
HEADER_AREA = (0, 0, 500, 100)  # accent strip, icon, title and the per-state subtitle
CARD_AREA = (40, 105, 434, 80)
ERROR_AREA = (40, 200, 434, 150)
BAR_END = (470, 206)  # inside the bar's track near its right end
TRACK = argb(0xFF323648)

MANIFEST_NAME = "orvane-version.json"
ZIP_MEMBERS_NAME = "orvane-zip-members.json"
CONFIG_NAME = "orvane-config.json"
UPDATER_NAME = "orvane-updater.exe"
SHORTCUT_NAME = "Orvane.lnk"
TEMP_NAME = "orvane-install"
MARKER_NAME = "orvane-update.pending"
EDIT_BACKGROUND = (32, 36, 52)
EDIT_POINT = (48, 266)  # inside the directory edit, left of its text; only Ready shows it

POLL = 0.1


def user_dir():
    """The prefix's own user folder (the one that is not Public)."""
    users = [p for p in (winebench.DRIVE_C / "users").iterdir() if p.is_dir() and p.name != "Public"]
    if len(users) != 1:
        raise AssertionError(f"expected one user folder in the prefix, found {users}")
    return users[0]


def desktop_shortcut():
    return user_dir() / "Desktop" / SHORTCUT_NAME


def programs_folder():
    return user_dir() / "AppData" / "Roaming" / "Microsoft" / "Windows" / "Start Menu" / "Programs" / "Orvane"


def start_menu_shortcut():
    return programs_folder() / SHORTCUT_NAME


def install_temp():
    return user_dir() / "Temp" / TEMP_NAME


def clear_install_traces():
    """Removes what an earlier install left outside its folder: shortcuts and the temp folder."""
    desktop_shortcut().unlink(missing_ok=True)
    # Wine's menu builder mirrors a desktop shortcut as a .desktop file once the creator ends.
    desktop_shortcut().with_suffix(".desktop").unlink(missing_ok=True)
    shutil.rmtree(programs_folder(), ignore_errors=True)
    shutil.rmtree(install_temp(), ignore_errors=True)


map_drive = winebench.map_drive


def extractions():
    """Host bsdtar processes the prefix's tar.exe started for an install's downloads."""
    done = subprocess.run(["pgrep", "-f", f"bsdtar.*{TEMP_NAME}"], capture_output=True, text=True)
    return done.stdout.split()


def display_free(timeout=120):
    """Waits until no Orvane window is on the display: clicks go to whatever window is on top,
    and every Orvane window opens at the same place."""
    return _wait_gone("Orvane", timeout)


# ------------------------------------------------------------------------------------------
# Pixels


def capture(window):
    """The window's client area now, without keeping a file (for polling)."""
    with tempfile.NamedTemporaryFile(suffix=".ppm") as ppm:
        done = subprocess.run(["import", "-window", str(window), "-depth", "8", ppm.name],
                              env=winebench.x_env(), capture_output=True, timeout=30)
        if done.returncode != 0:
            return None
        return winebench._read_ppm(ppm.name)


def area(image, rect):
    """The pixels of rect, row by row; None when there is no image (the window went away)."""
    if image is None:
        return None
    left, top, width, height = rect
    return [image.rgb(x, y) for y in range(top, top + height) for x in range(left, left + width)]


def fixture_shot(name, *args):
    """The fixture's window drawn with args, photographed; no other "Orvane" window may be open."""
    process = winebench.start_wine([FIXTURE, *args])
    window = winebench.wait_for_window(WINDOW_TITLE, process=process)
    try:
        if window is None:
            raise AssertionError("the window fixture did not open")
        time.sleep(s.SETTLE)
        return winebench.client_shot(window, f"expected {name}")
    finally:
        process.kill()
        process.wait()
        _wait_gone(WINDOW_TITLE)


def _wait_gone(title, timeout=10):
    deadline = time.monotonic() + timeout
    while winebench.xdotool("search", "--onlyvisible", "--name", title):
        if time.monotonic() > deadline:
            return False
        time.sleep(POLL)
    return True


def rendered_error(text):
    """The error area as the window draws text in Failed ("\\n" for a line feed)."""
    return area(fixture_shot("error " + text[:12].replace("\\", "_"), "state=3", f"error={text}"),
                ERROR_AREA)


def rendered_card(version, count):
    return area(fixture_shot(f"card {count}", "state=0", f"version={version}", f"count={count}"),
                CARD_AREA)


class StateReader:
    """Tells the window's state from its header, whose subtitle differs per state: the header
    of each state is rendered once by the fixture and screenshots are matched against them."""

    def __init__(self):
        self.headers = {state: area(fixture_shot(f"header {STATE_NAMES[state]}", f"state={state}"),
                                    HEADER_AREA)
                        for state in STATE_NAMES}

    def state(self, image):
        if image is None or image.width < HEADER_AREA[2] or image.height < HEADER_AREA[3]:
            return None
        header = area(image, HEADER_AREA)
        return next((state for state, pixels in self.headers.items() if pixels == header), None)

    def wait_for(self, window, states, timeout):
        """(state, image) once the window shows one of states; (last state, image) at timeout."""
        deadline = time.monotonic() + timeout
        state, image = None, None
        while time.monotonic() < deadline:
            image = capture(window)
            state = self.state(image)
            if state in states:
                return state, image
            time.sleep(POLL)
        return state, image


def bar_full(image):
    return image.rgb(*BAR_END) != TRACK


# ------------------------------------------------------------------------------------------
# Files


def manifest_text(version, channel, files):
    """The bytes the installer writes as orvane-version.json: keys sorted, 2-space indent, no
    final newline; files is [(file_path, checksum_sha256), ...]."""
    document = {"channel": channel, "version": version,
                "files": [{"checksum_sha256": digest, "file_path": path} for path, digest in files]}
    return json.dumps(document, indent=2, sort_keys=True, ensure_ascii=False,
                      separators=(",", ": ")).encode("utf-8")


def installed_files(folder):
    """{relative "/"-path: SHA-256} of every file under folder."""
    folder = pathlib.Path(folder)
    return {p.relative_to(folder).as_posix(): sha256_hex(p)
            for p in sorted(folder.rglob("*")) if p.is_file()}


# ------------------------------------------------------------------------------------------
# The test browser


def close_browser(timeout=10):
    """Closes every visible test browser window; kills the process if Alt+F4 does not."""
    found = winebench.xdotool("search", "--onlyvisible", "--name", BROWSER_TITLE)
    for window in (found or "").splitlines():
        pid = winebench.xdotool("getwindowpid", window)
        winebench.xdotool("windowfocus", "--sync", window)
        winebench.xdotool("key", "--window", window, "alt+F4")
        if not _wait_gone(BROWSER_TITLE, timeout) and pid:
            try:
                os.kill(int(pid), signal.SIGKILL)
            except (ProcessLookupError, ValueError):
                pass
            _wait_gone(BROWSER_TITLE, timeout)


UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvane"
UNINSTALL_CAPTION = "Orvane 卸载"


def reg_query_output():
    """What `reg query` of the Apps entry printed and returned (for failure messages)."""
    done = winebench.run_wine(["reg", "query", UNINSTALL_KEY])
    return done.returncode, done.stdout.decode("utf-8", "replace"), done.stderr.decode("utf-8", "replace")[-500:]


def uninstall_entry():
    """The Apps entry's values ({name: str, or int for a REG_DWORD}); None when there is none."""
    done = winebench.run_wine(["reg", "query", UNINSTALL_KEY])
    if done.returncode != 0:
        return None
    values = {}
    for line in done.stdout.decode("utf-8", "replace").splitlines():
        if match := re.match(r"^\s+(\S+)\s+(REG_\w+)\s+(.*?)\s*$", line):
            name, kind, value = match.groups()
            values[name] = int(value, 16) if kind == "REG_DWORD" else value
    return values


def ours_running(timeout=20):
    """Programs of ours (the updater, and the command processor or ping of its final removal)
    still running after up to `timeout` seconds; [] once they have all ended."""
    deadline = time.monotonic() + timeout
    while True:
        lines = subprocess.run(["ps", "-eo", "args"], capture_output=True, text=True).stdout.splitlines()
        left = [line for line in lines if re.search(r"orvane-updater|cmd\.exe|ping\.exe", line, re.I)]
        if not left or time.monotonic() > deadline:
            return left
        time.sleep(POLL)


def start_browser(folder, timeout=30):
    """Starts <folder>\\chrome.exe (the test browser) and returns its process once it has
    written its log there."""
    (folder / BROWSER_LOG).unlink(missing_ok=True)
    process = winebench.start_wine([folder / "chrome.exe"])
    deadline = time.monotonic() + timeout
    while not (folder / BROWSER_LOG).exists():
        if time.monotonic() > deadline:
            process.kill()
            raise AssertionError(f"the browser in {folder} did not start")
        time.sleep(POLL)
    return process


def clean_slate(test, *folders):
    """What a test of the real exe starts from: no browser of ours running, no Orvane window
    open, no traces of an earlier install (shortcuts, Apps entry, temporary folder), the folders
    emptied (the last one made again, for the test's work); the browser closed at the end."""
    close_browser()
    test.assertTrue(display_free(), "another Orvane window stays open (a concurrent run?)")
    clear_install_traces()
    for folder in folders:
        shutil.rmtree(folder, ignore_errors=True)
    folders[-1].mkdir(parents=True)
    test.addCleanup(close_browser)


def silent(exe, *args, env=None, timeout=120):
    """(exit code, lines on standard error) of a run to its end."""
    command = [str(winebench.WINE_RUN), str(exe), *map(str, args)]
    done = subprocess.run(command, env={**os.environ, **(env or {})}, stdin=subprocess.DEVNULL,
                          stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, timeout=timeout)
    return done.returncode, done.stderr.decode("utf-8", "replace").splitlines()


def path_of(url):
    return urllib.parse.urlsplit(url).path


def without_deltas(manifest):
    stripped = copy.deepcopy(manifest)
    for entry in stripped["files"]:
        entry.pop("deltas", None)
    return stripped
