#!/usr/bin/env bash
# Builds the Windows settings back ends and their checks with mingw-w64 and runs them under
# Wine, in a Wine prefix of their own that is removed afterwards.
# Usage: run-wine-tests.sh <work folder> <source root> <settings sources...>
set -euo pipefail
work=$1 src_root=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)

mkdir -p "$work"
exe="$work/settings_win32_tests.exe"
x86_64-w64-mingw32-g++ -std=c++20 -O2 -static -Wall -Wextra -Werror -I"$src_root" \
  -o "$exe" "$here/Win32SettingsTest.cpp" "$@"

prefix=$(mktemp -d "${TMPDIR:-/tmp}/vesperon-wine.XXXXXX")
cleanup() {
  WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
  WINEPREFIX="$prefix" wineserver -w 2>/dev/null || true
  rm -rf "$prefix"
}
trap cleanup EXIT

export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
wine "$exe"
