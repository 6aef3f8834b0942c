#!/usr/bin/env bash
# check-package.sh <build dir> <version>: builds the Debian package, checks its contents, has appstreamcli and
# lintian judge it, then unpacks it, makes the program folder read-only and, as an ordinary user on a virtual
# display, saves a project through the program's own menu: it must land in the user's data folder.
set -euo pipefail
build=$1 version=$2
scratch=${VELLORA_PACKAGE_INNER:+$(dirname "$VELLORA_PACKAGE_INNER")}
scratch=${scratch:-$(mktemp -d)}
pid=
cleanup() {
    [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
    chmod -R u+w "$scratch" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

if [ -z "${VELLORA_PACKAGE_INNER:-}" ]; then
    (cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >/dev/null) || fail "cpack"
    deb="$scratch/out/vellora_${version}_amd64.deb"
    [ -f "$deb" ] || fail "no $(basename "$deb"): $(ls "$scratch/out")"
    dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "no Qt in Depends: $(dpkg-deb -f "$deb" Depends)"

    root="$scratch/root"
    dpkg-deb -x "$deb" "$root"
    app="$root/usr/lib/vellora"
    for f in usr/bin/vellora usr/lib/vellora/vellora usr/lib/vellora/Data/Kaarten.krt usr/lib/vellora/Data/Hkrs-9.krt \
             usr/lib/vellora/Data/joker-12.jok usr/lib/vellora/Backgrounds/Background-7.jpg \
             usr/lib/vellora/Help/Beeldscherm.pdf usr/lib/vellora/Artwork/cancel.png \
             usr/lib/vellora/Artwork/logo@2x.png \
             usr/share/applications/vellora.desktop usr/share/icons/hicolor/scalable/apps/vellora.svg \
             usr/share/metainfo/example.vellora.Vellora.metainfo.xml \
             usr/share/doc/vellora/copyright usr/share/doc/vellora/changelog.gz; do
        [ -e "$root/$f" ] || fail "missing in the package: $f"
    done
    for size in 32 64 128 256; do
        icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/vellora.png"
        [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "icon $size is not ${size}x${size}"
    done
    [ ! -e "$app/Projecten" ] || fail "the package carries a Projecten folder"
    [ "$(readlink "$root/usr/bin/vellora")" = "../lib/vellora/vellora" ] || fail "usr/bin/vellora is no link to the program"

    appstreamcli validate --no-net "$root/usr/share/metainfo/example.vellora.Vellora.metainfo.xml" >/dev/null \
        || fail "appstreamcli: $(appstreamcli validate --no-net "$root/usr/share/metainfo/"*.xml)"
    if command -v lintian >/dev/null; then
        lint=$(lintian --allow-root --tag-display-limit 0 "$deb" 2>&1 || true)
        if echo "$lint" | grep -q '^E:'; then fail "lintian errors:"$'\n'"$lint"; fi
    fi

    chmod -R a-w "$app"
    chmod 755 "$scratch"
    source "$(dirname "$0")/../scripts/xvfb.sh"
    started=0
    start_xvfb "$scratch" || started=$?
    pid=$XVFB_PID
    [ "$started" -eq 0 ] || fail "no virtual display"
    VELLORA_PACKAGE_INNER="$root" "$0" "$@"
    exit 0
fi

# On the virtual display. An administrator may write anywhere, so the program runs as an ordinary user.
root=$VELLORA_PACKAGE_INNER
home="$scratch/home"
mkdir -m 700 "$home" "$home/runtime"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    chown nobody "$home" "$home/runtime"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
"${as_user[@]}" env -i PATH=/usr/bin:/bin DISPLAY="$DISPLAY" HOME="$home" XDG_DATA_HOME="$home/data" \
    XDG_RUNTIME_DIR="$home/runtime" QT_QPA_PLATFORM=xcb "$root/usr/bin/vellora" &
pid=$!
main=$(timeout 30 xdotool search --sync --onlyvisible --name '^Zelf Vellora Maken$' | head -n 1) || fail "no main window"
eval "$(xdotool getwindowgeometry --shell "$main")"
# File is the first menu of the bar; its third item is "Vellora Opslaan".
xdotool mousemove $((X + 15)) $((Y + 10)) click 1
for _ in $(seq 1 100); do
    [ "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l)" -ge 2 ] && break
    sleep 0.1
done
xdotool key Down Down Down Return
box=$(timeout 20 xdotool search --sync --onlyvisible --name '^Projectnaam$' | head -n 1) || fail "no name box"
xdotool windowfocus --sync "$box"
xdotool type --delay 30 'eerste' && xdotool key Return
saved="$home/data/Vellora/Projecten/eerste.krt"
for _ in $(seq 1 100); do [ -s "$saved" ] && break; sleep 0.1; done
[ -s "$saved" ] || fail "nothing saved in the user's folder: $(find "$home" "$root/usr/lib/vellora" -name '*.krt' -newer "$root/usr/bin" 2>/dev/null)"
[ "$(head -c 2 "$saved")" = BM ] && [ "$(identify -format '%wx%h' "$saved")" = 3990x1600 ] \
    || fail "the saved project is no card sheet"
kill "$pid"; wait "$pid" 2>/dev/null || true; pid=
echo "package ok: saved into the user's folder"
