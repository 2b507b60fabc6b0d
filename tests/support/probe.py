"""Runs orvane-probe.exe (tests/support/net_probe.cpp) under the Wine bench.

A script is a list of operations (dicts); every operation of one call shares one HttpClient.
Returns one result dict per operation, in order. Strings in results keep raw bytes as
surrogate escapes, so a body with any bytes survives the trip.
"""
import contextlib
import json
import pathlib
import re
import shutil
import tempfile
import time

from . import winebench

PROBE = winebench.BUILD_DIR / "tests" / "support" / "orvane-probe.exe"
# The same probe built with the bench's release key (the private half: RELEASE_KEY).
SIGNED_PROBE = PROBE.with_name("orvane-probe-signed.exe")
# Built with that key, and verifying every certificate as a shipping build does.
VERIFIED_PROBE = PROBE.with_name("orvane-probe-verified.exe")
RELEASE_KEY = winebench.BUILD_DIR / "tests" / "test-release-key.pem"
SCRATCH = winebench.BUILD_DIR / "tests" / "probe-scripts"


def run(operations, timeout=600, signed=False, verified=False):
    SCRATCH.mkdir(parents=True, exist_ok=True)
    program = VERIFIED_PROBE if verified else SIGNED_PROBE if signed else PROBE
    with tempfile.TemporaryDirectory(dir=SCRATCH) as work:
        script = pathlib.Path(work) / "script.json"
        results = pathlib.Path(work) / "results.json"
        script.write_bytes(json.dumps(operations, ensure_ascii=False).encode("utf-8", "surrogateescape"))
        done = winebench.run_wine([program, winebench.windows_path(script), winebench.windows_path(results)],
                                  timeout=timeout)
        if done.returncode != 0 or not results.exists():
            raise AssertionError(f"orvane-probe failed ({done.returncode}): {done.stderr.decode(errors='replace')}")
        # The writer leaves control characters in strings raw.
        return json.loads(results.read_bytes().decode("utf-8", "surrogateescape"), strict=False)


def one(operation, timeout=600, signed=False, verified=False):
    return run([operation], timeout, signed, verified)[0]


def start(operations, env=None):
    """Starts a probe run in the background (env: variables for it, such as a pause point's).
    Returns (process, finish); finish(timeout) waits for the run and returns its results."""
    SCRATCH.mkdir(parents=True, exist_ok=True)
    work = pathlib.Path(tempfile.mkdtemp(dir=SCRATCH))
    script, results = work / "script.json", work / "results.json"
    script.write_bytes(json.dumps(operations, ensure_ascii=False).encode("utf-8", "surrogateescape"))
    process = winebench.start_wine([PROBE, winebench.windows_path(script), winebench.windows_path(results)],
                                   env=env)

    def finish(timeout=600):
        process.wait(timeout=timeout)
        if not results.exists():
            raise AssertionError(f"orvane-probe failed ({process.returncode})")
        return json.loads(results.read_bytes().decode("utf-8", "surrogateescape"), strict=False)

    return process, finish


HOLD_START_TIMEOUT = 60
HELD_FOR_MS = 120_000  # longer than any use: the hold ends when the block does


@contextlib.contextmanager
def holding(path):
    """The file at path (a host path) held open without delete sharing, as a program using it
    would, for as long as the block runs; entered once the probe holds it."""
    SCRATCH.mkdir(parents=True, exist_ok=True)
    mark = pathlib.Path(tempfile.mkdtemp(dir=SCRATCH)) / "held"
    process, _ = start([{"op": "hold_file", "path": winebench.windows_path(path), "ms": HELD_FOR_MS,
                         "mark": winebench.windows_path(mark)}])
    try:
        deadline = time.monotonic() + HOLD_START_TIMEOUT
        while not mark.exists():
            if process.poll() is not None or time.monotonic() > deadline:
                raise AssertionError(f"the probe did not hold {path}")
            time.sleep(0.05)
        yield
    finally:
        process.kill()
        process.wait()
        shutil.rmtree(mark.parent, ignore_errors=True)


def _most_at_line(k, sizes, share):
    """The most the bar may show at package k's line (1-based): the larger of the bytes' share
    (packages before k downloaded and placed, k and k+1 downloaded: a placed package counts its
    size twice) and k's slice of the count, half-way (downloaded, not yet placed)."""
    weights = sizes if sum(sizes) > 0 else [1] * len(sizes)
    c, n = k - 1, len(weights)
    done = 2 * sum(weights[:c]) + weights[c] + (weights[c + 1] if c + 1 < n else 0)
    start, end = share * c // n, share * (c + 1) // n
    return max(share * done // (2 * sum(weights)), start + (end - start) // 2)


DOWNLOAD_LINE = re.compile(r"^下载: (\d+)/(\d+)  (.*?)(  \d+\.\d( / \d+\.\d)? MB)?$")


def parts_view(test, calls, share=100, sizes=None):
    """A pipeline's setter calls [(call, value)] as the package boundaries see them, after
    checking what moves in between: the bar never goes back; at "下载: k/n" it is at least
    (k-1)*share/n (that value stands in for whatever the bytes had moved it to) and, given the
    packages' sizes (a list in order, or {file path: size} for the packages the lines name), at most what the packages before k, placed, and k and k+1, downloaded
    (the one ahead), make of the bar; a byte line names the package of the line before it.
    Byte lines and the bar's values inside the download phase are left out; a value past the
    phase (or 100) before another call stays."""
    if isinstance(sizes, dict):  # {file path: size}: in the order the lines name them
        named = [DOWNLOAD_LINE.match(value) for name, value in calls if name == "status"]
        sizes = [sizes[path] for path in dict.fromkeys(m.group(3) for m in named if m)]
    view, last, pending, downloading, line = [], -1, None, False, None
    for name, value in calls:
        if name == "progress":
            test.assertGreaterEqual(value, last, calls)
            last = pending = value
            continue
        match = DOWNLOAD_LINE.match(value) if name == "status" else None
        if match and match.group(4):
            test.assertEqual(match.group(1, 2, 3), line, calls)
            continue
        if match:
            k, n = int(match.group(1)), int(match.group(2))
            bound = (k - 1) * share // n
            test.assertGreaterEqual(last, bound, calls)
            if sizes is not None:
                test.assertLessEqual(last, _most_at_line(k, sizes, share), (value, calls))
            view += [("progress", bound), (name, value)]
            line, downloading, pending = match.group(1, 2, 3), True, None
            continue
        if pending is not None and not (downloading and pending <= share and pending != 100):
            view.append(("progress", pending))
        downloading = downloading and name != "status"
        pending = None
        view.append((name, value))
    return view
