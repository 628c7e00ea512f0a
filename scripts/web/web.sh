#!/usr/bin/env bash
# Builds Graze for the browser (WebAssembly) into build-web/site/: index.html,
# graze.js, graze.wasm and graze.data. Works from a fresh Debian machine:
#   - installs Debian's emscripten (and dpkg-dev, cmake) when missing;
#   - fetches the sources of classic SDL 1.2, SDL_mixer 1.2, libpng, zlib,
#     libogg and libvorbis with `apt-get source`, through a private apt
#     configuration holding deb-src lines for the system's own archive (the
#     system's apt sources are left alone);
#   - builds them ONCE into a cache folder outside the clone, reused by later
#     builds and CI runs on the same machine:
#       ${GRAZE_WEB_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/graze-web}
#   - takes the generated assets from the native build (build/assets, made
#     with scripts/setup/setup.sh --game when missing), stores their PNG pictures
#     in fewer bytes (the same pixels, checked) and builds the game.
#   - writes each file's size and CRC-32 into the page, which checks its
#     downloads whole, and puts precompressed .br and .gz copies beside the
#     files for hosts that serve them (scripts/web/serve_web.sh does).
# Exit status 3: the toolchain or the library sources could not be had (no
# root or sudo to install them, no package archive); any other failure is the
# build's own.
# Usage: scripts/web/web.sh [--libraries-only]
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
cache=${GRAZE_WEB_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/graze-web}
native=${GRAZE_NATIVE_BUILD:-build}
out=$root/build-web
# Bump when the library build below changes: a new prefix is built beside the old.
libraries_version=1
prefix=$cache/prefix-$libraries_version
jobs=2

say() { echo "web: $*"; }

