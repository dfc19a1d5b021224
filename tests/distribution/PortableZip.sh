#!/usr/bin/env bash
# The portable zip: exactly the program and its read-me; the read-me in a form Notepad shows
# correctly; the program, unzipped into a folder of its own, starts, shows a GIF and ends.
source "$(dirname "$0")/common.sh" "$@"
prepare_prefix
scratch=$(scratch_folder portable)

step "building the zip"
zip=$scratch/$(dist_portable_name "$VERSION")
make_portable "$ANIMORA_EXE" "$VERSION" "$zip"
[ "$(unzip -Z1 "$zip" | sort | tr '\n' ' ')" = "Animora.exe CTIMNE.txt " ] ||
  fail "the zip holds: $(unzip -Z1 "$zip" | tr '\n' ' ')"

step "unzipping"
folder="$scratch/Přenosné programy/Animora"
mkdir -p "$folder"
unzip -q "$zip" -d "$folder"
cmp -s "$folder/Animora.exe" "$ANIMORA_EXE" || fail "the zipped Animora.exe differs from the built one"
readme=$folder/CTIMNE.txt
[ "$(od -An -tx1 -N3 "$readme" | tr -d ' \n')" = efbbbf ] || fail "the read-me has no UTF-8 byte-order mark"
iconv -f UTF-8 -t UTF-16LE "$readme" >/dev/null || fail "the read-me is not valid UTF-8"
if LC_ALL=C grep -q -v $'\r$' "$readme"; then fail "the read-me has lines without CRLF"; fi
grep -q "Animora $VERSION" "$readme" || fail "the read-me does not name the version"
if grep -q '@[A-Z]*@' "$readme"; then fail "the read-me has a placeholder left"; fi

step "starting the unzipped program on a GIF"
check start "$(windows_path "$folder/Animora.exe")" "$(windows_path "$DIST_ROOT/resources/sample.gif")"
echo "all right"
