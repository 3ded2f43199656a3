#!/usr/bin/env bash
# Renders the same plot files with two builds of corvex-render and compares the JSON descriptions and
# the PNG pixels: a change to the reader or the renderer that should not change any output proves it.
#   scripts/compare-renderers.sh OLD_CORVEX_RENDER NEW_CORVEX_RENDER [PLOT_FILE ...]
# Without plot files: the sample file, the fuzzing corpus of the reader and the benchmark files.
set -euo pipefail
cd "$(dirname "$0")/.."
old=$1 new=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
files=("$@")
if ((${#files[@]} == 0)); then
  python3 bench/make_bench_data.py "$work/bench" >/dev/null
  files=(tests/data/sample.dat fuzz/corpus/reader/* "$work"/bench/*.dat)
fi
export QT_QPA_PLATFORM=offscreen
differ=0
for f in "${files[@]}"; do
  for opts in "" "--small-symbols --filled-symbols --omit-lines --size 640x480"; do
    # shellcheck disable=SC2086
    "$old" --describe $opts "$f" "$work/old.png" >"$work/old.json" 2>/dev/null || true
    # shellcheck disable=SC2086
    "$new" --describe $opts "$f" "$work/new.png" >"$work/new.json" 2>/dev/null || true
    if ! cmp -s "$work/old.json" "$work/new.json"; then
      echo "JSON differs: $f $opts"; differ=1
    fi
    if [[ -f $work/old.png || -f $work/new.png ]]; then
      if ! compare -metric AE "$work/old.png" "$work/new.png" null: 2>/dev/null; then
        echo "pixels differ: $f $opts"; differ=1
      fi
    fi
    rm -f "$work/old.png" "$work/new.png"
  done
done
echo "compared ${#files[@]} files: $([[ $differ == 0 ]] && echo same JSON and pixels || echo DIFFERENCES)"
exit $differ
