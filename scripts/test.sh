#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine on an
# Xvfb display (a private one when DISPLAY is not set). Extra arguments go to ctest;
# TEST_JOBS sets how many test programs run at once (default: one per processor).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
bash "$ROOT/scripts/setup.sh"
configure_and_build
trap stop_display EXIT
start_display
ensure_prefix
cd "$BUILD"
ctest --output-on-failure -j"${TEST_JOBS:-$(nproc)}" "$@"
