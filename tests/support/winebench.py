"""Helpers for tests that drive real Windows programs under the project's Wine bench.

The bench (scripts/wine-env) provides a prefix, an Xvfb display and a wineserver; CTest
passes its location in ORVANE_WINE_HOME, the Windows build folder in ORVANE_BUILD_DIR and
the source tree in ORVANE_SOURCE_DIR.
"""
import contextlib
import hashlib
import os
import pathlib
import ssl
import struct
import subprocess
import tempfile
import time

SOURCE_DIR = pathlib.Path(os.environ.get("ORVANE_SOURCE_DIR", pathlib.Path(__file__).resolve().parents[2]))
BUILD_DIR = pathlib.Path(os.environ.get("ORVANE_BUILD_DIR", SOURCE_DIR / "build" / "windows"))
WINE_HOME = pathlib.Path(os.environ.get("ORVANE_WINE_HOME", BUILD_DIR / "wine"))
PREFIX = WINE_HOME / "prefix"
DRIVE_C = PREFIX / "drive_c"
WINE_RUN = SOURCE_DIR / "scripts" / "wine-run"
ARTIFACTS = BUILD_DIR / "artifacts"


def display():
    """The bench's X display, e.g. ':90'."""
    return (WINE_HOME / "display").read_text().strip()


def x_env():
    env = dict(os.environ)
    env["DISPLAY"] = display()
    return env


def windows_path(host_path):
    """The path a Windows program in the bench sees for a host path."""
    host_path = pathlib.Path(host_path).resolve()
    try:
        rel = host_path.relative_to(DRIVE_C.resolve())
        return "C:\\" + "\\".join(rel.parts)
    except ValueError:
        return "Z:" + str(host_path).replace("/", "\\")


def run_wine(args, timeout=120):
    """Runs a Windows program to its end; returns the CompletedProcess.

    Output goes to files, not pipes: a Wine helper process started on the way may keep
    inherited handles open long after the program ended, and a pipe would never see its end.
    """
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        process = subprocess.Popen([str(WINE_RUN), *map(str, args)], stdin=subprocess.DEVNULL,
                                   stdout=out, stderr=err)
        try:
            returncode = process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            process.kill()
            raise
        out.seek(0)
        err.seek(0)
        return subprocess.CompletedProcess(process.args, returncode, out.read(), err.read())


