# Shared by build.sh, test.sh and run.sh: paths, the Wine prefix and the display.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BUILD_DIR:-$ROOT/build}"
export WINEPREFIX="$BUILD/wineprefix"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installers: the program needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win32

XVFB_PID=""

# Starts a private Xvfb display when none is set; stop_display ends it.
start_display() {
    if [ -n "${DISPLAY:-}" ]; then return 0; fi
    local n
    for n in $(seq 90 140); do
        if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
            Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
            XVFB_PID=$!
            export DISPLAY=":$n"
            local i
            for i in $(seq 1 50); do
                [ -e "/tmp/.X11-unix/X$n" ] && break
                sleep 0.1
            done
            echo "[display] started Xvfb on $DISPLAY"
            return 0
        fi
    done
    echo "no free X display number" >&2
    return 1
}

stop_display() {
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=""
    fi
}

# Creates the build folder's Wine prefix once; later runs reuse it.
ensure_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "[wine] creating prefix $WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1 || true
        wineserver -w || true
    fi
}

configure_and_build() {
    if [ ! -f "$BUILD/CMakeCache.txt" ]; then
        cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    fi
    # BUILD_TARGETS (space-separated) builds only those targets.
    local t targets=()
    for t in ${BUILD_TARGETS:-}; do targets+=(--target "$t"); done
    cmake --build "$BUILD" -j"$(nproc)" "${targets[@]}" -- --no-print-directory "$@"
}
