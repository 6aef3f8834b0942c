#!/bin/bash
# Starts the real program on a virtual X display, waits for its window, and checks that a screenshot shows
# the card in the viewer. Usage: smoke_xvfb.sh <path to vellora>
set -u
for tool in Xvfb xwininfo import convert; do
    command -v "$tool" >/dev/null || { echo "missing $tool"; exit 1; }
done
scratch=$(mktemp -d)
pid= xvfb=
trap 'kill $pid $xvfb 2>/dev/null; wait $pid $xvfb 2>/dev/null; rm -rf "$scratch"' EXIT

source "$(dirname "$0")/../../scripts/xvfb.sh"
start_xvfb "$scratch"
started=$?
xvfb=$XVFB_PID
[ "$started" -eq 0 ] || exit 1

unset QT_QPA_PLATFORM
shot="$scratch/shot.png"
"$1" &
pid=$!

# Without a window manager the window sits where xwininfo says; the viewer lies at (330, 60) pixels in the
# client area, below a menu bar of about 20. The blank card has a dark green border and a white face; an empty
# viewer is white throughout. The first paint may come a little after the window is mapped: look again.
shows_card='BEGIN { split(b, e, " "); exit !(f > 0.8 && e[1] > 0.1 && e[2] < 0.6) }'
window=
for _ in $(seq 1 125); do
    kill -0 "$pid" 2>/dev/null || { echo "vellora exited early"; exit 1; }
    sleep 0.2
    window=$(xwininfo -root -tree | grep -m 1 '"Zelf Vellora Maken"')
    [ -n "$window" ] && import -window root "$shot" 2>/dev/null || continue
    read -r wx wy < <(echo "$window" | sed -E 's/.* ([0-9]+)x([0-9]+)\+(-?[0-9]+)\+(-?[0-9]+).*/\3 \4/')
    px=$((wx + 330)) py=$((wy + 60 + 20))
    face=$(convert "$shot" -crop "40x40+$((px + 120))+$((py + 120))" +repage -format '%[fx:mean]' info:)
    border=$(convert "$shot" -crop "4x120+$((px + 2))+$((py + 140))" +repage \
        -format '%[fx:mean.g - mean.r] %[fx:mean]' info:)
    echo "window: $window; card face brightness: $face, border green excess and brightness: $border"
    awk -v f="$face" -v b="$border" "$shows_card" && { echo "smoke test passed"; exit 0; }
done
[ -n "$window" ] && echo "the screenshot does not show the card" || echo "no window named Zelf Vellora Maken"
exit 1
