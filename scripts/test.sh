#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine on an
# Xvfb display (a private one when DISPLAY is not set). Extra arguments go to ctest;
# TEST_JOBS sets how many test programs run at once (default: one per processor).
# The tests use Wine prefixes of their own; afterwards the script checks that
# the player's prefix (build/wineprefix-player, the game run.sh starts) is as
# it was, and fails when a test changed it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
bash "$ROOT/scripts/setup.sh"
configure_and_build
trap stop_display EXIT
start_display
ensure_prefix
player_before="$(player_prefix_fingerprint)"
# Whether the player's game runs from its prefix at some time during the
# tests (then a change there is the player's own), looked at every second.
player_used="$(mktemp)"
( while :; do player_game_running && echo used >"$player_used"; sleep 1; done ) &
watcher=$!
trap 'kill "$watcher" 2>/dev/null || true; rm -f "$player_used"; stop_display' EXIT
cd "$BUILD"
status=0
ctest --output-on-failure -j"${TEST_JOBS:-$(nproc)}" "$@" || status=$?
kill "$watcher" 2>/dev/null || true
wait "$watcher" 2>/dev/null || true
player_game_running && echo used >"$player_used"
# A Wine server writes its registry to the files when it ends: one that a
# test would have started in the player's prefix is waited for (not the
# player's game, which may run on).
if [ ! -s "$player_used" ]; then
    WINEPREFIX="$PLAYER_PREFIX" timeout 60 wineserver -w 2>/dev/null || true
fi
if [ "$(player_prefix_fingerprint)" != "$player_before" ]; then
    if [ -s "$player_used" ]; then
        echo "[test] the player's prefix $PLAYER_PREFIX changed while the player's game ran from it: not judged"
    else
        echo "[test] FAILED: the tests changed the player's prefix $PLAYER_PREFIX" >&2
        status=1
    fi
fi
exit "$status"
