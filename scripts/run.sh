#!/usr/bin/env bash
# Installs what is missing, builds and starts the game. Without DISPLAY it runs
# on a private Xvfb display, which it says, and stops that display afterwards.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
bash "$ROOT/scripts/setup.sh"
configure_and_build
if [ -z "${DISPLAY:-}" ]; then
    trap stop_display EXIT
    start_display
    echo "DISPLAY was not set: the game runs on the private Xvfb display $DISPLAY"
    echo "(take a picture of it with: DISPLAY=$DISPLAY import -window root shot.png)"
fi
ensure_prefix
wine "$BUILD/app/Brindlemark.exe" "$@"
