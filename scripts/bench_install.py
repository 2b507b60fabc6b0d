"""Figures for scripts/bench: an install and an update of a 512 MiB release of 4 packages (2 zips,
2 plain files) by the product's own pipelines (orvane-probe.exe's run_install / run_update),
against install-floor.exe doing the same downloads, digests and extractions the plainest way
(one after another, WinHTTP + CNG + tar). Each figure is the best of RUNS runs in a fresh Wine
process."""
import argparse
import os
import pathlib
import shutil
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parents[1]
sys.path[:0] = [str(ROOT / "tests"), str(ROOT / "tools")]  # the test bench and the release tool's packages
from orvane_release import build as release_builder, service  # noqa: E402
from support import probe, winebench  # noqa: E402

MIB = 1024 * 1024
PACKAGE_SIZE = 128 * MIB
RUNS = 5
GOAL = 0.85
PRIVATE_GOAL_MIB = 16  # the install's peak private bytes, the download ahead included
FLOOR = winebench.BUILD_DIR / "tests" / "bench" / "install-floor.exe"
Package = release_builder.Package
# Where the status line says a phase begins (install and update alike).
PHASES = [("downloads", "下载: "), ("finishing", "正在完成安装"), ("closing browser", "正在关闭浏览器"),
          ("replacing", "替换文件: "), ("records", "更新版本信息")]


def write_random(path, size):
    if path.exists() and path.stat().st_size == size:
        return path
    with open(path, "wb") as out:
        for _ in range(size // MIB):
            out.write(os.urandom(MIB))
    return path


def release(root, url, version, sources):
    """Two plain packages and two zips (one member each) of PACKAGE_SIZE random bytes."""
    a, b, c, d = sources
    return release_builder.build_release(root, url, version, [
        Package("chrome.dll", source=a),
        Package("locales/big.pak", files={"locales/big.pak": b}, compressed=True),
        Package("resources.pak", source=c),
        Package("swiftshader/big.bin", files={"swiftshader/big.bin": d}, compressed=True)])


def floor_arguments(manifest, folder):
    arguments = [winebench.windows_path(folder)]
    for file in manifest["files"]:
        arguments += [file["download_url"], file["file_path"].replace("/", "\\") if file["compressed"] else "-"]
    return arguments


def phase_times(calls):
    """{phase: seconds} from a pipeline's setter calls: each phase runs from the first status
    line that starts with its prefix to the next phase's (the last to the final call)."""
    if any("ms" not in call for call in calls):
        return {}  # a build from before the probe timed its calls
    marks = []
    for call in calls:
        text = call.get("value") if call["call"] == "status" else None
        for name, prefix in PHASES:
            if isinstance(text, str) and text.startswith(prefix) and name not in dict(marks):
                marks.append((name, call["ms"]))
    ends = [ms for _, ms in marks[1:]] + [calls[-1]["ms"]]
    return {name: (end - start) / 1000 for (name, start), end in zip(marks, ends)}


def timed(action):
    start = time.perf_counter()
    action()
    return time.perf_counter() - start


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--runs", type=int, default=RUNS)
    parser.add_argument("--probe", type=pathlib.Path, help="another build's orvane-probe.exe")
    arguments = parser.parse_args()
    runs = arguments.runs
    if arguments.probe:
        probe.PROBE = arguments.probe.resolve()

    data = winebench.BUILD_DIR / "bench-install-data"
    data.mkdir(parents=True, exist_ok=True)
    sources = {v: [write_random(data / f"{v}-{i}.bin", PACKAGE_SIZE) for i in range(4)] for v in ("1", "2")}
    roots = {v: winebench.BUILD_DIR / f"bench-install-{v}" for v in ("1", "2")}
    folder = winebench.DRIVE_C / "bench install"
    floor_folder = winebench.DRIVE_C / "bench floor"
    best = {}
    memory = {}
    private = {}
    phases = {}
    with service.ReleaseServer(roots["1"]) as old, service.ReleaseServer(roots["2"]) as new:
        manifests = {"1": release(roots["1"], old.url, "1.0", sources["1"]),
                     "2": release(roots["2"], new.url, "2.0", sources["2"])}
        install_dir = winebench.windows_path(folder)

        def fresh(path):
            shutil.rmtree(path, ignore_errors=True)
            path.mkdir(parents=True)

        def product(op, server):
            def run():
                results = probe.run([{"op": op, "base_url": server.url, "install_dir": install_dir, "timed": True},
                                     {"op": "memory"}], timeout=1200)
                calls = results[0]["calls"]
                assert calls[-2]["call"] == "state" and calls[-2]["value"] == 2, calls[-3:]
                memory[op] = max(memory.get(op, 0), results[1]["peak_working_set"])
                private[op] = max(private.get(op, 0), results[1]["peak_private"])
                phases.setdefault(op, []).append(phase_times(calls))
            return run

        def floor(manifest):
            def run():
                fresh(floor_folder)
                done = winebench.run_wine([FLOOR, *floor_arguments(manifest, floor_folder)], timeout=1200)
                assert done.returncode == 0, done.stderr
            return run

        for _ in range(runs):
            fresh(folder)
            times = {"install": timed(product("run_install", old))}
            times["update"] = timed(product("run_update", new))
            times["install floor"] = timed(floor(manifests["1"]))
            times["update floor"] = timed(floor(manifests["2"]))
            for name, seconds in times.items():
                best[name] = min(best.get(name, seconds), seconds)
    shutil.rmtree(folder, ignore_errors=True)
    shutil.rmtree(floor_folder, ignore_errors=True)

    at_rest = probe.one({"op": "memory"})
    baseline, private_baseline = at_rest["peak_working_set"], at_rest["peak_private"]
    total = 4 * PACKAGE_SIZE
    print(f"install and update of {total // MIB} MiB in 4 packages (2 zips, 2 plain), best of {runs} runs:")
    for name, op in (("install", "run_install"), ("update", "run_update")):
        ratio = best[name] / best[name + " floor"]
        print(f"  {name:<8} product {best[name]:6.1f} s   floor {best[name + ' floor']:6.1f} s   "
              f"product / floor {ratio:.2f}  (goal <= {GOAL})")
        print(f"           peak working set {memory[op] / MIB:6.1f} MiB (Wine process at rest: "
              f"{baseline / MIB:.1f} MiB, growth {(memory[op] - baseline) / MIB:+.1f} MiB)")
        print(f"           peak private bytes {private[op] / MIB:6.1f} MiB (at rest: "
              f"{private_baseline / MIB:.1f} MiB, growth {(private[op] - private_baseline) / MIB:+.1f} MiB; "
              f"goal <= {PRIVATE_GOAL_MIB} MiB)")
        fastest = min(phases[op], key=lambda times: sum(times.values()))
        if fastest:
            print("           phases of its fastest run: " +
                  ", ".join(f"{name} {seconds:.1f} s" for name, seconds in fastest.items()))


if __name__ == "__main__":
    main()
