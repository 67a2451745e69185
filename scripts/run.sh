#!/usr/bin/env bash
# Installs what is missing, builds the game (only the game and what it needs:
# the tests are built by test.sh) and starts it from the player's own Wine
# prefix, build/wineprefix-player, which no test uses. With DISPLAY set and a
# window manager on that display (a player's own desktop), the window manager
# manages the game's windows. Without DISPLAY the game runs on a private Xvfb
# display, which it says, and that display is stopped afterwards; there, and
# on a display with no window manager, the game's windows are not managed.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
bash "$ROOT/scripts/setup.sh"
BUILD_TARGETS="${BUILD_TARGETS:-Brindlemark}"
configure_and_build
if [ -z "${DISPLAY:-}" ]; then
    trap stop_display EXIT
    start_display
    echo "DISPLAY was not set: the game runs on the private Xvfb display $DISPLAY"
    echo "(take a picture of it with: DISPLAY=$DISPLAY import -window root shot.png)"
fi
if [ -z "$XVFB_PID" ] && display_has_window_manager; then
    player_prefix Y
    echo "[run] the game runs on $DISPLAY, its windows managed by the desktop's window manager"
else
    player_prefix N
    if [ -z "$XVFB_PID" ]; then
        echo "[run] $DISPLAY has no window manager: the game runs there with its windows not managed"
    fi
fi
echo "[run] the player's profiles and settings are kept in $WINEPREFIX"
wine "$BUILD/app/Brindlemark.exe" "$@"
