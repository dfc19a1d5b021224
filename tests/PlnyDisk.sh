#!/usr/bin/env bash
# Saving onto a drive that fills up half-way through the write: a tiny drive of its own is
# mounted for the run (Wine sees it through Z:), and the saving tests that need it run there.
# Skipped (77) where no drive can be mounted.
set -u
exe=$1
build=$2
drive=$build/plny-disk
mkdir -p "$drive"
if ! mount -t tmpfs -o size=96k tmpfs "$drive" 2>/dev/null; then
  echo "no tiny drive can be mounted here (needs root); skipped"
  exit 77
fi
trap 'umount "$drive"' EXIT
export ANIMORA_PLNY_DISK="Z:$(printf '%s' "$drive" | tr / '\\')"
wine "$exe" --gtest_also_run_disabled_tests --gtest_filter='PlnyDisk.DISABLED_*'
