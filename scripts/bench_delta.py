"""Figures for scripts/bench: updates by delta beside the same updates by whole packages, run by
the real updater (--update --quiet) under Wine from releases that orvane-release builds with
--previous. Cases:
  exe   this program's release exe built at two commits (--commits)
  big   a 64 MiB file: 1 % of its 4 KiB blocks changed, 1 MiB inserted
  zip   a zip package of 300 small members, 10 of them changed
  256M  the memory case: a 256 MiB file changed as in big (--no-large leaves it out)
Per case: bytes the delta update downloaded / bytes of the changed packages whole, both updates'
times, and the delta update's private memory peak (RssAnon of its Wine process, sampled: Wine's
own figures of private memory are not the process's)."""
import argparse
import pathlib
import random
import shutil
import subprocess
import sys
import threading
import time

ROOT = pathlib.Path(__file__).resolve().parents[1]
sys.path[:0] = [str(ROOT / "tests"), str(ROOT / "tools")]  # the test bench and the release tool's packages
from orvane_release import build as release_builder, signing  # noqa: E402
from support import install_helpers as h, installer_session as s, winebench  # noqa: E402

MIB = 1024 * 1024
BLOCK = 4096
GOAL_RATIO = 0.10
GOAL_MEMORY = 48 * MIB
WORK = winebench.DRIVE_C / "bench delta"
SERVER_ROOT = winebench.BUILD_DIR / "bench-delta" / "root"
EXES = winebench.BUILD_DIR / "bench-delta" / "exe"
RELEASE_URL = "https://releases.orvane.example/api"
SAMPLE = 0.02
Package = release_builder.Package


# ------------------------------------------------------------------------------------------
# The cases: (name, packages of the first release, packages of the second)

def release_exe(commit):
    """orvane-setup.exe of the release preset at `commit`, built once in a worktree of its own."""
    sha = subprocess.run(["git", "rev-parse", commit], cwd=ROOT, capture_output=True, text=True,
                         check=True).stdout.strip()
    exe = EXES / f"{sha}.exe"
    if exe.exists():
        return exe
    source, build = EXES / f"src-{sha}", EXES / f"build-{sha}"
    shutil.rmtree(source, ignore_errors=True)
    subprocess.run(["git", "worktree", "prune"], cwd=ROOT, check=True)
    subprocess.run(["git", "worktree", "add", "--detach", "--quiet", str(source), sha], cwd=ROOT, check=True)
    try:
        # A shipping build needs a key: the bench's own (older commits take it too).
        key = signing.public_key_text(winebench.BUILD_DIR / "tests" / "test-release-key.pem")
        subprocess.run(["cmake", "--preset", "release", "-B", str(build), f"-DORVANE_RELEASE_BASE_URL={RELEASE_URL}",
                        f"-DORVANE_RELEASE_PUBLIC_KEY={key}"], cwd=source, check=True, stdout=subprocess.DEVNULL)
        subprocess.run(["cmake", "--build", str(build), "--target", "orvane-setup"], cwd=source, check=True,
                       stdout=subprocess.DEVNULL)
        EXES.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(build / "src" / "app" / "orvane-setup.exe", exe)
    finally:
        subprocess.run(["git", "worktree", "remove", "--force", str(source)], cwd=ROOT)
        shutil.rmtree(build, ignore_errors=True)
    return exe


