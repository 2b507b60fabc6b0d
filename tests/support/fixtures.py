"""What many tests set up the same way: a snapshot of a folder, a release service for a test
class, and programs under Wine that are stopped however a test ends."""
import importlib.util
import shutil
import unittest

from orvane_release import service

from . import install_helpers, probe, winebench


def tree(root, skip=()):
    """{path relative to root: bytes} of every file under root whose name is not in skip."""
    return {p.relative_to(root).as_posix(): p.read_bytes() for p in root.rglob("*")
            if p.is_file() and p.name not in skip}


def stop_at_cleanup(test, process):
    """process, killed and reaped when test ends if it still runs."""
    def stop():
        if process.poll() is None:
            process.kill()
            process.wait()
    test.addCleanup(stop)
    return process


def start_browser(test, folder):
    """The test browser started from folder (copied there when the folder has none) once it has
    written its log; stopped when test ends."""
    folder.mkdir(parents=True, exist_ok=True)
    if not (folder / "chrome.exe").exists():
        shutil.copyfile(install_helpers.TEST_BROWSER, folder / "chrome.exe")
    return stop_at_cleanup(test, install_helpers.start_browser(folder))


def probe_temp_dir():
    """The host path of the probe's temporary folder for downloads: a package it refuses names
    the folder and writes nothing there."""
    refused = probe.one({"op": "fetch_package", "file": {"file_path": ""}, "install_dir": "C:\\"})
    return winebench.host_path(refused["temp_dir"])


class ServedTestCase(unittest.TestCase):
    """A release service over plain HTTP on SERVER_ROOT (emptied first) for the whole class, as
    cls.server."""
    SERVER_ROOT = None

    @classmethod
    def setUpClass(cls):
        shutil.rmtree(cls.SERVER_ROOT, ignore_errors=True)
        cls.server = service.ReleaseServer(cls.SERVER_ROOT).start()
        cls.addClassCleanup(cls.server.stop)


def load_script(name):
    """The module of scripts/<name>.py (the demo's steps, for a test of the demo)."""
    spec = importlib.util.spec_from_file_location(name, winebench.SOURCE_DIR / "scripts" / f"{name}.py")
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module
