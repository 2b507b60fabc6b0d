"""Runs orvane-probe.exe (tests/support/net_probe.cpp) under the Wine bench.

A script is a list of operations (dicts); every operation of one call shares one HttpClient.
Returns one result dict per operation, in order. Strings in results keep raw bytes as
surrogate escapes, so a body with any bytes survives the trip.
"""
import json
import pathlib
import tempfile

import winebench

PROBE = winebench.BUILD_DIR / "tests" / "support" / "orvane-probe.exe"
# The same probe built with the bench's release key (the private half: RELEASE_KEY).
SIGNED_PROBE = PROBE.with_name("orvane-probe-signed.exe")
RELEASE_KEY = winebench.BUILD_DIR / "tests" / "test-release-key.pem"
SCRATCH = winebench.BUILD_DIR / "tests" / "probe-scripts"


def run(operations, timeout=600, signed=False):
    SCRATCH.mkdir(parents=True, exist_ok=True)
    with tempfile.TemporaryDirectory(dir=SCRATCH) as work:
        script = pathlib.Path(work) / "script.json"
        results = pathlib.Path(work) / "results.json"
        script.write_bytes(json.dumps(operations, ensure_ascii=False).encode("utf-8", "surrogateescape"))
        done = winebench.run_wine([SIGNED_PROBE if signed else PROBE, winebench.windows_path(script), winebench.windows_path(results)],
                                  timeout=timeout)
        if done.returncode != 0 or not results.exists():
            raise AssertionError(f"orvane-probe failed ({done.returncode}): {done.stderr.decode(errors='replace')}")
        # The writer leaves control characters in strings raw.
        return json.loads(results.read_bytes().decode("utf-8", "surrogateescape"), strict=False)


def one(operation, timeout=600, signed=False):
    return run([operation], timeout, signed)[0]


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
