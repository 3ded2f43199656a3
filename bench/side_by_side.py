#!/usr/bin/env python3
"""Side-by-side benchmark: corvex-render against gnuplot (pngcairo) and matplotlib (Agg), each
drawing the same plot files to a 1280x960 PNG on this machine in the same run.

After one warm-up run of each tool per file, the tools take turns (corvex, gnuplot, matplotlib,
corvex, ...) for --runs rounds; the table gives the medians of wall time and peak memory (the
largest resident set of the process) and how many times longer the peers took than corvex-render.

    side_by_side.py [--render PATH] [--data DIR] [--runs N] [--sizes 2500,25000,250000] [--markdown]

The peers come from Debian's gnuplot-nox and python3-matplotlib, installed here when missing.
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SYSTEM_PYTHON = "/usr/bin/python3"  # matplotlib of the Debian package, not of another Python

# The data-set colours (red, green, blue) by set number mod 20, and gnuplot's point types for the
# five shapes (open circle, square, up-triangle, diamond, down-triangle).
COLORS = [(0, 63, 159), (0, 0, 0), (255, 0, 0), (0, 255, 0), (0, 0, 255), (127, 127, 0), (127, 0, 95),
          (255, 127, 0), (127, 127, 127), (63, 0, 159), (95, 0, 0), (0, 95, 0), (0, 223, 223),
          (223, 223, 0), (223, 0, 223), (127, 127, 0), (255, 127, 127), (128, 128, 192), (255, 0, 127),
          (0, 255, 128)]
GNUPLOT_POINT_TYPES = "6 4 8 12 10"


def ensure_peers():
    have_gnuplot = shutil.which("gnuplot") is not None
    have_mpl = subprocess.call([SYSTEM_PYTHON, "-c", "import matplotlib"], stderr=subprocess.DEVNULL) == 0
    if have_gnuplot and have_mpl:
        return
    apt = ["apt-get", "install", "-y", "-q", "gnuplot-nox", "python3-matplotlib"]
    if os.geteuid() != 0:
        apt.insert(0, "sudo")
    print("installing the peers:", " ".join(apt), flush=True)
    subprocess.check_call(apt, env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"))


def gnuplot_script(source, target):
    colors = " ".join(str(r * 65536 + g * 256 + b) for r, g, b in COLORS)
    return f"""cols = "{colors}"
col(s) = s > 0 ? word(cols, int(s) % 20 + 1) + 0 : 0
pts = "{GNUPLOT_POINT_TYPES}"
pt(s) = s > 0 ? word(pts, s <= 80 ? (int(s) - 1) / 20 + 1 : 5) + 0 : 1
set terminal pngcairo size 1280,960
set output '{target}'
set key off
plot '{source}' skip 5 using 1:($4 > 0 ? $2 : NaN):(pt($4)):(col($4)) with points pt variable lc rgb variable, \\
     '' skip 5 using 1:($4 < 0 ? $2 : NaN) with lines lc rgb "black"
"""


def run(command):
    """Wall time in seconds and peak resident memory in MB of one run of command."""
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=tempfile.gettempdir())
    start = time.perf_counter()
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
    _, status, usage = os.wait4(process.pid, 0)
    wall = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit("failed: " + " ".join(command))
    return wall, usage.ru_maxrss / 1024.0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--render", default=os.path.join(HERE, "..", "build", "tools", "corvex-render"))
    parser.add_argument("--data", default=os.path.join(tempfile.gettempdir(), "corvex-bench-data"))
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--sizes", default="2500,25000,250000")
    parser.add_argument("--markdown", action="store_true", help="print the table in Markdown")
    args = parser.parse_args()
    sizes = [int(s) for s in args.sizes.split(",")]
    if not os.access(args.render, os.X_OK):
        sys.exit(f"no corvex-render at {args.render}: build it or pass --render")
    ensure_peers()
    subprocess.check_call([sys.executable, os.path.join(HERE, "make_bench_data.py"), args.data] +
                          [str(n) for n in sizes])

    work = tempfile.mkdtemp(prefix="corvex-side-")
    rows = []
    for n in sizes:
        source = os.path.join(args.data, f"bench-{n}.dat")
        script = os.path.join(work, f"plot-{n}.gp")
        with open(script, "w") as f:
            f.write(gnuplot_script(source, os.path.join(work, f"gnuplot-{n}.png")))
        tools = {
            "corvex-render": [args.render, source, os.path.join(work, f"corvex-{n}.png")],
            "gnuplot pngcairo": ["gnuplot", script],
            "matplotlib Agg": [SYSTEM_PYTHON, os.path.join(HERE, "plot_matplotlib.py"), source,
                               os.path.join(work, f"matplotlib-{n}.png")],
        }
        for command in tools.values():  # warm-up: caches, fonts, Python bytecode
            run(command)
        samples = {name: [] for name in tools}
        for _ in range(args.runs):
            for name, command in tools.items():
                samples[name].append(run(command))
        base = statistics.median(w for w, _ in samples["corvex-render"])
        for name, runs in samples.items():
            wall = statistics.median(w for w, _ in runs)
            memory = statistics.median(m for _, m in runs)
            rows.append((n, name, wall, memory, wall / base))
        print(f"{n} points done", file=sys.stderr, flush=True)
    shutil.rmtree(work)

    if args.markdown:
        print("| points | program | median wall time (s) | median peak memory (MB) | time / corvex-render |")
        print("|---:|---|---:|---:|---:|")
        for n, name, wall, memory, ratio in rows:
            print(f"| {n:,} | {name} | {wall:.3f} | {memory:.1f} | {ratio:.1f}x |")
    else:
        print(f"{'points':>8}  {'program':<18} {'wall (s)':>9} {'peak (MB)':>10} {'x corvex':>9}")
        for n, name, wall, memory, ratio in rows:
            print(f"{n:>8}  {name:<18} {wall:>9.3f} {memory:>10.1f} {ratio:>9.1f}")
    print(f"medians of {args.runs} alternating runs after a warm-up; {os.cpu_count()} cores")


if __name__ == "__main__":
    main()
