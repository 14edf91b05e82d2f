#!/usr/bin/env bash
# Builds and runs every test: unit and window tests, the back ends against their real peers
# (logind mocked on a private bus, Wine, loopback servers) and the end-to-end run.
# Extra arguments go to CMake's configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh "$@"
BUILD_DIR=${BUILD_DIR:-build}
# No test may reach the machine's real system bus: a logind there could power it off.
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/vesperon-tests-never-use-the-real-system-bus
cd "$BUILD_DIR"
ctest --output-on-failure --parallel "$(nproc)" --timeout 600