def changed_blocks(path, size, seed):
    """Two files of `size` random bytes: the second with 1 % of its blocks rewritten and 1 MiB
    inserted in the middle."""
    rng = random.Random(seed)
    first, second = path.with_suffix(".1"), path.with_suffix(".2")
    if not (first.exists() and second.exists() and first.stat().st_size == size):
        data = bytearray(b"".join(rng.randbytes(MIB) for _ in range(size // MIB)))
        first.write_bytes(data)
        blocks = size // BLOCK
        for block in rng.sample(range(blocks), blocks // 100):
            data[block * BLOCK:(block + 1) * BLOCK] = rng.randbytes(BLOCK)
        middle = size // 2 // BLOCK * BLOCK
        second.write_bytes(bytes(data[:middle]) + rng.randbytes(MIB) + bytes(data[middle:]))
    return first, second


def text_members(count, changed, seed):
    """Two versions of `count` members of words (2-12 KiB each), `changed` of them edited."""
    rng = random.Random(seed)
    words = [rng.randbytes(rng.randint(2, 9)).hex() for _ in range(4000)]
    first = {}
    for n in range(count):
        size = rng.randint(2048, 12288)
        text = " ".join(rng.choice(words) for _ in range(size // 8))
        first[f"locales/part{n // 50}/m{n:03}.pak"] = text.encode()[:size]
    second = dict(first)
    for name in rng.sample(sorted(first), changed):
        data = bytearray(first[name])
        at = rng.randrange(len(data) // 2)
        data[at:at + 64] = rng.randbytes(32).hex().encode()
        second[name] = bytes(data) + b" appended in 2"
    return first, second


def cases(options):
    scratch = winebench.BUILD_DIR / "bench-delta" / "data"
    scratch.mkdir(parents=True, exist_ok=True)
    old_exe, new_exe = (release_exe(commit) for commit in options.commits)
    big = changed_blocks(scratch / "big", 64 * MIB, seed=1)
    first, second = text_members(300, 10, seed=2)
    zipped = "locales/part0/m000.pak"
    found = [
        (f"exe {options.commits[0]}..{options.commits[1]}",
         [Package("setup/orvane-setup.exe", source=old_exe)], [Package("setup/orvane-setup.exe", source=new_exe)]),
        ("big 64 MiB", [Package("big.bin", source=big[0])], [Package("big.bin", source=big[1])]),
        ("zip 300 members", [Package(zipped, files=first, compressed=True)],
         [Package(zipped, files=second, compressed=True)]),
    ]
    if options.large:
        large = changed_blocks(scratch / "large", 256 * MIB, seed=3)
        found.append(("256M memory", [Package("large.bin", source=large[0])], [Package("large.bin", source=large[1])]))
    return found


# ------------------------------------------------------------------------------------------
# Runs

def private_memory(name):
    """RssAnon in bytes, summed over the Wine processes whose command line names `name`."""
    total = 0
    for proc in pathlib.Path("/proc").iterdir():
        if not proc.name.isdigit():
            continue
        try:
            if name.encode() not in (proc / "cmdline").read_bytes():
                continue
            for line in (proc / "status").read_text().splitlines():
                if line.startswith("RssAnon:"):
                    total += int(line.split()[1]) * 1024
        except OSError:
            continue  # it ended meanwhile
    return total


def run(exe, *args):
    """(seconds, private memory peak) of a run of exe to its end; fails on a non-zero exit."""
    peak, done = [0], threading.Event()

    def sample():
        while not done.is_set():
            peak[0] = max(peak[0], private_memory(exe.name))
            time.sleep(SAMPLE)

    sampler = threading.Thread(target=sample)
    start = time.perf_counter()
    sampler.start()
    process = subprocess.run([str(winebench.WINE_RUN), str(exe), *map(str, args)], stdin=subprocess.DEVNULL,
                             stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, timeout=1800)
    seconds = time.perf_counter() - start
    done.set()
    sampler.join()
    if process.returncode != 0:
        raise SystemExit(f"{exe.name} {' '.join(map(str, args))}: exit {process.returncode}: "
                         f"{process.stderr.decode('utf-8', 'replace')[-500:]}")
    return seconds, peak[0]


def install(folder):
    run(s.EXE, "--quiet", "--no-shortcuts", "--dir", winebench.windows_path(folder))


def uninstall(folder):
    run(folder / h.UPDATER_NAME, "--uninstall", "--quiet")
    deadline = time.monotonic() + 30
    while folder.exists() and time.monotonic() < deadline:  # the updater's file goes last
        time.sleep(0.1)


def measure(server, name, first, second):
    """{figures} of one case: both installations at the first release, one updated by whole
    packages, the other by deltas."""
    shutil.rmtree(SERVER_ROOT, ignore_errors=True)
    shutil.rmtree(WORK, ignore_errors=True)
    browser = [Package("chrome.exe", content=h.TEST_BROWSER.read_bytes())]
    old = release_builder.build_release(SERVER_ROOT, server.url, "1", browser + first)
    by_delta, whole = WORK / "delta", WORK / "whole"
    install(by_delta)
    install(whole)
    started = time.perf_counter()
    new = release_builder.build_release(SERVER_ROOT, server.url, "2", browser + second, previous=[SERVER_ROOT])
    build_seconds = time.perf_counter() - started
    release_builder.write_manifest(SERVER_ROOT, h.without_deltas(new))
    whole_seconds, _ = run(whole / h.UPDATER_NAME, "--update", "--quiet")
    release_builder.write_manifest(SERVER_ROOT, new)
    server.clear_requests()
    delta_seconds, peak = run(by_delta / h.UPDATER_NAME, "--update", "--quiet")
    _, at_rest = run(by_delta / h.UPDATER_NAME, "--update", "--quiet")  # nothing left to do
    sizes = {}
    earlier = {entry["file_path"]: entry["zip_checksum"] for entry in old["files"]}
    changed = 0
    for entry in new["files"]:
        if earlier.get(entry["file_path"]) != entry["zip_checksum"]:
            changed += entry["file_size"]
            sizes[h.path_of(entry["download_url"])] = entry["file_size"]
        for delta in entry.get("deltas", []):
            sizes[h.path_of(delta["download_url"])] = delta["file_size"]
    downloaded = sum(sizes.get(path, 0) for method, path, _ in server.requests() if method == "GET")
    same = h.installed_files(by_delta) == h.installed_files(whole)
    for folder in (by_delta, whole):
        uninstall(folder)
    return {"name": name, "changed": changed, "downloaded": downloaded, "delta_s": delta_seconds,
            "whole_s": whole_seconds, "peak": peak, "at_rest": at_rest, "build_s": build_seconds,
            "same": same, "deltas": sum(len(e.get("deltas", [])) for e in new["files"])}


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--commits", nargs=2, default=["HEAD~5", "HEAD"], metavar=("OLD", "NEW"),
                        help="the two commits whose release exes are the exe case (default HEAD~5 HEAD)")
    parser.add_argument("--no-large", dest="large", action="store_false", help="leave out the 256 MiB case")
    options = parser.parse_args()
    h.clear_install_traces()
    figures = []
    with s.service(SERVER_ROOT) as server:
        for name, first, second in cases(options):
            print(f"{name}: building and updating ...", flush=True)
            figures.append(measure(server, name, first, second))
    print()
    print(f"{'case':<22}{'whole MB':>10}{'delta MB':>10}{'ratio':>8}{'delta s':>9}{'whole s':>9}"
          f"{'peak MiB':>10}{'build s':>9}  same bytes")
    for f in figures:
        print(f"{f['name']:<22}{f['changed'] / 1e6:>10.2f}{f['downloaded'] / 1e6:>10.3f}"
              f"{f['downloaded'] / max(f['changed'], 1):>8.3f}{f['delta_s']:>9.1f}{f['whole_s']:>9.1f}"
              f"{f['peak'] / MIB:>10.1f}{f['build_s']:>9.1f}  {'yes' if f['same'] else 'NO'}"
              f"{'' if f['deltas'] else '  (no delta kept)'}")
    counted = [f for f in figures if not f["name"].startswith("256M")]
    total = sum(f["downloaded"] for f in counted) / max(sum(f["changed"] for f in counted), 1)
    print(f"total of exe, big, zip: downloaded / whole = {total:.3f} (goal < {GOAL_RATIO})")
    peak = max(f["peak"] for f in figures)
    print(f"private memory peak of a delta update: {peak / MIB:.1f} MiB (goal < {GOAL_MEMORY // MIB} MiB; "
          f"the same updater with nothing to do: {min(f['at_rest'] for f in figures) / MIB:.1f} MiB)")


if __name__ == "__main__":
    main()
