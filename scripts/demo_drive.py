#!/usr/bin/env python3
"""Runs one install on the bench's virtual display the way a person would: sets the folder,
clicks "开始安装", waits for the end, clicks "启动浏览器"; photographs each step into --shots
and prints a summary. Exit code 0 when the install finished and the browser opened.

    demo_drive.py --dir 'C:\\Orvane Demo' --shots build/windows/demo/screenshots
"""
import argparse
import pathlib
import shutil
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parents[1]
sys.path[:0] = [str(ROOT / "tests"), str(ROOT / "tools")]  # the test bench and the release tool's packages
from support import install_helpers as h, installer_session as s, winebench  # noqa: E402

INSTALL_TIMEOUT = 60
BROWSER_TIMEOUT = 30


def shot(window, name, taken):
    """Keeps a PNG of just the window (its client area, cut from the bench's display) and puts
    the image and the window's size then into taken[name]."""
    size = winebench.window_geometry(window)[2:]
    taken[name] = (winebench.client_shot(window, name), size)
    print(f"demo: screenshot {winebench.ARTIFACTS / (name + '.png')}")


def drive(windows_dir, states, taken=None):
    """Returns (installer exit code or None, whether it all went as it should). taken gets
    {shot name: (image, window size when it was taken)}."""
    taken = {} if taken is None else taken
    session = s.Session(name="demo")
    try:
        shot(session.window, "1-ready", taken)
        session.set_directory(windows_dir)
        session.click(s.MAIN_BUTTON, settle=0)
        state, _ = states.wait_for(session.window, (h.WORKING, h.FINISHED, h.FAILED), INSTALL_TIMEOUT)
        if state == h.WORKING:
            shot(session.window, "2-working", taken)
            state, _ = states.wait_for(session.window, (h.FINISHED, h.FAILED), INSTALL_TIMEOUT)
        shot(session.window, "3-" + h.STATE_NAMES.get(state, "unknown").lower(), taken)
        if state != h.FINISHED:
            print(f"demo: the install ended in {h.STATE_NAMES.get(state, 'an unknown state')}")
            return None, False
        session.click(s.MAIN_BUTTON, settle=0)  # "启动浏览器"
        browser = winebench.wait_for_window(h.BROWSER_TITLE, timeout=BROWSER_TIMEOUT)
        if browser is None:
            print("demo: the browser did not open")
        else:
            time.sleep(s.SETTLE)
            shot(browser, "4-browser", taken)
        code = session.exit_code()
        return code, browser is not None and code == 0
    finally:
        session.kill()
        h.close_browser()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--dir", required=True, help="the installation folder as Windows sees it")
    parser.add_argument("--shots", required=True, help="folder for the screenshots")
    args = parser.parse_args()
    if winebench.xdotool("search", "--onlyvisible", "--name", "Orvane"):
        print("demo: an Orvane window is already open on the bench display (a test run?); "
              "try again when it has finished", file=sys.stderr)
        return 1
    shutil.rmtree(winebench.host_path(args.dir), ignore_errors=True)
    h.clear_install_traces()
    states = h.StateReader()  # fixture windows: before the installer's own window opens
    winebench.ARTIFACTS = pathlib.Path(args.shots)
    code, ok = drive(args.dir, states)
    import demo_summary  # beside this script; drive() alone needs none of it
    demo_summary.print_summary(args.dir, code)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
