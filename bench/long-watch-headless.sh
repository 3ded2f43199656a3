#!/usr/bin/env bash
# The long watch of bench/long-watch.sh for the watch service (not part of CI): corvex-render --watch,
# without a display, with a one-second delay, while bench/long_watch_files.py writes N plot files one
# after another as plot.dat. Afterwards: every file kept byte for byte under its number or set aside, one
# JSON line and one drawing per file, latest.png decoding, and the service's memory at the end within
# 10 % of its memory after the tenth file (the first ones fill the font and symbol caches).
#
# Usage: bench/long-watch-headless.sh [N]     (bench/long-watch.sh --headless [N] runs this)
#   CORVEX_RENDER=path/to/corvex-render       the service (default: build/corvex-render)
set -euo pipefail

N=${1:-300}
HERE=$(cd "$(dirname "$0")" && pwd)
SERVICE=$(realpath "${CORVEX_RENDER:-$HERE/../build/corvex-render}")
FILES="$HERE/long_watch_files.py"
WORK=$(mktemp -d /tmp/corvex-long-watch-headless.XXXXXX)
mkdir -p "$WORK/watch" "$WORK/sent" "$WORK/out"
# shellcheck source=long-watch-lib.sh
source "$HERE/long-watch-lib.sh"

# The service starts in the watched folder, which is also where its working copy lives.
cd "$WORK/watch"
"$SERVICE" --watch . --delay 1 --outdir "$WORK/out" >"$WORK/lines.json" 2>"$WORK/service.log" &
APP=$!
START=$(date +%s)
python3 "$FILES" write --watch "$WORK/watch" --sent "$WORK/sent" --count "$N" \
    --progress "$WORK/progress" >"$WORK/writer.log" 2>&1 &
WRITER=$!
until [[ "$(cat "$WORK/progress" 2>/dev/null || echo 0)" -ge 10 ]]; do
    kill -0 "$WRITER" 2>/dev/null || break
    sleep 0.1
done
RSS_FIRST=$(rss_kib)
WRITER_STATUS=0
wait "$WRITER" || WRITER_STATUS=$?
WRITER=""
ELAPSED=$(($(date +%s) - START))
sleep 2
RSS_END=$(rss_kib)
echo "== headless long watch: $N files, ${ELAPSED} s =="
CHECK_STATUS=0
python3 "$FILES" check --watch "$WORK/watch" --sent "$WORK/sent" || CHECK_STATUS=$?
kill -TERM "$APP"
wait "$APP" && SERVICE_STATUS=0 || SERVICE_STATUS=$?
APP=""
LINES=$(wc -l <"$WORK/lines.json")
IMAGES=$(find "$WORK/out" -name 'plot_*.png' | wc -l)
LATEST=$(python3 -c "import sys; d=open(sys.argv[1],'rb').read(8); print('yes' if d.startswith(b'\x89PNG') else 'no')" "$WORK/out/latest.png")
GROWTH=$(awk -v a="$RSS_FIRST" -v b="$RSS_END" 'BEGIN { printf "%+.1f", (b - a) * 100 / a }')
echo "JSON lines:       ${LINES} (one per file)"
echo "drawings:         ${IMAGES} (plot_*.png), latest.png is a PNG: ${LATEST}"
echo "RSS after file 10: ${RSS_FIRST} KiB"
echo "RSS at the end:   ${RSS_END} KiB (${GROWTH} %)"
echo "SIGTERM:          exit status ${SERVICE_STATUS}"
STATUS=0
[[ $CHECK_STATUS -ne 0 || $WRITER_STATUS -ne 0 || $SERVICE_STATUS -ne 0 || $LINES -ne $N || $LATEST != yes ]] && STATUS=1
awk -v a="$RSS_FIRST" -v b="$RSS_END" 'BEGIN { exit !(b <= a * 1.10) }' || STATUS=1
echo "result:           $([[ $STATUS -eq 0 ]] && echo PASS || echo FAIL)"
exit $STATUS
