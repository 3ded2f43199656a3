#!/bin/sh
# A print scheduler with one PDF queue for the printing test (run as root by CTest). "start": scheduler up,
# queue "CorvexPDF" enabled, prints the folder the PDFs land in; "stop": queue removed, the scheduler this
# script started ended. Exit 77: cannot run here (not root, cups or cups-pdf missing, or a scheduler this
# script did not start is running: it is left alone). The queue has its own cups-pdf instance file
# (cups-pdf-corvex.conf), so the stock cups-pdf.conf is never edited.
QUEUE=CorvexPDF
STATE=${CORVEX_CUPS_STATE:-/tmp/corvex-cups-pdf}
OUT=$STATE/out
PIDFILE=$STATE/cupsd.pid
INSTANCE_CONF=/etc/cups/cups-pdf-corvex.conf
PPD=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

cannot() { echo "cups-pdf-server: $*" >&2; exit 77; }
# lpstat -r exits 0 even when the scheduler is down, so read its text.
scheduler_up() { lpstat -r 2>/dev/null | grep -q 'is running'; }
queue_idle() { [ -z "$(lpstat -o "$QUEUE" 2>/dev/null)" ]; }
our_pid() {
    pid=$(cat "$PIDFILE" 2>/dev/null)
    [ -n "$pid" ] && [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = cupsd ] && echo "$pid"
}
wait_for() {
    tries=$1; shift
    until "$@"; do tries=$((tries - 1)); [ "$tries" -gt 0 ] || return 1; sleep 0.1; done
}

start() {
    [ "$(id -u)" -eq 0 ] || cannot "must run as root"
    [ -x /usr/lib/cups/backend/cups-pdf ] && [ -f "$PPD" ] ||
        cannot "cups-pdf backend or $PPD missing (package printer-driver-cups-pdf)"
    [ -x /usr/sbin/cupsd ] && command -v lpadmin >/dev/null && command -v lpstat >/dev/null ||
        cannot "cupsd, lpadmin or lpstat missing (packages cups, cups-client)"
    if scheduler_up && [ -z "$(our_pid)" ]; then
        cannot "a print scheduler this script did not start is running; leaving it alone"
    fi
    mkdir -p "$STATE" /run/cups /var/spool/cups/tmp /var/log/cups || cannot "cannot create folders"
    rm -rf "$OUT" && mkdir -p "$OUT" || cannot "cannot create $OUT"
    printf 'Out %s\nAnonDirName %s\nGrp lpadmin\nDecodeHexStrings 1\n' "$OUT" "$OUT" >"$INSTANCE_CONF"
    if [ -z "$(our_pid)" ]; then
        setsid /usr/sbin/cupsd -f </dev/null >"$STATE/cupsd.log" 2>&1 &
        echo $! >"$PIDFILE"
        wait_for 100 scheduler_up ||
            { stop >/dev/null 2>&1; cannot "cupsd did not come up (see $STATE/cupsd.log)"; }
    fi
    # -E after -p means enable and accept jobs. The PPD warns that drivers are deprecated.
    lpadmin -p "$QUEUE" -v cups-pdf:/corvex -P "$PPD" -E 2>>"$STATE/cupsd.log" ||
        { stop >/dev/null 2>&1; cannot "lpadmin could not add the queue"; }
    if lpstat -d 2>/dev/null | grep -q 'no system default'; then lpadmin -d "$QUEUE"; fi
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

case "$1" in start | stop) "$1" ;; *) echo "usage: $0 start|stop" >&2 && exit 2 ;; esac
