#!/usr/bin/env python3
"""Times vorlane against a floor program that does only the unavoidable work
(read each directory, one no-replace rename per file, no output), each run on
a freshly written tree, the two interleaved run by run.

    python3 bench/run.py [--runs N] [--work DIR] [--build DIR]

Prints, per scenario, the median wall time of each, the median of the
pairwise ratios vorlane/floor with their range, vorlane's peak resident
memory (from GNU time) and its system calls per file (from strace -c -f),
each where installed.
"""
import argparse
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

# name, tree shape (directories, files each, case), vorlane option word, floor arguments
SCENARIOS = [
    ("-lr on 100 x 1000", (100, 1000, "upper"), "-lr", []),
    ("-lR on 100 x 1000", (100, 1000, "upper"), "-lR", ["-R"]),
    ("-ld on 1 x 200000", (0, 200000, "upper"), "-ld", []),
    ("-lr on 100 x 1000, already lower", (100, 1000, "lower"), "-lr", []),
]
TOP = "TREE"


def fresh_tree(make_tree, shape, work):
    """A newly written tree, flushed to disk before it is timed so that no
    writeback of it runs during the measurement."""
    root = os.path.join(work, "run")
    subprocess.run(["rm", "-rf", root], check=True)
    os.mkdir(root)
    directories, files, case = shape
    subprocess.run([make_tree, os.path.join(root, TOP), str(directories), str(files), case],
                   check=True)
    subprocess.run(["sync"], check=True)
    return root


def timed(argv, cwd, stdout_path):
    """Runs argv in cwd; returns its wall seconds."""
    actions = [
        (os.POSIX_SPAWN_OPEN, 1, stdout_path, os.O_WRONLY | os.O_CREAT | os.O_TRUNC, 0o644),
        (os.POSIX_SPAWN_OPEN, 2, os.devnull, os.O_WRONLY, 0),
    ]
    here = os.getcwd()
    os.chdir(cwd)
    try:
        start = time.perf_counter()
        pid = os.posix_spawn(argv[0], argv, os.environ, file_actions=actions)
        _, status = os.waitpid(pid, 0)
        wall = time.perf_counter() - start
    finally:
        os.chdir(here)
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"{argv} failed with status {status}")
    return wall


def peak_memory_kib(argv, cwd, work):
    """The peak resident memory of argv, by GNU time: a process of its own,
    so the figure is not inflated by this script's memory."""
    report = os.path.join(work, "time.txt")
    subprocess.run(["/usr/bin/time", "-f", "%M", "-o", report] + argv, cwd=cwd,
                   stdout=subprocess.DEVNULL, check=True)
    with open(report) as text:
        return int(text.read().split()[-1])


def syscalls_per_file(argv, cwd, work, files):
    report = os.path.join(work, "strace.txt")
    subprocess.run(["strace", "-c", "-f", "-o", report] + argv, cwd=cwd,
                   stdout=subprocess.DEVNULL, check=True)
    with open(report) as text:
        total = [line for line in text if line.strip().endswith("total")]
    return int(re.split(r"\s+", total[-1].strip())[3]) / files


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=5, help="counted runs of each (default 5)")
    parser.add_argument("--work", default=None, help="where to write trees (default: $TMPDIR)")
    parser.add_argument("--scale", type=float, default=1.0,
                        help="multiply every tree's file count (a quick trial: 0.01)")
    parser.add_argument("--build", default=os.path.join(here, "..", "build", "release"))
    args = parser.parse_args()

    programs = {}
    for name in ("vorlane", "vorlane_floor", "vorlane_make_tree"):
        programs[name] = os.path.abspath(os.path.join(args.build, name))
        if not os.access(programs[name], os.X_OK):
            sys.exit(f"{programs[name]} is missing: run 'cmake --workflow --preset release'")
    vorlane, floor, make_tree = (programs[n] for n in ("vorlane", "vorlane_floor",
                                                       "vorlane_make_tree"))
    has_strace = shutil.which("strace") is not None
    has_time = os.access("/usr/bin/time", os.X_OK)

    work = tempfile.mkdtemp(prefix="vorlane-bench-", dir=args.work)
    rows = []
    try:
        for name, shape, option, floor_args in SCENARIOS:
            directories, files_each, case = shape
            files_each = max(1, int(files_each * args.scale))
            shape = (directories, files_each, case)
            files = max(directories, 1) * files_each
            commands = {"vorlane": [vorlane, option, TOP], "floor": [floor] + floor_args + [TOP]}
            walls = {"vorlane": [], "floor": []}
            ratios = []
            for run in range(args.runs + 1):  # the first round warms up and is not counted
                order = ["vorlane", "floor"] if run % 2 == 0 else ["floor", "vorlane"]
                result = {}
                for label in order:
                    cwd = fresh_tree(make_tree, shape, work)
                    result[label] = timed(commands[label], cwd, os.path.join(work, "stdout"))
                if run == 0:
                    continue
                for label in walls:
                    walls[label].append(result[label])
                ratios.append(result["vorlane"] / result["floor"])
            peak = None
            if has_time:
                peak = peak_memory_kib(commands["vorlane"], fresh_tree(make_tree, shape, work),
                                       work)
            per_file = None
            if has_strace:
                per_file = syscalls_per_file(commands["vorlane"],
                                             fresh_tree(make_tree, shape, work), work, files)
            rows.append((name, statistics.median(walls["vorlane"]),
                         statistics.median(walls["floor"]), statistics.median(ratios),
                         min(ratios), max(ratios), peak, per_file))
            print(f"done: {name}", file=sys.stderr)
    finally:
        subprocess.run(["rm", "-rf", work])

    if args.scale != 1.0:
        print(f"(file counts scaled by {args.scale})")
    print(f"{'scenario':34} {'vorlane s':>9} {'floor s':>8} {'ratio':>6} {'min-max':>10} "
          f"{'peak RSS':>10} {'calls/file':>10}")
    for name, ours, theirs, ratio, low, high, peak, per_file in rows:
        calls = "n/a" if per_file is None else f"{per_file:.2f}"
        memory = "n/a" if peak is None else f"{peak / 1024:.1f} MiB"
        print(f"{name:34} {ours:9.3f} {theirs:8.3f} {ratio:6.3f} {f'{low:.2f}-{high:.2f}':>10} "
              f"{memory:>10} {calls:>10}")


if __name__ == "__main__":
    main()
