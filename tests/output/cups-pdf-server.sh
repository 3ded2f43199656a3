#!/bin/sh
# Starts and stops a print scheduler with one PDF queue, for the printing test.
#
#   cups-pdf-server.sh start   scheduler running, queue "CorvexPDF" enabled; prints the folder the PDFs land in
#   cups-pdf-server.sh stop    queue removed, the scheduler this script started ended, its files removed
#
# Needs root, cupsd and the cups-pdf backend (Debian: cups printer-driver-cups-pdf). Exit status 77 means "cannot
# run here" (not root, packages missing, or a scheduler not started by this script is already running: it is left
# alone). The queue uses its own cups-pdf instance file, so the stock cups-pdf.conf is never edited.
# The state folder can be moved with CORVEX_CUPS_STATE (default /tmp/corvex-cups-pdf).

QUEUE=CorvexPDF
INSTANCE=corvex
STATE=${CORVEX_CUPS_STATE:-/tmp/corvex-cups-pdf}
OUT=$STATE/out
PIDFILE=$STATE/cupsd.pid
INSTANCE_CONF=/etc/cups/cups-pdf-$INSTANCE.conf
PPD=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

cannot() {
    echo "cups-pdf-server: $*" >&2
    exit 77
}

# True while the scheduler answers. lpstat -r exits 0 even when it is down, so read its text.
scheduler_up() {
    lpstat -r 2>/dev/null | grep -q 'is running'
}

# The pid this script started, if that process is still a cupsd.
our_pid() {
    [ -f "$PIDFILE" ] || return 1
    pid=$(cat "$PIDFILE")
    [ -n "$pid" ] && [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = cupsd ] && echo "$pid"
}

# Polls a condition every 0.1 s for at most $1 tenths of a second.
wait_for() {
    tries=$1
    shift
    while ! "$@"; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.1
    done
}

queue_idle() {
    [ -z "$(lpstat -o "$QUEUE" 2>/dev/null)" ]
}

start() {
    [ "$(id -u)" -eq 0 ] || cannot "must run as root"
    [ -x /usr/sbin/cupsd ] || cannot "cupsd not installed (package cups)"
    [ -x /usr/lib/cups/backend/cups-pdf ] || cannot "cups-pdf backend not installed (package printer-driver-cups-pdf)"
    [ -f "$PPD" ] || cannot "$PPD missing (package printer-driver-cups-pdf)"
    command -v lpadmin >/dev/null && command -v lpstat >/dev/null || cannot "lpadmin/lpstat missing (package cups-client)"

    if scheduler_up && [ -z "$(our_pid)" ]; then
        cannot "a print scheduler this script did not start is running; leaving it alone"
    fi
    mkdir -p "$STATE" /run/cups /var/spool/cups/tmp /var/log/cups || cannot "cannot create folders"
    rm -rf "$OUT"
    mkdir -p "$OUT"
    printf 'Out %s\nAnonDirName %s\nGrp lpadmin\nDecodeHexStrings 1\n' "$OUT" "$OUT" >"$INSTANCE_CONF"

    if [ -z "$(our_pid)" ]; then
        setsid /usr/sbin/cupsd -f </dev/null >"$STATE/cupsd.log" 2>&1 &
        echo $! >"$PIDFILE"
        if ! wait_for 100 scheduler_up; then
            stop >/dev/null 2>&1
            cannot "cupsd did not come up (see $STATE/cupsd.log)"
        fi
    fi
    # -E after -p means enable and accept jobs. The PPD warns that drivers are deprecated.
    lpadmin -p "$QUEUE" -v "cups-pdf:/$INSTANCE" -P "$PPD" -E 2>>"$STATE/cupsd.log" ||
        { stop >/dev/null 2>&1; cannot "lpadmin could not add the queue"; }
    if lpstat -d 2>/dev/null | grep -q 'no system default'; then
        lpadmin -d "$QUEUE"
    fi
    echo "$OUT"
}

stop() {
    pid=$(our_pid)
    if [ -n "$pid" ]; then
        wait_for 50 queue_idle
        lpadmin -x "$QUEUE" 2>/dev/null
        kill "$pid"
        wait_for 100 sh -c "! kill -0 $pid 2>/dev/null" || kill -9 "$pid" 2>/dev/null
    fi
    rm -f "$PIDFILE" "$INSTANCE_CONF"
}

case "$1" in
start) start ;;
stop) stop ;;
*)
    echo "usage: $0 start|stop" >&2
    exit 2
    ;;
esac
