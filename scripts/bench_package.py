"""Figures for scripts/bench: the product's download and digest against the native tools.

Each product figure comes from orvane-probe.exe (the product's own HttpClient and Sha256File)
in a fresh Wine process; each is the best of RUNS runs, like the native tool beside it.
"""
import argparse
import json
import os
import pathlib
import shutil
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parents[1]
sys.path[:0] = [str(ROOT / "tests"), str(ROOT / "tools")]  # the test bench and the release tool's packages
from orvane_release import build as release_builder, service  # noqa: E402
from support import probe, winebench  # noqa: E402

MIB = 1024 * 1024
DOWNLOAD_SIZE = 512 * MIB
HASH_SIZE = 1024 * MIB
RUNS = 3
MEMORY_GOAL = 16 * MIB


def best_time(action, runs):
    best = None
    for _ in range(runs):
        start = time.perf_counter()
        action()
        elapsed = time.perf_counter() - start
        best = elapsed if best is None else min(best, elapsed)
    return best


def write_random(path, size):
    if path.exists() and path.stat().st_size == size:
        return
    with open(path, "wb") as out:
        for _ in range(size // MIB):
            out.write(os.urandom(MIB))


def rate(size, seconds):
    return f"{size / MIB / seconds:8.1f} MiB/s"


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--runs", type=int, default=RUNS)
    runs = parser.parse_args().runs

    work = winebench.DRIVE_C / "bench"
    server_root = winebench.BUILD_DIR / "bench-server"
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    (server_root / "files").mkdir(parents=True, exist_ok=True)
    served = server_root / "files" / "package.bin"
    write_random(served, DOWNLOAD_SIZE)
    hashed = work / "hashed.bin"
    write_random(hashed, HASH_SIZE)

    baseline = probe.one({"op": "memory"})["peak_working_set"]
    figures = {}
    transport_only = None
    with service.ReleaseServer(server_root) as server:
        url = server.url + "/files/package.bin"
        target = work / "downloaded.bin"
        curl_target = work / "curl.bin"
        curl = best_time(lambda: subprocess.run(["curl", "-sS", "-o", str(curl_target), url], check=True), runs)
        download_memory = []

        def product_download():
            download, memory = probe.run([{"op": "download", "url": url, "path": winebench.windows_path(target)},
                                          {"op": "memory"}])
            assert download["ok"], download["last_error"]
            download_memory.append(memory["peak_working_set"])

        product = best_time(product_download, runs)
        assert target.stat().st_size == DOWNLOAD_SIZE
        figures["download"] = (curl, product, max(download_memory))
        # The same transfer written to NUL: what Wine's WinHTTP alone allows, the floor under the
        # product's figure on this machine.
        transport_only = best_time(lambda: probe.run([{"op": "download", "url": url, "path": "NUL"}]), runs)
        curl_target.unlink()
        target.unlink()

    native_digest = []
    sha256sum = best_time(lambda: native_digest.append(subprocess.run(
        ["sha256sum", str(hashed)], check=True, capture_output=True, text=True).stdout.split()[0]), runs)
    hash_memory = []

    def product_hash():
        digest, memory = probe.run([{"op": "sha256", "path": winebench.windows_path(hashed)}, {"op": "memory"}])
        assert digest["digest"] == native_digest[0]
        hash_memory.append(memory["peak_working_set"])

    product_hash_time = best_time(product_hash, runs)

    # A release answer as large as the client takes (16 MiB): 300 000 entries, judged before any
    # download (parsed, then checked for unsafe and doubled paths).
    answer_root = winebench.BUILD_DIR / "bench-answer"
    shutil.rmtree(answer_root, ignore_errors=True)
    entries = [{"file_path": f"d{i // 1000}/{i}.pak", "download_url": "x"} for i in range(300000)]
    release_builder.write_manifest(answer_root, json.dumps({"version": "1", "files": entries},
                                                           separators=(",", ":")))
    with service.ReleaseServer(answer_root) as server:
        judged = probe.one({"op": "judge_release", "base_url": server.url}, timeout=600)
    answer_size = sum(p.stat().st_size for p in (answer_root / "api").rglob("*.json"))
    shutil.rmtree(answer_root, ignore_errors=True)
    figures["sha256"] = (sha256sum, product_hash_time, max(hash_memory))
    shutil.rmtree(work, ignore_errors=True)

    def line(label, size, native_label, native, product, memory):
        print(f"{label}:")
        print(f"  {native_label:<28}{rate(size, native)}")
        print(f"  {'product under Wine':<28}{rate(size, product)}   ratio {native / product:.2f}")
        print(f"  peak working set            {memory / MIB:6.1f} MiB  (Wine process at rest: "
              f"{baseline / MIB:.1f} MiB, growth {(memory - baseline) / MIB:+.1f} MiB; goal < "
              f"{MEMORY_GOAL // MIB} MiB)")

    print(f"best of {runs} runs each, one machine, one run of this script")
    line("HttpClient::download, 512 MiB from 127.0.0.1", DOWNLOAD_SIZE, "curl -o (native)",
         *figures["download"])
    print(f"  {'WinHTTP under Wine, to NUL':<28}{rate(DOWNLOAD_SIZE, transport_only)}   (the floor; "
          f"product / floor {transport_only / figures['download'][1]:.2f})")
    line("Sha256File, 1 GiB", HASH_SIZE, "sha256sum (native)", *figures["sha256"])
    print(f"release answer of {answer_size / MIB:.1f} MiB, {len(entries)} entries:")
    print(f"  fetched and parsed          {judged['fetch_ms'] / 1000:.2f} s   (taken: {judged['ok']})")
    print(f"  paths judged                {judged['judge_ms'] / 1000:.2f} s   (refused: {judged.get('refused')})")


if __name__ == "__main__":
    main()
