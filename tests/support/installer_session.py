"""Driving the real orvane-setup.exe under Wine + Xvfb as a person would, against the local
release service on the loopback origin the Windows build is made with."""
import contextlib
import socket
import subprocess
import threading
import time

from orvane_release import certificates
from orvane_release import service as release_service
from . import winebench

EXE = winebench.BUILD_DIR / "src" / "app" / "orvane-setup.exe"
SERVICE_PORT = 47443  # the windows preset's ORVANE_RELEASE_BASE_URL
CERTS = winebench.BUILD_DIR / "tests" / "certs"
MAIN_BUTTON = (260, 371)
BROWSE_BUTTON = (425, 266)
EDIT = (200, 266)
SETTLE = 1.5
# Two clicks on one spot closer than Windows' double-click time (500 ms) are one double-click,
# which a button takes as a single press.
APART = 0.7


def service(root):
    """The release service on the build's fixed origin (HTTPS, self-signed)."""
    return release_service.ReleaseServer(root, tls=certificates.make_certificate(CERTS, "localhost"),
                                        port=SERVICE_PORT)


@contextlib.contextmanager
def hanging_service():
    """Accepts connections on the service's port and never answers: a fetch waits for it."""
    listener = socket.socket()
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", SERVICE_PORT))
    listener.listen(16)
    held = []

    def accept():
        while True:
            try:
                held.append(listener.accept()[0])
            except OSError:
                return

    threading.Thread(target=accept, daemon=True).start()
    try:
        yield
    finally:
        # shutdown wakes the blocked accept; a bare close would leave the port listening
        # until accept returned.
        listener.shutdown(socket.SHUT_RDWR)
        listener.close()
        for connection in held:
            connection.close()


class Session:
    """One run of the exe: its process, its window, and what a person can do to it."""

    def __init__(self, *args, name="installer", exe=None, env=None, cwd=None):
        self.name = name
        self.last_click, self.last_point = 0.0, None
        self.process = winebench.start_wine([exe or EXE, *args], env=env, cwd=cwd)
        self.window = winebench.wait_for_window("^Orvane$", process=self.process)
        if not self.window:
            state = self.process.poll()
            self.process.kill()
            raise AssertionError(f"the window did not appear (exit code {state}); "
                                 f"{winebench.bench_report()}")
        time.sleep(SETTLE)

    def shot(self, suffix):
        return winebench.client_shot(self.window, f"{self.name} {suffix}")

    def click(self, point, settle=SETTLE):
        """A press of what is at point; a second press of the same spot waits until it cannot
        be taken for a double-click, as a person's deliberate second click."""
        if point == self.last_point:
            time.sleep(max(0.0, self.last_click + APART - time.monotonic()))
        winebench.xdotool("mousemove", "--window", self.window, *point, "click", "1")
        self.last_click, self.last_point = time.monotonic(), point
        time.sleep(settle)

    def double_click(self, point):
        winebench.xdotool("mousemove", "--window", self.window, *point, "click", "--repeat", "2",
                          "--delay", "60", "1")

    def key(self, *keys):
        winebench.xdotool("windowfocus", "--sync", self.window)
        winebench.xdotool("key", "--window", self.window, *keys)

    def set_directory(self, text):
        """Replaces the edit's text the way a person would (Wine's edit ignores Ctrl+A)."""
        self.click(EDIT, settle=0.3)
        self.key("End")
        self.key("shift+Home")
        self.key("BackSpace")
        if text:
            winebench.xdotool("type", "--window", self.window, "--delay", "20", text)
        time.sleep(0.5)

    def window_gone(self, timeout=10):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if not winebench.xdotool("search", "--onlyvisible", "--name", "^Orvane$"):
                return True
            time.sleep(0.1)
        return False

    def exit_code(self, timeout=10):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.window_gone()
