#!/bin/sh
# "To Clipboard" across processes: under a virtual X server a Qt program copies a plot to the clipboard and
# stays alive, xclip pastes it as image/png, and the probe checks the PNG's size and pixels.
# Usage: clipboard-xvfb.sh PATH/TO/clipboard_probe. Exit 77 (skipped) when xvfb-run or xclip is missing.

PROBE=$1
[ -x "$PROBE" ] || { echo "probe $PROBE not built" >&2; exit 2; }

if [ "$2" != inside ]; then
    command -v xvfb-run >/dev/null || { echo "skipped: xvfb-run not installed (package xvfb)"; exit 77; }
    command -v xclip >/dev/null || { echo "skipped: xclip not installed"; exit 77; }
    exec timeout 90 xvfb-run -a -s "-screen 0 640x480x24" sh "$0" "$PROBE" inside
fi

WIDTH=321
HEIGHT=203
WORK=$(mktemp -d)
SERVER=
cleanup() {
    [ -n "$SERVER" ] && kill "$SERVER" 2>/dev/null && wait "$SERVER" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

QT_QPA_PLATFORM=xcb "$PROBE" serve $WIDTH $HEIGHT >"$WORK/serve.log" 2>&1 &
SERVER=$!
tries=100
until grep -q serving "$WORK/serve.log"; do
    tries=$((tries - 1))
    if [ $tries -le 0 ] || ! kill -0 "$SERVER" 2>/dev/null; then
        echo "probe did not start serving:" >&2
        cat "$WORK/serve.log" >&2
        exit 1
    fi
    sleep 0.1
done

TARGETS=$(timeout 10 xclip -selection clipboard -t TARGETS -o)
echo "$TARGETS" | grep -qx image/png || { echo "image/png not offered; targets: $TARGETS" >&2; exit 1; }
timeout 10 xclip -selection clipboard -t image/png -o >"$WORK/pasted.png" || { echo "xclip failed" >&2; exit 1; }
QT_QPA_PLATFORM=offscreen "$PROBE" check "$WORK/pasted.png" $WIDTH $HEIGHT
