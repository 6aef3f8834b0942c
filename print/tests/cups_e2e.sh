#!/usr/bin/env bash
# tst_printqueues' realQueue through a print server of its own under a temporary folder, with a cups-pdf queue as
# the default printer. Usage: cups_e2e.sh <tst_printqueues>. Exit 0 passed, 1 failed, 77 cannot run here (with the
# reason), which CTest counts as failed too.
# VELLORA_CUPS_KEEP=1 keeps the server's folder (logs, spool, PDFs).
set -uo pipefail
tst=${1:?usage: cups_e2e.sh <tst_printqueues>}
queue=VelloraPDF
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
skip() { echo "SKIPPED: $*"; exit 77; }
die() { echo "FAILED: $*"; [ -n "${work:-}" ] && tail -n 30 "$work/log/error_log" 2>/dev/null; exit 1; }

[ "$(id -u)" -eq 0 ] || skip "needs root: the cups-pdf backend runs as root under the print server"
for tool in /usr/sbin/cupsd lpadmin lpstat cupsdisable cupsenable cupsreject pdftoppm pgrep; do
    command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed (Debian packages cups, poppler-utils)"
done
{ [ -x /usr/lib/cups/backend/cups-pdf ] && [ -f "$ppd" ]; } \
    || skip "cups-pdf is not installed (Debian package printer-driver-cups-pdf)"

work=$(mktemp -d /tmp/vellora-cups.XXXXXX) || skip "no temporary folder"
# cups-pdf reads /etc/cups/cups-pdf-<name>.conf for a queue whose device is cups-pdf:/<name>; a name of this
# run's own keeps concurrent runs and the system's queues apart. It is the one file written outside $work.
tag=vellora-$(basename "$work" | tr -cd 'A-Za-z0-9')
pdfconf=/etc/cups/cups-pdf-$tag.conf
cupsd_pid=
# shellcheck disable=SC2317  # runs from the trap
cleanup() {
    # The server is not this shell's child, so it cannot be waited for; it stops within a moment.
    if [ -n "$cupsd_pid" ] && kill "$cupsd_pid" 2>/dev/null; then
        for _ in $(seq 50); do kill -0 "$cupsd_pid" 2>/dev/null || break; sleep 0.1; done
    fi
    rm -f "$pdfconf"
    [ -n "${VELLORA_CUPS_KEEP:-}" ] && echo "kept $work" || rm -rf "$work"
}
trap cleanup EXIT

# The server's folders must be readable by the filters, which run as the unprivileged lp user.
chmod 755 "$work"
mkdir -p "$work"/{etc/ppd,spool/tmp,cache,state,log,pdf,home,cups-pdf-spool,fulltmp}
chmod 1777 "$work/spool/tmp"
socket="$work/cups.sock"
cat > "$work/etc/cupsd.conf" <<CONF
Listen $socket
Browsing Off
LogLevel info
Printcap $work/printcap
<Location />
  Order allow,deny
  Allow all
</Location>
CONF
cat > "$work/etc/cups-files.conf" <<CONF
ServerRoot $work/etc
RequestRoot $work/spool
TempDir $work/spool/tmp
CacheDir $work/cache
StateDir $work/state
AccessLog $work/log/access_log
ErrorLog $work/log/error_log
PageLog $work/log/page_log
CONF
mkdir -p /etc/cups || skip "cannot write /etc/cups"
# Label 2: every file is named with its job number, so a second page never replaces the first.
printf 'Out %s\nAnonDirName %s\nSpool %s\nLog %s\nLabel 2\n' "$work/pdf" "$work/pdf" "$work/cups-pdf-spool" \
    "$work/log" > "$pdfconf" || skip "cannot write $pdfconf"

# Clients of this run see only this server: no user or system lpoptions, no client.conf.
export CUPS_SERVER="$socket" CUPS_SERVERROOT="$work/etc" HOME="$work/home" QT_QPA_PLATFORM=offscreen
unset LPDEST PRINTER
# Without -f the server returns only once it accepts requests, so nothing has to be waited for here.
/usr/sbin/cupsd -c "$work/etc/cupsd.conf" -s "$work/etc/cups-files.conf" > "$work/log/start" 2>&1 \
    || skip "the print server did not start: $(cat "$work/log/start") $(tail -n 5 "$work/log/error_log")"
cupsd_pid=$(pgrep -f -x "/usr/sbin/cupsd -C $work/etc/cupsd.conf -s $work/etc/cups-files.conf" | head -n 1)
[ -n "$cupsd_pid" ] || skip "the print server exited right after starting: $(tail -n 5 "$work/log/error_log")"
lpstat -r >/dev/null 2>&1 || skip "the print server does not answer on $socket"
lpadmin -p "$queue" -E -v "cups-pdf:/$tag" -P "$ppd" 2>"$work/log/lpadmin" \
    || die "lpadmin: $(cat "$work/log/lpadmin")"
{ lpadmin -d "$queue" && lpstat -d | grep -q "$queue"; } || die "cannot make $queue the default destination"

# realQueue for a queue that is ready or refusing; its output only when it fails.
run() {
    VELLORA_CUPS_PDFS="$work/pdf" VELLORA_CUPS_QUEUE=$1 "$tst" realQueue > "$work/log/test" 2>&1 \
        || { cat "$work/log/test"; false; }
}
run ready || die "printing on a ready queue"
jobs=$(lpstat -W all -o "$queue" 2>/dev/null | wc -l)
[ "$jobs" -eq 3 ] || die "page 1, a back and the deck became $jobs jobs, not three (the deck is one job)"

# A full temporary folder must not turn into a truncated job that reports success.
if mount -t tmpfs -o size=16k tmpfs "$work/fulltmp" 2>/dev/null; then
    dd if=/dev/zero of="$work/fulltmp/fill" bs=4k 2>/dev/null
    TMPDIR="$work/fulltmp" run ready; status=$?
    umount "$work/fulltmp"
    [ $status -eq 0 ] || die "printing with the temporary folder full"
fi

# A job on a printer whose device cannot be reached: the program says so once, 30 s on (asked at once here).
lpadmin -p VelloraUnreachable -E -v socket://127.0.0.1:9 -P "$ppd" 2>"$work/log/lpadmin" \
    || die "lpadmin: $(cat "$work/log/lpadmin")"
lpadmin -d VelloraUnreachable || die "cannot make VelloraUnreachable the default destination"
run unreachable || die "a printer that cannot be reached"
{ lpadmin -x VelloraUnreachable && lpadmin -d "$queue"; } || die "cannot remove VelloraUnreachable"

# A refused page must not have become a job that waits in the queue either.
refused() {
    run refusing || die "$1"
    [ -z "$(lpstat -o 2>/dev/null)" ] || die "$1: jobs were queued: $(lpstat -o)"
}
cupsdisable "$queue" || die "cupsdisable"
refused "queue stopped (cupsdisable)"
{ cupsenable "$queue" && cupsreject "$queue"; } || die "cupsenable/cupsreject"
refused "queue not accepting jobs (cupsreject)"
lpadmin -x "$queue" || die "lpadmin -x"
refused "no printer at all"
echo "PASSED"
