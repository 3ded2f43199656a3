#!/usr/bin/env bash
# Long watch of automatic plotting (not part of CI): the real program, under Xvfb, in timed plotting
# with a one-second delay, while another process writes N plot files one after another as plot.dat
# into the watched folder (bench/long_watch_files.py). Afterwards: every file plotted once and kept
# byte for byte, the program still answering, and its memory at the end within 10 % of the memory
# after the first file.
#
# Usage: bench/long-watch.sh [--headless] [N]   N files, 300 by default (about 1.5 s each)
#   --headless                            the watch service corvex-render --watch instead of the window,
#                                         without a display; its drawings go to a folder of their own
#   CORVEX=path/to/corvex                 the program to run (default: build/corvex)
#   CORVEX_RENDER=path/to/corvex-render   the service (default: build/corvex-render)
#   LONG_WATCH_KEEP=1                     keep the temporary folder (logs, screenshots, files)
# Needs xvfb-run, xdotool, imagemagick (import) and python3. Exit status 0 only when nothing was lost,
# the program answered and memory stayed within bounds.
set -euo pipefail

HEADLESS=""
[[ "${1:-}" == --headless ]] && HEADLESS=1 && shift
N=${1:-300}
HERE=$(cd "$(dirname "$0")" && pwd)
CORVEX=${CORVEX:-$HERE/../build/corvex}
CORVEX=$(realpath "$CORVEX")
FILES="$HERE/long_watch_files.py"

if [[ -n "$HEADLESS" ]]; then
    exec "$HERE/long-watch-headless.sh" "$N"
fi

if [[ -z "${LONG_WATCH_IN_XVFB:-}" ]]; then
    export LONG_WATCH_IN_XVFB=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

WORK=$(mktemp -d /tmp/corvex-long-watch.XXXXXX)
mkdir -p "$WORK/watch" "$WORK/sent"
# shellcheck source=long-watch-lib.sh
source "$HERE/long-watch-lib.sh"
state_of() { awk '/^State:/ {print $2, $3}' "/proc/$APP/status"; }

# Clicks at a point of a window given in twips from its client area's top left (15 twips per pixel at
# 96 dpi; without a window manager the client area is the window).
click_twips() {
    local window=$1 x=$2 y=$3
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + (x + 7) / 15)) $((Y + (y + 7) / 15)) click 1
    sleep 0.3
}

# The program starts in the watched folder, which is also where its working copy lives.
cd "$WORK/watch"
QT_QPA_PLATFORM=xcb "$CORVEX" >"$WORK/corvex.log" 2>&1 &
APP=$!
SETUP=$(timeout 20 xdotool search --sync --onlyvisible --name '^Setup$' | head -1)
sleep 0.5

# The "Setup" window, by its design layout in twips (left, top, width, height; children relative to
# their container): AutoSel 120,600,2175,255; AutoPicBox 2280,120 holding TimedPlt 60,120,1575,255
# and NewPlotDelay 3060,660,255,375 (up arrow in the upper half, down arrow in the lower half);
# FileCmd 4224,4260,1815,495. Radio buttons are clicked 300 twips in from their left edge, on the text.
click_twips "$SETUP" $((120 + 300)) $((600 + 127))                 # AutoSel
click_twips "$SETUP" $((2280 + 60 + 300)) $((120 + 120 + 127))     # TimedPlt
for _ in 1 2 3; do                                                 # delay 4 -> 1
    click_twips "$SETUP" $((2280 + 3060 + 127)) $((120 + 660 + 281))
done
import -window root "$WORK/setup.png"
click_twips "$SETUP" $((4224 + 907)) $((4260 + 247))               # Done
if xdotool search --onlyvisible --name '^Setup$' >/dev/null; then
    echo "FAIL: the Setup window did not close" >&2
    exit 1
fi

START=$(date +%s)
python3 "$FILES" write --watch "$WORK/watch" --sent "$WORK/sent" --count "$N" \
    --progress "$WORK/progress" >"$WORK/writer.log" 2>&1 &
WRITER=$!

# Memory once the first file has been plotted and filed away, then every 10 s into rss.log.
until [[ -s "$WORK/progress" ]]; do
    kill -0 "$WRITER" 2>/dev/null || break
    sleep 0.1
done
RSS_FIRST=$(rss_kib)
echo "0 $RSS_FIRST" >"$WORK/rss.log"
while kill -0 "$WRITER" 2>/dev/null; do
    sleep 10
    echo "$(($(date +%s) - START)) $(rss_kib) files=$(cat "$WORK/progress" 2>/dev/null)" >>"$WORK/rss.log"
done
WRITER_STATUS=0
wait "$WRITER" || WRITER_STATUS=$?
WRITER=""
ELAPSED=$(($(date +%s) - START))
sleep 2
RSS_END=$(rss_kib)

# Still answering: alive and not stuck, its window there, and "Show &Legend" (Alt+L) opens the legend.
STATE=$(state_of)
MAIN=$(xdotool search --onlyvisible --name '^Corvex' | head -1 || true)
ANSWERED=no
if [[ -n "$MAIN" ]]; then
    CAPTION=$(xdotool getwindowname "$MAIN")
    xdotool windowfocus --sync "$MAIN"
    xdotool key alt+l
    if timeout 5 xdotool search --sync --onlyvisible --name '^Plot Legend$' >/dev/null; then ANSWERED=yes; fi
fi
import -window root "$WORK/end.png"

echo "== long watch: $N files, ${ELAPSED} s =="
CHECK_STATUS=0
python3 "$FILES" check --watch "$WORK/watch" --sent "$WORK/sent" || CHECK_STATUS=$?
GROWTH=$(awk -v a="$RSS_FIRST" -v b="$RSS_END" 'BEGIN { printf "%+.1f", (b - a) * 100 / a }')
echo "RSS after file 1: ${RSS_FIRST} KiB"
echo "RSS at the end:   ${RSS_END} KiB (${GROWTH} %)"
echo "process state:    ${STATE}"
echo "main window:      ${CAPTION:-not found}"
echo "answers a menu:   ${ANSWERED} (Show Legend opened the legend window)"
[[ $WRITER_STATUS -ne 0 ]] && echo "writer: $(cat "$WORK/writer.log")"

STATUS=0
[[ $CHECK_STATUS -ne 0 || $WRITER_STATUS -ne 0 ]] && STATUS=1
[[ "$ANSWERED" != yes || "$STATE" == Z* || "$STATE" == T* || "$STATE" == D* ]] && STATUS=1
awk -v a="$RSS_FIRST" -v b="$RSS_END" 'BEGIN { exit !(b <= a * 1.10) }' || STATUS=1
echo "result:           $([[ $STATUS -eq 0 ]] && echo PASS || echo FAIL)"
exit $STATUS
