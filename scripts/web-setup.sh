#!/usr/bin/env bash
# Installs the browser build's tools from Debian's packages, fetches the sources of the libraries
# the program links (SDL2, SDL2_mixer, FreeType, libpng, zlib) from Debian's source packages and
# builds them once with emscripten into a cache outside the build folder.
# Prints the cache's install prefix on its last line.
set -euo pipefail

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi

packages=(emscripten chromium fluidsynth vorbis-tools timgm6mb-soundfont python3-fonttools dpkg-dev python3 cmake
          ninja-build)
# shellcheck source=install-missing.sh
source "$(dirname "${BASH_SOURCE[0]}")/install-missing.sh"
install_missing "${packages[@]}"

# A node from outside Debian does not see Debian's node modules (emcc needs acorn).
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

version=1
cache=${VELKO_WEB_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/velko01-web}/v$version
prefix=$cache/prefix
if [ -f "$prefix/.done" ]; then
    echo "$prefix"
    exit 0
fi

src=$cache/src
mkdir -p "$src" "$prefix"

fetch_sources() {
    if ! apt-get source --download-only -q libsdl2 >/dev/null 2>&1; then
        # Source packages need a deb-src entry next to the binary one.
        local list=/etc/apt/sources.list.d/velko01-web-src.sources
        echo "Adding $list" >&2
        "${sudo_cmd[@]}" tee "$list" >/dev/null <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
        "${sudo_cmd[@]}" apt-get update -q >&2
    fi
    apt-get source -q libsdl2 libsdl2-mixer freetype libpng1.6 zlib >&2
}

(cd "$src" && { ls -d */ >/dev/null 2>&1 || fetch_sources; })

dir_of() { find "$src" -maxdepth 1 -mindepth 1 -type d -name "$1" | head -n1; }
sdl_src=$(dir_of 'libsdl2-2*')
mixer_src=$(dir_of 'libsdl2-mixer-*')
ft_src=$(dir_of 'freetype-*')
png_src=$(dir_of 'libpng1.6-*')
zlib_src=$(dir_of 'zlib-*')
for d in "$sdl_src" "$mixer_src" "$ft_src" "$png_src" "$zlib_src"; do
    [ -n "$d" ] || { echo "web-setup: a library source is missing in $src" >&2; exit 1; }
done

nice_cmd=(nice -n 15)
jobs=$(nproc 2>/dev/null || echo 2)
flags="-O2"
common=(-G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix"
        -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix" -DBUILD_SHARED_LIBS=OFF
        -DCMAKE_C_FLAGS="$flags")

step() { echo "web-setup: $(date +%T) $*" >&2; }

if [ ! -f "$prefix/lib/libz.a" ]; then
    step "zlib"
    (cd "$zlib_src" && CFLAGS="$flags" "${nice_cmd[@]}" emconfigure ./configure --static --prefix="$prefix" >&2 \
        && "${nice_cmd[@]}" emmake make -j"$jobs" libz.a >&2 && emmake make install >&2)
fi
if [ ! -f "$prefix/lib/libpng16.a" ]; then
    step "libpng"
    rm -rf "$cache/b-png"
    "${nice_cmd[@]}" emcmake cmake -S "$png_src" -B "$cache/b-png" "${common[@]}" -DPNG_SHARED=OFF -DPNG_STATIC=ON \
        -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF -DZLIB_LIBRARY="$prefix/lib/libz.a" \
        -DZLIB_INCLUDE_DIR="$prefix/include" -DM_LIBRARY="" >&2
    "${nice_cmd[@]}" cmake --build "$cache/b-png" -j"$jobs" >&2 && cmake --install "$cache/b-png" >&2
fi
if [ ! -f "$prefix/lib/libfreetype.a" ]; then
    step "FreeType"
    rm -rf "$cache/b-ft"
    "${nice_cmd[@]}" emcmake cmake -S "$ft_src" -B "$cache/b-ft" "${common[@]}" -DFT_REQUIRE_ZLIB=ON \
        -DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include" \
        -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON >&2
    "${nice_cmd[@]}" cmake --build "$cache/b-ft" -j"$jobs" >&2 && cmake --install "$cache/b-ft" >&2
fi
if [ ! -f "$prefix/lib/libSDL2.a" ]; then
    step "SDL2 (its configure takes several minutes)"
    rm -rf "$cache/b-sdl"
    "${nice_cmd[@]}" emcmake cmake -S "$sdl_src" -B "$cache/b-sdl" "${common[@]}" -DSDL_SHARED=OFF -DSDL_STATIC=ON \
        -DSDL_TEST=OFF >&2
    "${nice_cmd[@]}" cmake --build "$cache/b-sdl" -j"$jobs" >&2 && cmake --install "$cache/b-sdl" >&2
fi
if [ ! -f "$prefix/lib/libSDL2_mixer.a" ]; then
    step "SDL2_mixer"
    rm -rf "$cache/b-mixer"
    "${nice_cmd[@]}" emcmake cmake -S "$mixer_src" -B "$cache/b-mixer" "${common[@]}" \
        -DSDL2_DIR="$prefix/lib/cmake/SDL2" -DSDL2MIXER_SAMPLES=OFF -DSDL2MIXER_DEPS_SHARED=OFF \
        -DSDL2MIXER_VORBIS=STB -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_FLAC=OFF \
        -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MP3=OFF -DSDL2MIXER_WAVPACK=OFF -DSDL2MIXER_CMD=OFF \
        -DSDL2MIXER_WAVE=ON >&2
    "${nice_cmd[@]}" cmake --build "$cache/b-mixer" -j"$jobs" >&2 && cmake --install "$cache/b-mixer" >&2
fi
touch "$prefix/.done"
echo "$prefix"
