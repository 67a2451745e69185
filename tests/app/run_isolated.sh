#!/usr/bin/env bash
# Runs a test program that drives the real pointer and keyboard on a display
# and in a Wine prefix of its own, so that several such programs (the parts of
# the game's end-to-end tests) run at once without meeting each other's
# windows, input or registry. The prefix is kept in the build folder and made
# once; the display is a new private Xvfb display, ended afterwards.
# Arguments: the build folder, the test program, its arguments. The prefix's
# name follows GTEST_SHARD_INDEX, so each part keeps its own.
set -euo pipefail
export BUILD_DIR="$1"
shift
unset DISPLAY
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"
export WINEPREFIX="$BUILD/wineprefix-isolated-${GTEST_SHARD_INDEX:-0}"

XVFB_PID=""
finish() {
    wineserver -k 2>/dev/null || true
    stop_display
}
trap finish EXIT

# Xvfb picks a free display number itself and writes it to the pipe, so
# displays started at the same moment never collide.
exec 3< <(Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null & echo "pid $!")
read -r first <&3
read -r second <&3
for line in "$first" "$second"; do
    case "$line" in
        pid\ *) XVFB_PID="${line#pid }" ;;
        *) export DISPLAY=":$line" ;;
    esac
done
if [ -z "${DISPLAY:-}" ]; then
    echo "the private display did not start" >&2
    exit 1
fi
ensure_prefix >&2
cd "$(dirname "$1")"
wine "$@"
