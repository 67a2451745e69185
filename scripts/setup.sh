#!/usr/bin/env bash
# Installs what the build needs on a Debian bookworm machine (run as root) and
# cross-builds libpng, libjpeg-turbo and GoogleTest for i686 Windows into .deps/.
# Idempotent: every step is skipped when its result is already there.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
DEPS="$ROOT/.deps"
PREFIX="$DEPS/i686"
mkdir -p "$DEPS/src" "$PREFIX"

log() { printf '[setup] %s\n' "$*"; }

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi

# ---------------------------------------------------------------- packages
PKGS=(cmake make mingw-w64 g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix
      libz-mingw-w64-dev googletest wine wine32 fonts-wine xvfb xauth imagemagick
      dpkg-dev xz-utils x11-utils openbox icewm fluxbox xdotool)

missing=()
for p in "${PKGS[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

need_update=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    log "adding the i386 architecture"
    $SUDO dpkg --add-architecture i386
    need_update=1
fi

# Source packages come from the same archive as the machine's deb lines.
SRC_LIST=/etc/apt/sources.list.d/brindlemark-src.sources
if [ ! -f "$SRC_LIST" ]; then
    log "adding deb-src entries"
    tmp=$(mktemp)
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        # Copy every stanza, turning "Types: deb" into "Types: deb-src".
        sed -e 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > "$tmp"
    else
        grep -hE '^deb ' /etc/apt/sources.list 2>/dev/null | sed 's/^deb /deb-src /' > "$tmp.list" || true
        SRC_LIST=/etc/apt/sources.list.d/brindlemark-src.list
    fi
    if [ -s "$tmp" ]; then $SUDO cp "$tmp" "$SRC_LIST"; fi
    if [ -s "$tmp.list" ] 2>/dev/null; then $SUDO cp "$tmp.list" "$SRC_LIST"; fi
    rm -f "$tmp" "$tmp.list"
    need_update=1
fi

if [ ${#missing[@]} -gt 0 ] || [ $need_update = 1 ]; then
    log "apt-get update"
    # The archive can serve one architecture's index of a suite out of step
    # while a mirror syncs; the other indexes are still read, so go on and
    # say so (the install below falls back to the base suite).
    if ! $SUDO apt-get update -qq; then
        log "apt-get update reported an error (above); going on with the indexes it read"
    fi
fi
if [ ${#missing[@]} -gt 0 ]; then
    log "installing: ${missing[*]}"
    if ! DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; then
        # The security suite's indexes of the two architectures out of step
        # leave wine32's i386 libraries unable to match the amd64 ones: take
        # every package from the base suite instead.
        suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
        log "the install failed; trying again with $suite as the target suite"
        if ! DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends \
                -t "$suite" "${missing[@]}" >/dev/null; then
            log "could not install: ${missing[*]}" >&2
            exit 1
        fi
    fi
fi

# ---------------------------------------------------------------- 32-bit programs
# Wine starts the 32-bit game through its own 32-bit loader, which the
# kernel must be able to run: some virtual machines' kernels refuse every
# 32-bit program. Then neither the build (it draws pictures with a program
# of its own run under Wine) nor the game nor its tests can run: said here,
# at once, rather than by a failed build step.
if ! wine_version=$(wine --version 2>&1); then
    log "this machine cannot start 32-bit programs, which Wine needs to run the game, its build steps and its tests:" >&2
    log "  wine --version: ${wine_version:-no answer}" >&2
    log "  a kernel with 32-bit program support (IA32 emulation) is needed" >&2
    exit 1
fi

CC=i686-w64-mingw32-gcc-posix
CXX=i686-w64-mingw32-g++-posix

# ---------------------------------------------------------------- sources
# Fetches a Debian source package into $DEPS/src, trying each listed version
# until one downloads (the newest may only live in a suite whose sources are
# not served). Prints the unpacked directory.
fetch_source() {
    local pkg="$1" stamp="$DEPS/src/$1.dir"
    if [ -f "$stamp" ] && [ -d "$(cat "$stamp")" ]; then cat "$stamp"; return 0; fi
    local versions v
    versions=$(apt-cache showsrc "$pkg" 2>/dev/null | awk '/^Version:/{print $2}' | sort -Vr | uniq)
    for v in $versions; do
        # no epoch colon in paths: make cannot handle it
        local work="$DEPS/src/$pkg-${v#*:}"
        rm -rf "$work"; mkdir -p "$work"
        if (cd "$work" && apt-get source -qq --download-only "$pkg=$v" >/dev/null 2>&1 \
              && dpkg-source --no-check -x ./*.dsc src >/dev/null 2>&1); then
            echo "$work/src" > "$stamp"
            echo "$pkg $v" >> "$PREFIX/VERSIONS"
            echo "$work/src"
            return 0
        fi
        rm -rf "$work"
    done
    echo "could not fetch the source of $pkg" >&2
    return 1
}

# ---------------------------------------------------------------- libpng
if [ ! -f "$PREFIX/lib/libpng.a" ]; then
    dir=$(fetch_source libpng1.6)
    log "building libpng from $dir"
    b="$DEPS/build/libpng"; rm -rf "$b"; mkdir -p "$b"
    (cd "$b" && CC=$CC "$dir/configure" --host=i686-w64-mingw32 --prefix="$PREFIX" \
        --disable-shared --enable-static --disable-tools >/dev/null \
        && make -j"$(nproc)" >/dev/null 2>&1 && make install >/dev/null 2>&1)
fi

# ---------------------------------------------------------------- libjpeg
if [ ! -f "$PREFIX/lib/libjpeg.a" ]; then
    dir=$(fetch_source libjpeg-turbo)
    log "building libjpeg-turbo from $dir"
    b="$DEPS/build/libjpeg"; rm -rf "$b"; mkdir -p "$b"
    (cd "$b" && cmake "$dir" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" \
        -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF \
        -DCMAKE_INSTALL_LIBDIR=lib >/dev/null \
        && make -j"$(nproc)" jpeg-static >/dev/null && make install >/dev/null 2>&1 || true)
    # install tries to install the command-line tools too; take what we need
    if [ ! -f "$PREFIX/lib/libjpeg.a" ]; then
        mkdir -p "$PREFIX/lib" "$PREFIX/include"
        cp "$b/libjpeg.a" "$PREFIX/lib/"
        cp "$dir/jpeglib.h" "$dir/jmorecfg.h" "$dir/jerror.h" "$b/jconfig.h" "$PREFIX/include/"
    fi
fi

# ---------------------------------------------------------------- googletest
if [ ! -f "$PREFIX/lib/libgtest.a" ]; then
    log "building googletest"
    b="$DEPS/build/googletest"; rm -rf "$b"; mkdir -p "$b"
    (cd "$b" && cmake /usr/src/googletest -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" -DCMAKE_INSTALL_LIBDIR=lib \
        -Dgtest_disable_pthreads=ON -DBUILD_GMOCK=ON >/dev/null \
        && make -j"$(nproc)" >/dev/null && make install >/dev/null)
fi

log "dependencies ready in $PREFIX"
