# Shared set-up of the distribution tests, sourced with the arguments CTest passes:
#   ANIMORA_EXE CHECK_EXE VERSION BUILD_DIR
# The tests run in a Wine prefix of their own below the build folder (never the suite's
# build/wineprefix): created once, and put back to its first state at the start of every
# test, so that nothing an earlier run installed or wrote can make a test pass or fail.
set -euo pipefail
ANIMORA_EXE=$1
CHECK_EXE=$2
VERSION=$3
BUILD=$4
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/dist.sh"

AREA=$BUILD/distribution-test
export WINEPREFIX=$AREA/wineprefix
export WINEDEBUG=-all
# winemenubuilder would turn the shortcut and the file associations into desktop entries
# and MIME types in the home folder, outside the build folder.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64
export LC_ALL=C.UTF-8 # paths with diacritics reach Wine intact

step() { echo "== $*"; }
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

windows_path() {
  local path
  path=$(realpath -m "$1")
  printf 'Z:%s' "${path//\//\\}"
}

check() { wine "$CHECK_EXE" "$@" </dev/null; }

stop_prefix() { wineserver -k 2>/dev/null || true; }

create_prefix() {
  rm -rf "$WINEPREFIX" "$AREA/pristine"
  mkdir -p "$WINEPREFIX"
  wine wineboot -i </dev/null >/dev/null 2>&1 || true
  wineserver -w
  # Without a window manager Wine otherwise waits 2 s whenever a top-level window hides.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
  wineserver -w
  mkdir -p "$AREA/pristine.new"
  cp "$WINEPREFIX"/*.reg "$AREA/pristine.new/"
  mv "$AREA/pristine.new" "$AREA/pristine"
}

# Everything the setup, the uninstaller and the program write goes into the registry, the
# user's programs folder, the Start menu and the temporary folder.
restore_prefix() {
  local users=$WINEPREFIX/drive_c/users
  cp "$AREA/pristine/"*.reg "$WINEPREFIX/"
  rm -rf "$users"/*/AppData/Local/Programs "$users"/*/Temp/* "$users"/*/AppData/Local/Temp/* \
    "$users"/*/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs/Animora.lnk
}

# Leaves a running server whose output goes nowhere, so that later calls may be piped.
prepare_prefix() {
  [ -n "${DISPLAY:-}" ] || fail "no display (run the suite through tools/test)"
  [ "$(dist_version "$BUILD")" = "$VERSION" ] || fail "the generated version header disagrees with CMake"
  stop_prefix # one left over by an interrupted run
  if [ -f "$AREA/pristine/user.reg" ] && [ -d "$WINEPREFIX/drive_c" ]; then restore_prefix; else create_prefix; fi
  trap stop_prefix EXIT
  wineserver -p </dev/null >/dev/null 2>&1
  wine wineboot </dev/null >/dev/null 2>&1 || true
}

# A fresh folder for one test's files, below the build folder.
scratch_folder() {
  rm -rf "${AREA:?}/$1"
  mkdir -p "$AREA/$1"
  echo "$AREA/$1"
}
