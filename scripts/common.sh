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
            local i
            for i in $(seq 1 50); do
                [ -e "/tmp/.X11-unix/X$n" ] && break
                kill -0 "$XVFB_PID" 2>/dev/null || break
                sleep 0.1
            done
            # Another run that took the same number at the same moment holds
            # the display's lock: this server ended, and the next number is tried.
            if ! kill -0 "$XVFB_PID" 2>/dev/null || [ "$(tr -d ' ' <"/tmp/.X$n-lock" 2>/dev/null)" != "$XVFB_PID" ]; then
                kill "$XVFB_PID" 2>/dev/null || true
                wait "$XVFB_PID" 2>/dev/null || true
                XVFB_PID=""
                continue
            fi
            export DISPLAY=":$n"
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

# The Wine prefixes. The tests use only their own: build/wineprefix (most
# tests; the private display of test.sh), build/wineprefix-isolated-<n> (the
# parts of the game's end-to-end tests) and build/wineprefix-desktop[-NAME] (the
# tests that run as on a player's desktop); they replace the game's stored
# profiles and settings there and delete its registry key. The game a player
# starts with run.sh runs from build/wineprefix-player, which no test
# touches.
#
# Creates a test prefix once (WINEPREFIX: the tests' one unless a script
# chose another of theirs); later runs reuse it. The prefix is set up for
# unattended runs: windows are not managed by the (absent) window manager,
# which otherwise makes every hide or destroy of a visible window wait about
# two seconds, and Wine's own fonts (Tahoma, Marlett) are copied where font
# enumeration finds them.
PREFIX_SETUP_VERSION=2
ensure_prefix() {
    setup_prefix "$WINEPREFIX" N
}

# The tests' prefix for a display with a window manager, which manages its
# windows (Wine's default), as on a player's own desktop. With a window
# manager's name other than openbox, a prefix of that window manager's own
# (build/wineprefix-desktop-NAME), so the runs under each can go at once.
test_desktop_prefix() {
    local wm="${1:-openbox}"
    if [ "$wm" = openbox ]; then
        export WINEPREFIX="$BUILD/wineprefix-desktop"
    else
        export WINEPREFIX="$BUILD/wineprefix-desktop-$wm"
    fi
    setup_prefix "$WINEPREFIX" Y
}

PLAYER_PREFIX="$BUILD/wineprefix-player"

# player_prefix MANAGED(Y|N): the player's prefix, with its windows managed
# by the display's window manager (Y, a player's own desktop: a taskbar
# entry, Alt+Tab, stacking with the desktop's other windows) or not (N, a
# display with no window manager). One prefix serves both, so the player's
# profiles and settings are the same in either; the setting is changed only
# when the display is of the other kind than last time, without waiting for
# a game that may still run from the prefix.
player_prefix() {
    local managed="$1"
    export WINEPREFIX="$PLAYER_PREFIX"
    setup_prefix "$WINEPREFIX" "$managed"
    if ! grep -q "\"Managed\"=\"$managed\"" "$WINEPREFIX/user.reg" 2>/dev/null; then
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$managed" /f >/dev/null 2>&1 || {
            echo "[wine] the prefix $WINEPREFIX did not take the window-manager setting" >&2
            return 1
        }
    fi
}

# A fingerprint of the player's prefix: its registry files (the game's
# profiles, settings and bars live in user.reg), or "none" when there is no
# such prefix yet.
player_prefix_fingerprint() {
    if [ ! -d "$PLAYER_PREFIX" ]; then
        echo none
        return 0
    fi
    (cd "$PLAYER_PREFIX" && sha256sum ./*.reg 2>/dev/null || true) | sha256sum | cut -d' ' -f1
}

# TRUE while the player's game runs from the player's prefix: a
# Brindlemark.exe whose WINEPREFIX is that prefix and that no ctest started
# (a test that ran the game there would be a ctest's descendant).
player_game_running() {
    local proc pid
    for proc in /proc/[0-9]*; do
        grep -qa 'Brindlemark\.exe' "$proc/cmdline" 2>/dev/null || continue
        tr '\0' '\n' 2>/dev/null <"$proc/environ" | grep -qx "WINEPREFIX=$PLAYER_PREFIX" || continue
        pid="${proc#/proc/}"
        while [ -n "$pid" ] && [ "$pid" -gt 1 ]; do
            [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = ctest ] && continue 2
            pid="$(awk '{print $4}' "/proc/$pid/stat" 2>/dev/null)"
        done
        return 0
    done
    return 1
}

# setup_prefix PREFIX MANAGED(Y|N): creates the prefix once, with Wine's
# X11 driver managing its windows or not.
setup_prefix() {
    local prefix="$1" managed="$2"
    local stamp="$prefix/.brindlemark-prefix-$PREFIX_SETUP_VERSION"
    [ -f "$stamp" ] && return 0
    echo "[wine] setting up prefix $prefix"
    mkdir -p "$prefix"
    if [ ! -f "$prefix/system.reg" ]; then
        WINEPREFIX="$prefix" wineboot -i >/dev/null 2>&1 || true
    fi
    WINEPREFIX="$prefix" wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$managed" /f \
        >/dev/null 2>&1 || true
    local fonts="$prefix/drive_c/windows/Fonts"
    mkdir -p "$fonts"
    if [ -d /usr/share/wine/fonts ]; then
        cp -n /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.TTF "$fonts/" 2>/dev/null || true
    fi
    WINEPREFIX="$prefix" wineserver -w || true
    # The stamp is written only once the setting is in the registry file, so
    # a set-up that was cut short is made again next time instead of leaving
    # a prefix whose windows are managed the wrong way.
    if ! grep -q "\"Managed\"=\"$managed\"" "$prefix/user.reg" 2>/dev/null; then
        echo "[wine] the prefix $prefix did not take the window-manager setting" >&2
        return 1
    fi
    touch "$stamp"
}

# TRUE when the display has a window manager (one that says so on the root
# window, as the desktops' window managers do).
display_has_window_manager() {
    command -v xprop >/dev/null 2>&1 || return 0
    xprop -root -notype _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

configure_and_build() {
    if [ ! -f "$BUILD/CMakeCache.txt" ]; then
        cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    fi
    # BUILD_TARGETS (space-separated) builds only those targets; BUILD_JOBS
    # sets how many compile at once (default: one per processor).
    local t targets=()
    for t in ${BUILD_TARGETS:-}; do targets+=(--target "$t"); done
    cmake --build "$BUILD" -j"${BUILD_JOBS:-$(nproc)}" "${targets[@]}" -- --no-print-directory "$@"
}
