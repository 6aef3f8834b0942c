#!/usr/bin/env bash
# check-install.sh <build dir>: installs into a scratch prefix and checks that the program, its data folders,
# the launcher link, the desktop entry and the icon land where a Linux desktop looks for them.
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null
app="$prefix/lib/vellora"
for f in "$app/vellora" "$app/Data/Kaarten.krt" "$app/Data/Hkrs-9.krt" "$app/Data/joker-01.jok" \
         "$app/Backgrounds/Background-0.jpg" "$app/Help/Beeldscherm.pdf" "$app/Artwork/pointer.png" \
         "$prefix/share/applications/vellora.desktop" "$prefix/share/icons/hicolor/32x32/apps/vellora.png"; do
  [ -e "$f" ] || { echo "missing after install: ${f#$prefix/}"; exit 1; }
done
[ -d "$app/Projecten" ] || { echo "missing after install: Projecten/"; exit 1; }
[ "$(readlink -f "$prefix/bin/vellora")" = "$(readlink -f "$app/vellora")" ] || { echo "bin/vellora is no link to the program"; exit 1; }
grep -q '^Exec=vellora$' "$prefix/share/applications/vellora.desktop"
grep -q '^Icon=vellora$' "$prefix/share/applications/vellora.desktop"
echo "install layout ok"
