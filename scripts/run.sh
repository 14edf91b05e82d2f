#!/usr/bin/env bash
# Builds and starts the program from the build tree (arguments go to the program).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh >/dev/null
exec "${BUILD_DIR:-build}/src/app/vesperon" "$@"
