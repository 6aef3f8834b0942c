#!/bin/bash
# Starts the real program on a virtual X display, waits for its window, and checks that a screenshot shows
# the card in the viewer. Usage: smoke_xvfb.sh <path to vellora>
set -u
program=$1
shot=$(mktemp --suffix=.png)
trap 'rm -f "$shot"' EXIT

# Runs inside xvfb-run; everything below talks to that display.
if [ -z "${VELLORA_SMOKE_INNER:-}" ]; then
    for tool in xvfb-run xwininfo import convert; do
        command -v "$tool" >/dev/null || { echo "missing $tool"; exit 1; }
    done
    VELLORA_SMOKE_INNER=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

unset QT_QPA_PLATFORM
"$program" &
pid=$!
stop() { kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; }

found=
for _ in $(seq 1 100); do
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "vellora exited early"
        wait "$pid"
        exit 1
    fi
    line=$(xwininfo -root -tree | grep '"Zelf Vellora Maken"' | head -n 1)
    if [ -n "$line" ]; then
        found=$line
        break
    fi
    sleep 0.2
done
if [ -z "$found" ]; then
    echo "no window named Zelf Vellora Maken"
    stop
    exit 1
fi
echo "window: $found"

# The first paint may come a little after the window is mapped: look again until it shows.
ok=
for _ in $(seq 1 25); do
    sleep 0.2
    import -window root "$shot" 2>/dev/null || continue
    # Without a window manager the window sits where xwininfo says. The viewer Pic lies at Frame3 (4720, 570)
    # + Pic (240, 330) twips = (330, 60) pixels in the client area, which starts below a menu bar of about
    # 20 pixels. The blank card has a dark green border and a white face; an empty viewer is white throughout.
    read -r wx wy < <(echo "$found" | sed -E 's/.* ([0-9]+)x([0-9]+)\+(-?[0-9]+)\+(-?[0-9]+).*/\3 \4/')
    px=$((wx + 330)) py=$((wy + 60 + 20))
    face=$(convert "$shot" -crop "40x40+$((px + 120))+$((py + 120))" +repage -format '%[fx:mean]' info:)
    border=$(convert "$shot" -crop "4x120+$((px + 2))+$((py + 140))" +repage -format '%[fx:mean.g - mean.r] %[fx:mean]' info:)
    echo "card face brightness: $face, border green excess and brightness: $border"
    if awk -v f="$face" -v b="$border" 'BEGIN { split(b, e, " "); exit !(f > 0.8 && e[1] > 0.1 && e[2] < 0.6) }'; then
        ok=1
        break
    fi
done
stop
[ -n "$ok" ] || { echo "the screenshot does not show the card"; exit 1; }
echo "smoke test passed"
