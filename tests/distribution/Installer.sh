#!/usr/bin/env bash
# The setup program, silently: an older version, this one over it, the same again; the
# installed files, shortcut, uninstall entry and "Open with" registration; a GIF opened
# through the shell's "open" verb; a running Animora that stops the setup and the uninstaller;
# then a silent uninstall that takes everything back but the user's settings and the other
# program the user had chosen for GIF files.
source "$(dirname "$0")/common.sh" "$@"
prepare_prefix
scratch=$(scratch_folder installer)

step "building the setup programs"
setup=$scratch/$(dist_setup_name "$VERSION")
older=$scratch/$(dist_setup_name 0.9.0.0)
make_setup "$ANIMORA_EXE" 0.9.0.0 "$older" &
building=$!
make_setup "$ANIMORA_EXE" "$VERSION" "$setup"
wait $building
grep -a -q 'level="asInvoker"' "$setup" || fail "the setup does not run with the user's own rights"

gif_folder="$scratch/Obrázky z výletu"
mkdir -p "$gif_folder"
cp "$DIST_ROOT/resources/sample.gif" "$gif_folder/ukázka animace.gif"
gif=$(windows_path "$gif_folder/ukázka animace.gif")
exe=$(windows_path "$ANIMORA_EXE")

step "an older version, then this one over it"
check seed-other-viewer
wine "$older" /S </dev/null || fail "the older setup failed"
[ "$(check display-version | tr -d '\r')" = 0.9.0.0 ] || fail "the older version is not registered"
wine "$setup" /S </dev/null || fail "the upgrade failed"
check installed "$VERSION" "$exe" with-other-viewer

step "opening a GIF through the ProgID and through the application entry"
check open Animora.gif "$gif"
check open 'Applications\Animora.exe' "$gif"

step "the same version again"
wine "$setup" /S </dev/null || fail "installing the same version again failed"
check installed "$VERSION" "$exe" with-other-viewer

step "a running Animora stops the setup and the uninstaller before they change anything"
code=$(check while-running setup "$(windows_path "$older")" | tr -d '\r')
[ "$code" = 2 ] || fail "the setup ended with exit code $code while Animora was running"
code=$(check while-running uninstall | tr -d '\r')
[ "$code" = 2 ] || fail "the uninstaller ended with exit code $code while Animora was running"
check installed "$VERSION" "$exe" with-other-viewer

step "uninstalling"
check keep-settings
check uninstall
check uninstalled with-other-viewer

step "installing and uninstalling where the user had no .gif entry of their own"
check forget-other-viewer
wine "$setup" /S </dev/null || fail "the setup failed"
check installed "$VERSION" "$exe" alone
check uninstall
check uninstalled alone
echo "all right"
