#!/usr/bin/env python3
"""The other program of the long watch (bench/long-watch.sh).

write: writes N plot data files one after another as plot.dat into the watched folder, each only once
       the previous one has gone; every tenth is marked for deletion ("!" in column 81 of line 1), every
       fourth is written slowly in pieces with pauses below the program's 500 ms settling wait. A copy
       of each file goes to the "sent" folder, and the count of files taken so far to the progress file.
check: compares the watched folder with what was sent and prints the summary; exit status 1 when a
       file was lost, changed, archived twice or left behind.
"""

import argparse
import math
import os
import random
import sys
import time

WATCHED = "plot.dat"
WORKING_COPY = "~corvex~.tmp"


def is_marked(i):
    return i % 10 == 7


def is_slow(i):
    return i % 4 == 1


def plot_text(i, points, marked):
    line1 = f" long watch file {i:04d}".ljust(80) + ("!" if marked else "")
    lines = [line1, f"written by long_watch_files.py, {points} points", "Time (s)", "Signal (V)", str(points)]
    for k in range(1, points + 1):
        x = k * 0.25
        lines.append(f"{x:.3f}, {math.sin(x / 7.0 + i) * (1 + i % 9):.5f}, 0, {1 + k % 5}")
    return ("\r\n".join(lines) + "\r\n").encode("ascii")


def point_count(i):
    # The first file is the largest, so that memory measured after it already holds the biggest plot.
    return 2000 if i == 1 else 50 + (i * 37) % 1500


def wait_until_gone(path, timeout_s):
    deadline = time.monotonic() + timeout_s
    while os.path.exists(path):
        if time.monotonic() > deadline:
            return False
        time.sleep(0.02)
    return True


def write(args):
    rng = random.Random(20240611)
    target = os.path.join(args.watch, WATCHED)
    os.makedirs(args.sent, exist_ok=True)
    for i in range(1, args.count + 1):
        data = plot_text(i, point_count(i), is_marked(i))
        with open(os.path.join(args.sent, f"{i:04d}.dat"), "wb") as f:
            f.write(data)
        with open(target, "wb") as f:
            if is_slow(i):
                cuts = sorted(rng.sample(range(1, len(data)), rng.randint(2, 5)))
                for start, end in zip([0] + cuts, cuts + [len(data)]):
                    f.write(data[start:end])
                    f.flush()
                    if end < len(data):
                        time.sleep(rng.uniform(0.10, 0.35))
            else:
                f.write(data)
        if not wait_until_gone(target, args.timeout):
            print(f"writer: file {i} was not taken within {args.timeout} s; stopping", file=sys.stderr)
            return 2
        with open(args.progress, "w") as f:
            f.write(f"{i}\n")
    return 0


def check(args):
    sent = sorted(n for n in os.listdir(args.sent) if n.endswith(".dat"))
    written = [(int(n[:4]), open(os.path.join(args.sent, n), "rb").read()) for n in sent]
    present = {n: open(os.path.join(args.watch, n), "rb").read() for n in os.listdir(args.watch)}
    numbered = {n: b for n, b in present.items() if n.startswith("plot_") and n.endswith(".dat")}
    problems, archived, set_aside = [], 0, 0
    seq = 0
    last_marked = None
    for i, data in written:
        if is_marked(i):
            last_marked = data
            if data in numbered.values():
                problems.append(f"marked file {i} was archived")
            else:
                set_aside += 1
            continue
        name = f"plot_{seq:03d}.dat"
        seq += 1
        if numbered.get(name) == data:
            archived += 1
        else:
            problems.append(f"file {i}: {name} " + ("differs" if name in numbered else "is missing"))
    extra = sorted(set(numbered) - {f"plot_{k:03d}.dat" for k in range(seq)})
    strays = sorted(set(present) - set(numbered) - {WORKING_COPY})
    problems += [f"unexpected numbered file {n}" for n in extra] + [f"left behind: {n}" for n in strays]
    if last_marked is not None and present.get(WORKING_COPY) != last_marked:
        problems.append("the working copy is not the last marked file")
    lost = len(written) - archived - set_aside
    print(f"files written:  {len(written)}")
    print(f"archived:       {archived} (byte-identical, in order)")
    print(f"set aside:      {set_aside} (marked; gone from the folder, never archived)")
    print(f"lost:           {lost}")
    for p in problems:
        print(f"PROBLEM: {p}")
    return 1 if problems or lost else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("command", choices=["write", "check"])
    parser.add_argument("--watch", required=True)
    parser.add_argument("--sent", required=True)
    parser.add_argument("--count", type=int, default=300)
    parser.add_argument("--progress", default=os.devnull)
    parser.add_argument("--timeout", type=float, default=60.0)
    args = parser.parse_args()
    return write(args) if args.command == "write" else check(args)


if __name__ == "__main__":
    sys.exit(main())
