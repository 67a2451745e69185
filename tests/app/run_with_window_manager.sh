#!/usr/bin/env bash
# Runs some of the game's end-to-end tests as on a player's own desktop: on a
# private Xvfb display with a window manager (BM_WINDOW_MANAGER: openbox, the
# default, icewm or fluxbox) and from a Wine prefix
# whose windows that window manager manages (the tests' own, build/wineprefix-desktop
# for openbox, build/wineprefix-desktop-NAME for the others, for a run with
# the tools hidden and for a run named by BM_DESKTOP_RUN;
# the player's prefix is never used by a test).
# With BM_HIDE_DISPLAY_TOOLS=1 the game finds the host's xwininfo, xprop and
# xdotool unusable (empty files mounted over them, in a mount namespace of
# this run alone; unshare needs root): it cannot read the display, while the
# tests reach the tools through copies first on PATH.
# Arguments: the build folder, the test program, the gtest filter.
set -euo pipefail
if [ "${BM_HIDE_DISPLAY_TOOLS:-}" = 1 ] && [ -z "${BM_DISPLAY_TOOLS_COPY:-}" ]; then
    BM_DISPLAY_TOOLS_COPY="$(mktemp -d)"
    export BM_DISPLAY_TOOLS_COPY
    for tool in xwininfo xprop xdotool; do
        cp "$(command -v "$tool")" "$BM_DISPLAY_TOOLS_COPY/"
    done
    status=0
    unshare -m bash -c 'set -e
        for tool in xwininfo xprop xdotool; do
            for dir in /usr/bin /usr/local/bin /bin; do
                if [ -f "$dir/$tool" ]; then mount --bind /dev/null "$dir/$tool"; fi
            done
        done
        PATH="$BM_DISPLAY_TOOLS_COPY:$PATH" exec bash "$0" "$@"' "${BASH_SOURCE[0]}" "$@" || status=$?
    rm -rf "$BM_DISPLAY_TOOLS_COPY"
    exit "$status"
fi
export BUILD_DIR="$1"
EXE="$2"
FILTER="$3"
unset DISPLAY
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"
WM="${BM_WINDOW_MANAGER:-openbox}"
case "$WM" in
    openbox | icewm | fluxbox) ;;
    *)
        echo "unknown window manager '$WM' (openbox, icewm or fluxbox)" >&2
        exit 1
        ;;
esac
if ! command -v "$WM" >/dev/null 2>&1; then
    echo "$WM is missing: run scripts/setup.sh" >&2
    exit 1
fi
WM_PID=""
finish() {
    # What the tests asked of the display and did not take back (a test
    # ended while waiting for it).
    if [ -n "${DISPLAY:-}" ]; then
        rm -f /tmp/bm-display-"${DISPLAY//[^a-zA-Z0-9]/}"-* 2>/dev/null || true
    fi
    if [ -n "$WM_PID" ]; then
        # fluxbox does not always end on the first signal: it is given two
        # seconds, then killed.
        kill "$WM_PID" 2>/dev/null || true
        for i in $(seq 1 20); do
            kill -0 "$WM_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill -9 "$WM_PID" 2>/dev/null || true
        wait "$WM_PID" 2>/dev/null || true
    fi
    if [ -n "${WM_HOME:-}" ]; then rm -rf "$WM_HOME"; fi
    stop_display
}
trap finish EXIT
start_display
# Each window manager starts with its own default settings, kept in a home of
# its own for this run (icewm and fluxbox write theirs there).
WM_HOME="$(mktemp -d)"
HOME="$WM_HOME" "$WM" >/dev/null 2>&1 &
WM_PID=$!
for i in $(seq 1 50); do
    display_has_window_manager && break
    sleep 0.1
done
if ! xprop -root -notype _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
    echo "the window manager did not start on $DISPLAY" >&2
    exit 1
fi
# A run with the tools hidden, and a run named by BM_DESKTOP_RUN, has a
# prefix of its own, so it can go beside another run under the same window
# manager.
test_desktop_prefix "$WM${BM_HIDE_DISPLAY_TOOLS:+-unread}${BM_DESKTOP_RUN:+-$BM_DESKTOP_RUN}"
wine "$EXE" --gtest_filter="$FILTER"