# --- Tools -----------------------------------------------------------------
# Installs Debian packages, waiting for another apt to let go of its lock
# instead of failing; exit status 3 only where they cannot be had at all (no
# root and no sudo, or no archive answering).
apt_install() {
  local sudo
  if [ "$(id -u)" -eq 0 ]; then sudo=(); elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then sudo=(sudo -n); else
    echo "web: needs these Debian packages: $*; as root: apt-get install $*" >&2
    exit 3
  fi
  local apt=("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 -q)
  say "installing $*"
  "${apt[@]}" install -y --no-install-recommends "$@" >/dev/null 2>&1 && return 0
  # The package lists may be missing or old: read them again (the lists'
  # own lock is waited for too).
  local tries=0
  until "${apt[@]}" update >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ $tries -ge 20 ] && { echo "web: apt-get update keeps failing" >&2; break; }
    sleep 30
  done
  "${apt[@]}" install -y --no-install-recommends "$@" ||
    { echo "web: cannot install $*" >&2; exit 3; }
}
need=()
command -v emcc >/dev/null 2>&1 || need+=(emscripten)
command -v dpkg-source >/dev/null 2>&1 || need+=(dpkg-dev)
command -v cmake >/dev/null 2>&1 || need+=(cmake make)
command -v brotli >/dev/null 2>&1 || need+=(brotli)
command -v python3 >/dev/null 2>&1 || need+=(python3)
command -v optipng >/dev/null 2>&1 || need+=(optipng)
command -v oggenc >/dev/null 2>&1 || need+=(vorbis-tools)
[ ${#need[@]} -gt 0 ] && apt_install "${need[@]}"
# Debian's emcc runs under whatever node is first on the PATH: it must find
# Debian's JavaScript modules (acorn), and autoconf-style test programs must
# not see a fetch() they cannot use.
export NODE_PATH=${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs
export NODE_OPTIONS="${NODE_OPTIONS:-} --no-experimental-fetch"
export EMCC_SKIP_SANITY_CHECK=1

# --- Library sources, through a private apt configuration ---------------------
apt_private() {
  local a=$cache/apt
  apt-get -q -o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$a/parts" \
    -o Dir::State::Lists="$a/lists" -o Dir::Cache="$a/cache" -o APT::Sandbox::User=root "$@"
}

fetch_sources() {
  local a=$cache/apt
  mkdir -p "$a/parts" "$a/lists/partial" "$a/cache/archives/partial" "$cache/sources"
  # The same archive the system installs from, as deb-src.
  : >"$a/parts/source.sources"
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && sed 's/^Types:.*/Types: deb-src/' "$f" >>"$a/parts/source.sources" && echo >>"$a/parts/source.sources"
  done
  : >"$a/parts/source.list"
  [ -f /etc/apt/sources.list ] && sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list >"$a/parts/source.list"
  apt_private update >/dev/null || { echo "web: cannot read the source package lists" >&2; exit 3; }
  cd "$cache/sources"
  for package in libsdl1.2 sdl-mixer1.2 libpng1.6 zlib libogg libvorbis; do
    if ls -d "$package"-*/ >/dev/null 2>&1 || ls -d "${package%1.*}"*-*/ >/dev/null 2>&1; then continue; fi
    say "fetching the source of $package"
    # The newest version first; a security update whose files the mirror
    # lacks falls back on the release's own version.
    if ! apt_private source "$package" >"$cache/sources/$package.log" 2>&1; then
      local release
      release=$(apt_private indextargets --format '$(RELEASE)' 2>/dev/null | grep -v -- - | head -1)
      apt_private source "$package/${release:-stable}" >>"$cache/sources/$package.log" 2>&1 ||
        { cat "$cache/sources/$package.log" >&2; echo "web: cannot fetch the source of $package" >&2; exit 3; }
    fi
  done
  cd "$root"
}

source_dir() { ls -d "$cache/sources/$1"-*/ | head -1; }

# Compiles C files to objects in parallel and archives them.
archive() {
  local name=$1 flags=$2
  shift 2
  local objects=$cache/build/$name
  rm -rf "$objects" && mkdir -p "$objects"
  printf '%s\n' "$@" | xargs -P "$jobs" -I{} sh -c \
    'emcc -O2 '"$flags"' -c "$1" -o "$2/$(basename "$1" .c).o"' _ {} "$objects"
  emar rcs "$prefix.tmp/lib/lib$name.a" "$objects"/*.o
}

build_libraries() {
  fetch_sources
  rm -rf "$prefix.tmp"
  mkdir -p "$prefix.tmp/include/SDL" "$prefix.tmp/include/ogg" "$prefix.tmp/include/vorbis" "$prefix.tmp/lib"
  local inc="-I$prefix.tmp/include"

  say "building zlib"
  local z; z=$(source_dir zlib)
  cp "$z"/zlib.h "$z"/zconf.h "$prefix.tmp/include/"
  archive z "-DHAVE_UNISTD_H -DHAVE_STDARG_H" "$z"/{adler32,compress,crc32,deflate,gzclose,gzlib,gzread,gzwrite,infback,inffast,inflate,inftrees,trees,uncompr,zutil}.c

  say "building libpng"
  local p; p=$(source_dir libpng1.6)
  cp "$p"/png.h "$p"/pngconf.h "$prefix.tmp/include/"
  cp "$p"/scripts/pnglibconf.h.prebuilt "$prefix.tmp/include/pnglibconf.h"
  archive png "$inc -DPNG_ARM_NEON_OPT=0" "$p"/{png,pngerror,pngget,pngmem,pngpread,pngread,pngrio,pngrtran,pngrutil,pngset,pngtrans,pngwio,pngwrite,pngwtran,pngwutil}.c

  say "building libogg"
  local o; o=$(source_dir libogg)
  cp "$o"/include/ogg/ogg.h "$o"/include/ogg/os_types.h "$prefix.tmp/include/ogg/"
  cat >"$prefix.tmp/include/ogg/config_types.h" <<'EOF'
#ifndef __CONFIG_TYPES_H__
#define __CONFIG_TYPES_H__
#include <stdint.h>
typedef int16_t ogg_int16_t;
typedef uint16_t ogg_uint16_t;
typedef int32_t ogg_int32_t;
typedef uint32_t ogg_uint32_t;
typedef int64_t ogg_int64_t;
typedef uint64_t ogg_uint64_t;
#endif
EOF
  archive ogg "$inc" "$o"/src/{bitwise,framing}.c

  say "building libvorbis"
  local v; v=$(source_dir libvorbis)
  cp "$v"/include/vorbis/codec.h "$v"/include/vorbis/vorbisfile.h "$prefix.tmp/include/vorbis/"
  archive vorbis "$inc -I$v/lib -Wno-everything" "$v"/lib/{mdct,smallft,block,envelope,window,lsp,lpc,analysis,synthesis,psy,info,floor1,floor0,res0,mapping0,registry,codebook,sharedbook,lookup,bitrate}.c
  archive vorbisfile "$inc -Wno-everything" "$v"/lib/vorbisfile.c

  say "building SDL 1.2"
  local s; s=$(source_dir libsdl1.2)
  cp "$s"/include/*.h "$prefix.tmp/include/SDL/"
  rm -f "$prefix.tmp/include/SDL/SDL_config_"*.h
  # Our own configuration header instead of SDL's configure script.
  cp "$root/web/sdl/SDL_config.h" "$prefix.tmp/include/SDL/SDL_config.h"
  local sdl_sources=("$s"/src/{SDL,SDL_error,SDL_fatal}.c
    "$s"/src/audio/{SDL_audio,SDL_audiocvt,SDL_mixer,SDL_wave}.c
    "$s"/src/cpuinfo/SDL_cpuinfo.c "$s"/src/events/*.c "$s"/src/file/SDL_rwops.c
    "$s"/src/stdlib/*.c "$s"/src/thread/SDL_thread.c "$s"/src/thread/generic/*.c
    "$s"/src/timer/SDL_timer.c "$s"/src/timer/unix/SDL_systimer.c
    "$s"/src/video/{SDL_RLEaccel,SDL_blit,SDL_blit_0,SDL_blit_1,SDL_blit_A,SDL_blit_N,SDL_bmp,SDL_cursor,SDL_gamma,SDL_pixels,SDL_stretch,SDL_surface,SDL_video,SDL_yuv,SDL_yuv_sw}.c
    "$s"/src/video/dummy/*.c)
  archive SDL "-I$prefix.tmp/include/SDL -I$s/src -I$s/src/video -I$s/src/events -I$s/src/audio -I$s/src/thread -I$s/src/thread/generic -I$s/src/timer -Wno-everything" "${sdl_sources[@]}"

  say "building SDL_mixer 1.2"
  local m; m=$(source_dir sdl-mixer1.2)
  cp "$m"/SDL_mixer.h "$prefix.tmp/include/SDL/"
  archive SDL_mixer "$inc -I$prefix.tmp/include/SDL -DWAV_MUSIC -DOGG_MUSIC -Wno-everything" \
    "$m"/{mixer,music,effects_internal,effect_position,effect_stereoreverse,load_aiff,load_voc,load_ogg,wavestream,music_ogg,dynamic_ogg}.c

  rm -rf "$prefix"
  mv "$prefix.tmp" "$prefix"
  say "libraries ready in $prefix"
}

if [ ! -f "$prefix/lib/libSDL_mixer.a" ]; then build_libraries; fi
[ "${1:-}" = "--libraries-only" ] && exit 0

# --- Assets: the native build generates them ------------------------------------
case $native in /*) assets=$native/assets ;; *) assets=$root/$native/assets ;; esac
if [ ! -f "$assets/.generated" ]; then
  say "generating the assets with the native build in $native"
  scripts/setup/setup.sh --game "$native"
fi

# --- The same pictures in fewer bytes ----------------------------------------------
# Each PNG file's pixel data stored again with better filters and deflate
# settings (optipng, keeping its colour type, bit depth, palette and chunks),
# each result cached by the file's hash; then every picture is decoded from
# both folders as the game loads it and compared pixel for pixel: any
# difference, and the build takes the generated files as they are.
web_assets=$out/assets
if [ ! -f "$out/assets.made" ] || [ "$assets/.generated" -nt "$out/assets.made" ]; then
  say "storing the pictures in fewer bytes"
  rm -rf "$web_assets.tmp" && mkdir -p "$out" "$cache/png"
  cp -a "$assets" "$web_assets.tmp"
  find "$web_assets.tmp" -name '*.png' -print0 | xargs -0 -P "$jobs" -n 8 sh -c '
    cache=$1; shift
    for f; do
      c=$cache/$(sha256sum "$f" | cut -c1-64).png
      if [ ! -f "$c" ]; then
        rm -f "$c.$$"
        optipng -quiet -o2 -nc -nb -np -out "$c.$$" "$f" 2>/dev/null || true
        [ -s "$c.$$" ] || cp "$f" "$c.$$"
        mv "$c.$$" "$c"
      fi
      cp "$c" "$f"
    done' _ "$cache/png"
  if GRAZE_BUILD=$(cd "$native" && pwd) scripts/testing/compare_decoded_pictures.sh "$assets" \
    "$web_assets.tmp" >"$out/pictures-check.log" 2>&1; then
    rm -rf "$web_assets" && mv "$web_assets.tmp" "$web_assets"
  else
    say "the smaller pictures differ or could not be checked ($out/pictures-check.log): the generated ones go in"
    rm -rf "$web_assets" "$web_assets.tmp" && cp -a "$assets" "$web_assets"
  fi
  touch "$out/assets.made"
fi

# --- The music in fewer bytes -----------------------------------------------------
# The music is most of the download: the page gets its own copies, decoded and
# encoded again at a lower Vorbis quality (oggenc -q -1, about 45 kbit/s),
# each cached by the file's hash. With the native build's loudness meter at
# hand, a copy whose integrated loudness moved by more than 0.5 LU is left out
# and the generated file goes in.
music_quality=-1
meter=$(cd "$native" 2>/dev/null && pwd)/tools/loudness/graze-loudness
if [ ! -f "$out/music.made" ] || [ "$out/assets.made" -nt "$out/music.made" ]; then
  say "encoding the page's copies of the music (quality $music_quality)"
  mkdir -p "$cache/ogg"
  : >"$out/music.log"
  for f in "$web_assets"/Sound/*.ogg; do
    c=$cache/ogg/$(sha256sum "$f" | cut -c1-64)-q$music_quality.ogg
    if [ ! -f "$c" ]; then
      oggdec -Q -o "$c.wav" "$f" && oggenc -Q -q "$music_quality" -o "$c.tmp" "$c.wav" && mv "$c.tmp" "$c"
      rm -f "$c.wav" "$c.tmp"
    fi
    [ -s "$c" ] || { say "could not encode $f again: it goes in as it is"; continue; }
    if [ -x "$meter" ]; then
      moved=$("$meter" "$f" "$c" | awk 'NR == 2 { a = $2 } NR == 3 { d = $2 - a; print (d < 0 ? -d : d) }')
      echo "$(basename "$f"): $(stat -c %s "$f") -> $(stat -c %s "$c") bytes, loudness moved ${moved:-?} LU" >>"$out/music.log"
      if [ -z "$moved" ] || awk -v m="$moved" 'BEGIN { exit !(m > 0.5) }'; then
        say "$(basename "$f") would move by ${moved:-?} LU: it goes in as it is"
        continue
      fi
    fi
    cp "$c" "$f"
  done
  touch "$out/music.made"
fi

# --- The game -----------------------------------------------------------------
launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
emcmake cmake -S . -B "$out/cmake" -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
  -DGRAZE_WEB_PREFIX="$prefix" -DGRAZE_WEB_ASSETS="$web_assets" >/dev/null
# graze.data is packed at link time: new assets link the game again.
[ "$out/music.made" -nt "$out/cmake/graze.data" ] && rm -f "$out/cmake/graze.js"
cmake --build "$out/cmake" -j"$jobs"

site=$out/site
mkdir -p "$site"
cp -p "$out/cmake"/graze.js "$out/cmake"/graze.wasm "$out/cmake"/graze.data "$site/"
cp -p README.md "$site/README.md"
icon=$(dirname "$assets")/icons/32x32/apps/graze.png
if [ -f "$icon" ]; then cp "$icon" "$site/icon.png"; else say "no icon in $icon"; fi
# The page with each file's size and CRC-32 (and the project's address when
# GRAZE_PROJECT_URL names one), checked by the page before the game starts.
python3 - "$site" "${GRAZE_PROJECT_URL:-}" web/index.html >"$site/index.html" <<'PY'
import json, sys, zlib
site, project, template = sys.argv[1], sys.argv[2], sys.argv[3]
manifest = {}
for name in ("graze.js", "graze.wasm", "graze.data"):
    crc, size = 0, 0
    with open(f"{site}/{name}", "rb") as f:
        while block := f.read(1 << 20):
            crc, size = zlib.crc32(block, crc), size + len(block)
    manifest[name] = {"size": size, "crc32": crc}
if project:
    manifest["project"] = project
page = open(template, encoding="utf-8").read()
marker = '<script id="manifest" type="application/json">{}</script>'
assert marker in page, "index.html has lost its manifest"
print(page.replace(marker, marker.replace("{}", json.dumps(manifest))), end="")
PY
# The page's style and its ES modules (web/js/), loaded as they are: no bundler.
rm -rf "$site/js" && mkdir -p "$site/js"
cp -p web/page.css "$site/page.css"
cp -p web/js/*.js "$site/js/"
# Precompressed copies, remade only when their file changed.
for f in index.html page.css graze.js graze.wasm graze.data README.md $(cd "$site" && echo js/*.js); do
  if [ ! -f "$site/$f.gz" ] || [ "$site/$f" -nt "$site/$f.gz" ]; then gzip -9nkf "$site/$f"; fi
  if [ ! -f "$site/$f.br" ] || [ "$site/$f" -nt "$site/$f.br" ]; then brotli -q "${GRAZE_BROTLI_QUALITY:-9}" -w 24 -kf "$site/$f"; fi
done
say "the site is in $site ($(du -sh --apparent-size "$site" | cut -f1) with its compressed copies); serve it with scripts/web/serve_web.sh"
