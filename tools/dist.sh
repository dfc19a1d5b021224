# The two distribution files made from one Animora.exe: the setup program (NSIS script
# installer/animora.nsi) and the portable zip. tools/package and the distribution tests
# both use these functions, so the tests check what the package command ships.
# Source it; needs makensis and zip (tools/lib.sh installs them).

DIST_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# The version a build folder was configured with (generated from project(VERSION)).
dist_version() {
  local header=$1/generated/animora_version.h
  sed -n 's/^#define ANIMORA_VERSION_TEXT "\(.*\)"$/\1/p' "$header"
}

dist_setup_name() { echo "Animora-$1-setup.exe"; }
dist_portable_name() { echo "Animora-$1-portable.zip"; }

# make_setup EXE VERSION OUTPUT
make_setup() {
  local exe output
  exe=$(realpath "$1")
  output=$(realpath -m "$3")
  mkdir -p "$(dirname "$output")"
  rm -f "$output"
  makensis -V2 -INPUTCHARSET UTF8 -DANIMORA_EXE="$exe" -DANIMORA_VERSION="$2" -DANIMORA_OUTFILE="$output" \
    "$DIST_ROOT/installer/animora.nsi"
}

# make_portable EXE VERSION OUTPUT
# The read-me goes in as UTF-8 with a byte-order mark and CRLF line ends: every Notepad
# since Windows 7 shows that correctly (older ones take UTF-8 without the mark for ANSI).
make_portable() {
  local exe=$1 version=$2 output staging
  output=$(realpath -m "$3")
  mkdir -p "$(dirname "$output")"
  rm -f "$output"
  staging=$(mktemp -d "$(dirname "$output")/.portable.XXXXXX")
  cp "$exe" "$staging/Animora.exe"
  { printf '\xef\xbb\xbf'; sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$DIST_ROOT/installer/CTIMNE.txt"; } \
    >"$staging/CTIMNE.txt"
  (cd "$staging" && zip -q -X "$output" Animora.exe CTIMNE.txt)
  rm -rf "$staging"
}

# make_dist EXE VERSION FOLDER: both files, named as they are published.
make_dist() {
  make_setup "$1" "$2" "$3/$(dist_setup_name "$2")"
  make_portable "$1" "$2" "$3/$(dist_portable_name "$2")"
}
