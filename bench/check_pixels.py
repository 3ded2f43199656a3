#!/usr/bin/env python3
"""Checks that corvex-render still draws the very pixels it drew before the speed work.

Draws the sample files and the benchmark files (with several display options) into PNG files and
compares ImageMagick's pixel signature of each (a hash of the pixels, whatever the PNG encoding)
with the one recorded in bench/expected-pixels.txt. --small checks the files under 100 KB only (the
test command runs that); --record writes the file anew from the given build.
"""
import argparse
import pathlib
import subprocess
import sys
import tempfile

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent
EXPECTED = HERE / "expected-pixels.txt"
VARIANTS = {  # name: corvex-render options
    "default": [],
    "filled-small": ["--filled-symbols", "--small-symbols"],
    "no-lines-640x480": ["--omit-lines", "--size", "640x480"],
}


def inputs(data_dir, small):
    files = [ROOT / "tests/data/sample.dat", *sorted((ROOT / "tests/data/expected").glob("*.dat"))]
    subprocess.run([sys.executable, str(HERE / "make_bench_data.py"), str(data_dir)], check=True,
                   stdout=subprocess.DEVNULL)
    files += sorted(data_dir.glob("bench-*.dat"))
    return [f for f in files if not small or f.stat().st_size < 100_000]


def signature(render, data, options, png):
    subprocess.run([render, *options, str(data), str(png)], check=True, capture_output=True)
    return subprocess.run(["identify", "-format", "%#", str(png)], check=True, capture_output=True,
                          text=True).stdout.strip()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--render", required=True, help="the corvex-render to check")
    parser.add_argument("--small", action="store_true", help="only the files under 100 KB")
    parser.add_argument("--record", action="store_true", help="write the expected signatures anew")
    args = parser.parse_args()
    with tempfile.TemporaryDirectory() as tmp:
        tmp = pathlib.Path(tmp)
        found = {}
        for data in inputs(tmp, args.small and not args.record):
            for name, options in VARIANTS.items():
                found[f"{data.name}/{name}"] = signature(args.render, data, options, tmp / "out.png")
    if args.record:
        EXPECTED.write_text("".join(f"{case} {sig}\n" for case, sig in sorted(found.items())))
        print(f"recorded {len(found)} signatures in {EXPECTED}")
        return 0
    expected = dict(line.split() for line in EXPECTED.read_text().splitlines())
    differ = [case for case, sig in found.items() if expected.get(case) != sig]
    for case in differ:
        print(f"pixels differ: {case}")
    print(f"{len(found) - len(differ)} of {len(found)} plots have the recorded pixels")
    return 1 if differ else 0


if __name__ == "__main__":
    sys.exit(main())
