#!/usr/bin/env bash
# Installs what is missing, builds and starts the game. With DISPLAY set (a
# player's own desktop) and a window manager on it, the game runs from a Wine
# prefix whose windows that window manager manages. Without DISPLAY it runs on
# a private Xvfb display, which it says, and stops that display afterwards,
# from the tests' prefix (windows not managed: there is no window manager).
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
if [ -z "$XVFB_PID" ] && display_has_window_manager; then
    desktop_prefix
    echo "[run] the game runs on $DISPLAY, its windows managed by the desktop's window manager"
else
    ensure_prefix
fi
wine "$BUILD/app/Brindlemark.exe" "$@"
