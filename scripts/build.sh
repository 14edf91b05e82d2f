#!/usr/bin/env bash
# Installs what is missing and builds into build/ (or the folder given as BUILD_DIR).
# Extra arguments go to CMake's configure step, e.g. -DVESPERON_SANITIZE=ON.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} "$@" >/dev/null
cmake --build "$BUILD_DIR" --parallel "$(nproc)"
