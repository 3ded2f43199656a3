# Shared by bench/long-watch.sh and bench/long-watch-headless.sh (sourced): cleanup of the program under
# test, its writer and the temporary folder WORK, and the program's resident memory. APP and WRITER
# hold their process ids once started.
APP=""
WRITER=""
# shellcheck disable=SC2317  # called by the EXIT trap
finish() {
    local status=$?
    set +e
    [[ -n "$WRITER" ]] && kill "$WRITER" 2>/dev/null
    [[ -n "$APP" ]] && kill "$APP" 2>/dev/null && wait "$APP" 2>/dev/null
    if [[ -n "${LONG_WATCH_KEEP:-}" ]]; then echo "kept: $WORK"; else rm -rf "$WORK"; fi
    exit "$status"
}
trap finish EXIT
rss_kib() { awk '/^VmRSS:/ {print $2}' "/proc/$APP/status"; }
