#!/usr/bin/env bash
# Start-up to the main window shown on a virtual display: the program unpacked from the Debian package beside
# the same program in the build tree. Median of 7 runs each. Usage: bench_package.sh <build dir>
set -euo pipefail
build=$(cd "$1" && pwd)
if [ -z "${VELLORA_BENCH_INNER:-}" ]; then
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    (cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >/dev/null)
    dpkg-deb -x "$scratch"/out/vellora_*_amd64.deb "$scratch/root"
    VELLORA_BENCH_INNER="$scratch" xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
    exit
fi
median_ms() {
    local times=()
    for _ in 1 2 3 4 5 6 7; do
        local start end pid
        start=$(date +%s%N)
        HOME="$VELLORA_BENCH_INNER" QT_QPA_PLATFORM=xcb "$1" & pid=$!
        timeout 30 xdotool search --sync --onlyvisible --name '^Zelf Vellora Maken$' >/dev/null
        end=$(date +%s%N)
        kill "$pid"; wait "$pid" 2>/dev/null || true
        times+=($(( (end - start) / 1000000 )))
    done
    printf '%s\n' "${times[@]}" | sort -n | sed -n 4p
}
tree=$(median_ms "$build/bin/vellora")
unpacked=$(median_ms "$VELLORA_BENCH_INNER/root/usr/bin/vellora")
awk -v p="$unpacked" -v t="$tree" 'BEGIN { printf "Start-up to the window shown, unpacked package: %d ms; build tree (floor): %d ms; ratio %.2f\n", p, t, p / t }'
