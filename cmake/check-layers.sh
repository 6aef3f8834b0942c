#!/usr/bin/env bash
# Keeps ARCHITECTURE.md true: each folder's product sources include only the folders below it.
set -u
cd "$(dirname "$0")/.."
declare -A allowed=(
  [surface]="surface"
  [surface/widgets]="surface surface/widgets"
  [sheet]="sheet surface"
  [placement]="placement sheet surface surface/widgets"
  [project]="project sheet surface surface/widgets"
  [print]="print sheet surface surface/widgets"
  [deck]="deck project sheet surface"
  [shell]="shell deck print project placement sheet surface surface/widgets"
)
status=0
for folder in "${!allowed[@]}"; do
  for file in "$folder"/*.cpp "$folder"/*.h; do
    [ -e "$file" ] || continue
    while IFS= read -r included; do
      layer=${included%/*}
      case " ${allowed[$folder]} " in *" $layer "*) ;; *)
        echo "$file includes \"$included\": $folder may not use $layer"; status=1 ;;
      esac
    done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file" | grep / )
  done
done
[ $status -eq 0 ] && echo "every include keeps to its layer"
exit $status
