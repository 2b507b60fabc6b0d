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
SCRATCH = winebench.BUILD_DIR / "tests" / "probe-scripts"


def run(operations, timeout=600):
    SCRATCH.mkdir(parents=True, exist_ok=True)
    with tempfile.TemporaryDirectory(dir=SCRATCH) as work:
        script = pathlib.Path(work) / "script.json"
        results = pathlib.Path(work) / "results.json"
        script.write_bytes(json.dumps(operations, ensure_ascii=False).encode("utf-8", "surrogateescape"))
        done = winebench.run_wine([PROBE, winebench.windows_path(script), winebench.windows_path(results)],
                                  timeout=timeout)
        if done.returncode != 0 or not results.exists():
            raise AssertionError(f"orvane-probe failed ({done.returncode}): {done.stderr.decode(errors='replace')}")
        # The writer leaves control characters in strings raw.
        return json.loads(results.read_bytes().decode("utf-8", "surrogateescape"), strict=False)


def one(operation, timeout=600):
    return run([operation], timeout)[0]
