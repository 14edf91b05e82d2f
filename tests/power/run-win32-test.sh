#!/usr/bin/env bash
# Builds the Win32 power back end and its test with mingw-w64 and runs it under Wine, in a
# Wine prefix of its own that is removed afterwards. Fails when mingw-w64 or Wine is missing:
# CI installs both. Usage: run-win32-test.sh <source dir> <work dir>
set -euo pipefail
src=$1
work=$2
for tool in x86_64-w64-mingw32-g++ wine wineserver; do
  command -v "$tool" >/dev/null || { echo "missing: $tool (scripts/install-deps.sh installs it)"; exit 1; }
done
mkdir -p "$work"
exe="$work/Win32PowerBackendTest.exe"
x86_64-w64-mingw32-g++ -std=c++20 -O1 -static -Wall -Wextra -Werror \
  -I"$src/src" \
  "$src/tests/power/win32/Win32PowerBackendTest.cpp" \
  "$src/src/power/Win32PowerBackend.cpp" "$src/src/power/PowerBackend.cpp" \
  "$src/src/power/PowerController.cpp" \
  -lpowrprof -o "$exe"

prefix=$(mktemp -d "${TMPDIR:-/tmp}/vesperon-wine.XXXXXX")
cleanup() {
  WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
  rm -rf "$prefix"
}
trap cleanup EXIT
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
wine "$exe"
