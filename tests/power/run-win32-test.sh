#!/usr/bin/env bash
# Builds the Win32 power back end and its test with mingw-w64 and runs it under Wine, in a
# Wine prefix of its own that is removed afterwards. Fails when mingw-w64 or Wine is missing
# (scripts/install-deps.sh installs both). Usage: run-win32-test.sh <source dir> <work dir>
set -euo pipefail
src=$1
mkdir -p "$2"
exe="$2/Win32PowerBackendTest.exe"
x86_64-w64-mingw32-g++ -std=c++20 -O1 -static -Wall -Wextra -Werror -I"$src/src" \
  "$src/tests/power/win32/Win32PowerBackendTest.cpp" "$src/src/power/Win32PowerBackend.cpp" \
  "$src/src/power/PowerBackend.cpp" "$src/src/power/PowerController.cpp" -lpowrprof -o "$exe"

export WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/vesperon-wine.XXXXXX") WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
unset DISPLAY WAYLAND_DISPLAY
wine "$exe"
