#!/usr/bin/env bash
# The layers look only down: winlib <- image <- soubory <- frames, and image <- settings,
# about; all of them <- app. Every
# #include "folder/..." of a source is checked against the folders its layer may use; the
# resource identifiers are shared by all but the window layer. Prints each include that climbs
# against the order and fails when there is one.
set -euo pipefail
root=${1:?usage: Vrstvy.sh SOURCE_DIR}

declare -A smi=(
  [winlib]="winlib"
  [image]="image winlib resources"
  [settings]="settings image winlib resources"
  [about]="about image winlib resources"
  [soubory]="soubory image winlib resources"
  [frames]="frames soubory image winlib resources"
  [app]="app settings about frames soubory image winlib resources"
)

chyby=0
souboru=0
for vrstva in "${!smi[@]}"; do
  for soubor in "$root/$vrstva"/*.cpp "$root/$vrstva"/*.h; do
    [ -e "$soubor" ] || continue
    souboru=$((souboru + 1))
    while IFS= read -r radek; do
      cislo=${radek%%:*}
      slozka=$(sed -E 's/.*#include "([^/"]+)\/.*/\1/' <<<"$radek")
      if [[ " ${smi[$vrstva]} " != *" $slozka "* ]]; then
        echo "${soubor#$root/}:$cislo: $vrstva may not include $slozka/"
        chyby=$((chyby + 1))
      fi
    done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^/"]+/' "$soubor" || true)
  done
done

# A check that read nothing would pass on any tree.
if [ "$souboru" -lt 20 ]; then
  echo "only $souboru sources found below $root" >&2
  exit 1
fi
echo "$souboru sources, $chyby includes against the layers"
[ "$chyby" -eq 0 ]
