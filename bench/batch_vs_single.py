#!/usr/bin/env python3
"""Batch benchmark: many plot files to PNG, corvex-render's batch mode (one process, all cores)
against one corvex-render process per file and against gnuplot.

Draws --files copies of the 2,500-point benchmark file (make_bench_data.py) at 1280x960 with:
  corvex-render --outdir         one process for all files
  corvex-render, one per file    one after another, and --jobs at a time
  gnuplot pngcairo, one per file one after another, and --jobs at a time
  gnuplot pngcairo, one script   one gnuplot process drawing all files
checks that the batch wrote the same bytes as the one-file runs, and prints wall times, files per
second and each time over the batch's.

    batch_vs_single.py [--render PATH] [--files 1000] [--points 2500] [--jobs CORES] [--markdown]

gnuplot comes from Debian's gnuplot-nox, installed here when missing.
"""
import argparse
import concurrent.futures
import filecmp
import os
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
from side_by_side import gnuplot_script  # noqa: E402  the same gnuplot plot as the side-by-side run

ENV = dict(os.environ, QT_QPA_PLATFORM="offscreen")


def ensure_gnuplot():
    if shutil.which("gnuplot"):
        return
    apt = ["apt-get", "install", "-y", "-q", "gnuplot-nox"]
    if os.geteuid() != 0:
        apt.insert(0, "sudo")
    print("installing gnuplot:", " ".join(apt), flush=True)
    subprocess.check_call(apt, env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"))


def call(command):
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, env=ENV)


def timed(work):
    start = time.perf_counter()
    work()
    return time.perf_counter() - start


def each(commands, jobs):
    """Runs the commands, `jobs` processes at a time."""
    if jobs == 1:
        for command in commands:
            call(command)
        return
    with concurrent.futures.ThreadPoolExecutor(jobs) as pool:
        list(pool.map(call, commands))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--render", default=os.path.join(HERE, "..", "build", "corvex-render"))
    parser.add_argument("--files", type=int, default=1000)
    parser.add_argument("--points", type=int, default=2500)
    parser.add_argument("--jobs", type=int, default=os.cpu_count())
    parser.add_argument("--markdown", action="store_true", help="print the table in Markdown")
    args = parser.parse_args()
    if not os.access(args.render, os.X_OK):
        sys.exit(f"no corvex-render at {args.render}: build it or pass --render")
    ensure_gnuplot()

    work = tempfile.mkdtemp(prefix="corvex-batch-")
    subprocess.check_call([sys.executable, os.path.join(HERE, "make_bench_data.py"), work, str(args.points)])
    source = os.path.join(work, f"bench-{args.points}.dat")
    inputs = []
    os.mkdir(os.path.join(work, "in"))
    for k in range(args.files):
        inputs.append(os.path.join(work, "in", f"run-{k:04d}.dat"))
        shutil.copyfile(source, inputs[-1])
    outs = {name: os.path.join(work, name) for name in ("batch", "single", "gnuplot")}
    for folder in outs.values():
        os.mkdir(folder)

    def png(folder, path):
        return os.path.join(folder, os.path.basename(path) + ".png")

    singles = [[args.render, f, png(outs["single"], f)] for f in inputs]
    scripts = []
    for f in inputs:
        scripts.append(f + ".gp")
        with open(scripts[-1], "w") as s:
            s.write(gnuplot_script(f, png(outs["gnuplot"], f)))
    everything = os.path.join(work, "all.gp")
    with open(everything, "w") as s:
        for f in inputs:
            s.write(gnuplot_script(f, png(outs["gnuplot"], f)))

    call([args.render, inputs[0], png(outs["single"], inputs[0])])  # warm-up: caches and fonts
    call(["gnuplot", scripts[0]])
    rows = [
        ("corvex-render --outdir (one process)",
         timed(lambda: call([args.render, "--outdir", outs["batch"], "--jobs", str(args.jobs)] + inputs))),
        ("corvex-render, one process per file", timed(lambda: each(singles, 1))),
        (f"corvex-render, one per file, {args.jobs} at a time", timed(lambda: each(singles, args.jobs))),
        ("gnuplot pngcairo, one process per file", timed(lambda: each([["gnuplot", s] for s in scripts], 1))),
        (f"gnuplot pngcairo, one per file, {args.jobs} at a time",
         timed(lambda: each([["gnuplot", s] for s in scripts], args.jobs))),
        ("gnuplot pngcairo, one script for all files", timed(lambda: call(["gnuplot", everything]))),
    ]
    same = all(filecmp.cmp(png(outs["batch"], f), png(outs["single"], f), shallow=False) for f in inputs)
    shutil.rmtree(work)

    base = rows[0][1]
    if args.markdown:
        print("| program | wall time (s) | files / s | time / batch |")
        print("|---|---:|---:|---:|")
        for name, wall in rows:
            print(f"| {name} | {wall:.2f} | {args.files / wall:.0f} | {wall / base:.1f}x |")
    else:
        for name, wall in rows:
            print(f"{name:<52} {wall:8.2f} s {args.files / wall:7.0f} files/s {wall / base:6.1f}x")
    print(f"{args.files} files of {args.points} points to 1280x960 PNG; {os.cpu_count()} cores; "
          f"batch output identical to one-file runs: {'yes' if same else 'NO'}")
    sys.exit(0 if same else 1)


if __name__ == "__main__":
    main()