def start_wine(args, env=None, cwd=None):
    """Starts a Windows program and returns at once with its Popen; env: variables to add (Wine
    hands them on to the Windows program; ORVANE_DLL_OVERRIDES adds DLL overrides); cwd: the
    folder it starts in (Wine maps it to its current directory)."""
    return subprocess.Popen([str(WINE_RUN), *map(str, args)], env={**os.environ, **(env or {})},
                            cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


class PausePoint:
    """A test build of ours stopped at a named point (src/base/pause_point.h): pass env() to
    start_wine, wait_reached(), then kill the program there or resume() it."""

    def __init__(self, name, folder):
        self.name = name.split("#")[0]
        self.folder = pathlib.Path(folder)
        self.folder.mkdir(parents=True, exist_ok=True)
        for suffix in (".reached", ".resume"):
            (self.folder / (self.name + suffix)).unlink(missing_ok=True)
        self.variables = {"ORVANE_PAUSE_AT": name, "ORVANE_PAUSE_DIR": windows_path(self.folder)}

    def env(self):
        return dict(self.variables)

    def wait_reached(self, timeout=60):
        deadline = time.monotonic() + timeout
        while not (self.folder / (self.name + ".reached")).exists():
            if time.monotonic() > deadline:
                return False
            time.sleep(0.05)
        return True

    def resume(self):
        (self.folder / (self.name + ".resume")).touch()


@contextlib.contextmanager
def screen_of_size(size):
    """A bench of its own whose X screen is `size` ("1280x600"): a copy of this prefix with its
    own Xvfb and wineserver. Yields the env that start_wine needs to run a program there; the
    display helpers here (xdotool, wait_for_window, screenshot) look at that screen meanwhile."""
    global WINE_HOME
    home = BUILD_DIR / f"wine-{size}"
    env = {"ORVANE_WINE_HOME": str(home), "ORVANE_SCREEN": f"{size}x24",
           "ORVANE_PREFIX_FROM": str(PREFIX)}
    # Its Xvfb and wineserver outlive the call: no pipes for them to hold.
    command = [str(SOURCE_DIR / "scripts" / "wine-env")]
    subprocess.run(command + ["start"], env={**os.environ, **env}, check=True, timeout=300,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    main, WINE_HOME = WINE_HOME, home
    try:
        yield env
    finally:
        WINE_HOME = main
        subprocess.run(command + ["stop"], env={**os.environ, **env}, timeout=60,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


DESKTOP_KEY = r"HKCU\Control Panel\Desktop"


@contextlib.contextmanager
def screen_dpi(dpi):
    """Programs started inside see a screen of `dpi`: Wine reads LogPixels once, when a program
    starts, so the value may go as soon as the program shows a window. Tests that use this hold
    the display lock, so no other window of the bench starts meanwhile."""
    if dpi == 96:
        yield
        return
    run_wine(["reg", "add", DESKTOP_KEY, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f"])
    try:
        yield
    finally:
        run_wine(["reg", "delete", DESKTOP_KEY, "/v", "LogPixels", "/f"])


def xdotool(*args, timeout=30):
    done = subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True,
                          env=x_env(), timeout=timeout)
    return done.stdout.strip() if done.returncode == 0 else None


def wait_for_window(name, timeout=60, process=None):
    """X window id of the first visible window whose title matches name, or None after timeout.
    With a process (the Popen of start_wine), only that process's own windows count: Wine marks
    each window with its Unix pid, so a window of another program or an earlier run of the same
    one is never taken for it."""
    only = ["--all", "--pid", str(process.pid)] if process is not None else []
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = xdotool("search", "--onlyvisible", *only, "--name", name)
        if found:
            return found.splitlines()[0]
        time.sleep(0.2)
    return None


def bench_report():
    """What runs on the bench and which windows it shows: for messages of tests that waited
    for a window in vain."""
    processes = subprocess.run(["ps", "-eo", "pid,etimes,stat,args"], capture_output=True,
                               text=True).stdout.splitlines()
    ours = [line.strip() for line in processes if ".exe" in line or "wine" in line]
    windows = []
    for window in (xdotool("search", "--onlyvisible", "--name", ".") or "").split():
        windows.append(f"{window} {xdotool('getwindowname', window)!r} pid {xdotool('getwindowpid', window)}")
    return "processes: " + " | ".join(ours) + "; visible windows: " + " | ".join(windows)


def window_geometry(window):
    """(x, y, width, height) of an X window on the screen."""
    text = xdotool("getwindowgeometry", "--shell", window)
    values = dict(line.split("=", 1) for line in text.splitlines())
    return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])


class Image:
    """An RGB screenshot held in memory."""

    def __init__(self, width, height, pixels):
        self.width, self.height, self.pixels = width, height, pixels

    def rgb(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.pixels[i:i + 3])

    def count(self, colour, left, top, width, height):
        """Pixels of exactly this colour inside the rectangle."""
        return sum(1 for y in range(top, top + height) for x in range(left, left + width)
                   if self.rgb(x, y) == colour)


def _read_ppm(path):
    data = pathlib.Path(path).read_bytes()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    assert fields[0] == b"P6" and fields[3] == b"255", fields
    width, height = int(fields[1]), int(fields[2])
    pixels = data[pos + 1:pos + 1 + 3 * width * height]
    return Image(width, height, pixels)


def screenshot(name, crop=None):
    """Screenshot of the bench display, or of its rectangle crop = (x, y, width, height); also
    kept as ARTIFACTS/name.png for people."""
    ARTIFACTS.mkdir(parents=True, exist_ok=True)
    ppm = ARTIFACTS / (name + ".ppm")
    region = ["-crop", "{2}x{3}+{0}+{1}".format(*crop)] if crop else []
    subprocess.run(["import", "-window", "root", *region, "-depth", "8", str(ppm)], env=x_env(),
                   check=True, timeout=30)
    image = _read_ppm(ppm)
    subprocess.run(["/usr/bin/convert", str(ppm), str(ARTIFACTS / (name + ".png"))], check=False, timeout=30)
    ppm.unlink()
    return image


def map_drive(letter, host_dir):
    """Makes a drive letter of the prefix name host_dir (as a spare disk would); returns a
    function that removes the mapping again."""
    link = PREFIX / "dosdevices" / f"{letter.lower()}:"
    link.unlink(missing_ok=True)
    link.symlink_to(host_dir)
    return lambda: link.unlink(missing_ok=True)


@contextlib.contextmanager
def small_drive(test, size, letter=None):
    """A tmpfs of `size` ("2m") for the block, yielded as its host path and mapped to drive
    `letter` when one is given. Where none can be mounted the test is skipped, which fails it
    under CI (support.runner)."""
    with tempfile.TemporaryDirectory() as mount_point:
        mounted = subprocess.run(["mount", "-t", "tmpfs", "-o", f"size={size}", "tmpfs", mount_point],
                                 capture_output=True)
        if mounted.returncode != 0:
            test.skipTest(f"cannot mount a small file system here: {mounted.stderr.decode(errors='replace')}")
        unmap = map_drive(letter, pathlib.Path(mount_point)) if letter else (lambda: None)
        try:
            yield pathlib.Path(mount_point)
        finally:
            unmap()
            subprocess.run(["umount", mount_point], check=True)


def host_path(windows):
    """The host path of a C:\\ or Z:\\ path that a Windows program in the bench reported."""
    drive, rest = windows[:2].upper(), windows[2:].lstrip("\\/")
    parts = [p for p in rest.replace("/", "\\").split("\\") if p]
    if drive == "C:":
        return DRIVE_C.joinpath(*parts)
    if drive == "Z:":
        return pathlib.Path("/").joinpath(*parts)
    raise ValueError(f"not a bench path: {windows}")


def client_shot(window, name):
    """Screenshot of the window's client area, so pixels are read at client coordinates.
    (Without a window manager the X window of a Wine top-level window is its client area.)"""
    return screenshot(name, crop=window_geometry(window))


def close_enough(actual, expected, tolerance=24):
    """Colours equal within a tolerance per channel (gradients and anti-aliasing)."""
    return all(abs(a - e) <= tolerance for a, e in zip(actual, expected))


def argb(value):
    """(r, g, b) of a 0xAARRGGBB colour."""
    return ((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF)


def differing_pixels(actual, expected):
    """How many pixels of two same-sized areas differ. Tests assert this is 0 rather than compare
    the lists: on a mismatch unittest would diff tens of thousands of tuples for minutes."""
    if len(actual) != len(expected):
        return max(len(actual), len(expected))
    return sum(1 for a, b in zip(actual, expected) if a != b)


# Where Wine 8 keeps the certificate authorities its TLS trusts: the prefix's local-machine root
# store in the registry, into which Wine copies the host's list. A certificate added through
# CertAddEncodedCertificateToStore to the "Root" system store is not kept there; a value written
# under this key is, and is trusted from the next connection on.
ROOT_STORE_KEY = r"HKLM\Software\Microsoft\SystemCertificates\Root\Certificates"
# Properties of crypt32's serialised certificate: (id, 1, length, bytes) each.
SHA1_HASH_PROP_ID, CERT_PROP_ID = 3, 32


@contextlib.contextmanager
def trusted_ca(cert_pem):
    """The prefix trusts the certificate authority in cert_pem (PEM) inside the block."""
    der = ssl.PEM_cert_to_DER_cert(pathlib.Path(cert_pem).read_text().split("-----END CERTIFICATE-----")[0]
                                   + "-----END CERTIFICATE-----\n")
    thumbprint = hashlib.sha1(der).digest()
    blob = (struct.pack("<III", SHA1_HASH_PROP_ID, 1, len(thumbprint)) + thumbprint
            + struct.pack("<III", CERT_PROP_ID, 1, len(der)) + der)
    key = ROOT_STORE_KEY + "\\" + thumbprint.hex().upper()
    added = run_wine(["reg", "add", key, "/v", "Blob", "/t", "REG_BINARY", "/d", blob.hex(), "/f"])
    assert added.returncode == 0, added.stderr
    try:
        yield
    finally:
        run_wine(["reg", "delete", key, "/f"])


class LargestFile:
    """Watches a folder tree from a thread while the block runs: `largest` is the size of the
    largest file seen in it at any moment (a sparse file counts by its length)."""

    def __init__(self, folder, interval=0.005):
        self.folder, self.interval, self.largest = pathlib.Path(folder), interval, 0
        self._stop = None

    def _watch(self):
        while not self._stop.is_set():
            for directory, _, files in os.walk(self.folder):
                for name in files:
                    with contextlib.suppress(OSError):
                        self.largest = max(self.largest, os.stat(os.path.join(directory, name)).st_size)
            self._stop.wait(self.interval)

    def __enter__(self):
        import threading
        self._stop = threading.Event()
        self._thread = threading.Thread(target=self._watch, daemon=True)
        self._thread.start()
        return self

    def __exit__(self, *exc):
        self._stop.set()
        self._thread.join()
