#!/usr/bin/env bash
# Builds Sorca for the browser into build-web/ and serves it on 127.0.0.1.
#
#   scripts/web.sh            install what is missing, build, serve on port 8080
#   scripts/web.sh --build    the same without serving (the web test uses this)
#   scripts/web.sh --port N   serve on another port
#   scripts/web.sh --libraries  only the libraries under build-web/deps/
#
# Debian's emscripten cannot fetch its SDL2 ports offline, so SDL2 and the
# libraries under it are built from Debian's own source packages, once, into
# build-web/deps/ (later runs reuse them). The packed Resources/ come from the
# desktop asset builder in build/.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
ROOT=$PWD
WEB=$ROOT/build-web
DEPS=$WEB/deps
PREFIX=$DEPS/prefix
SERVE=1
LIBRARIES_ONLY=0
PORT=8080
while [[ $# -gt 0 ]]; do
  case "$1" in
    --build) SERVE=0 ;;
    --libraries) LIBRARIES_ONLY=1 ;;
    --port) PORT=$2; shift ;;
    *) echo "web.sh: unknown option $1 (try --build or --port N)" >&2; exit 2 ;;
  esac
  shift
done

# Debian's emcc finds acorn there at -O1 and above; CMake's test programs run
# under node without the threads flag Node 20 rejects.
export NODE_PATH=/usr/share/nodejs
NODE_EMULATOR='/usr/bin/node;--no-experimental-fetch'
log() { echo "== $*"; }

install_missing_packages() {
  local missing=()
  command -v emcc >/dev/null || missing+=(emscripten)
  command -v chromium >/dev/null || missing+=(chromium)
  command -v node >/dev/null || missing+=(nodejs)
  command -v ninja >/dev/null || missing+=(ninja-build)
  command -v dpkg-source >/dev/null || missing+=(dpkg-dev)
  if [[ ${#missing[@]} -gt 0 ]]; then
    log "installing ${missing[*]}"
    $(sudo_if_needed) apt-get install -y --no-install-recommends "${missing[@]}"
  fi
}

sudo_if_needed() { [[ $(id -u) -eq 0 ]] || echo sudo; }

# apt-get source needs a deb-src line for the archive the binaries come from.
enable_source_packages() {
  if apt-cache showsrc libsdl2 2>/dev/null | grep -q '^Version:'; then return; fi
  log "adding deb-src entries for the same archive"
  local list=/etc/apt/sources.list.d/debian.sources
  if [[ -f $list ]]; then
    sed 's/^Types: deb$/Types: deb-src/' "$list" | $(sudo_if_needed) tee /etc/apt/sources.list.d/sorca-web-src.sources >/dev/null
  else
    grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' | $(sudo_if_needed) tee /etc/apt/sources.list.d/sorca-web-src.list >/dev/null
  fi
  $(sudo_if_needed) apt-get update -qq
}

# Fetches one source package into $DEPS/src/<package>. A security update's
# source is sometimes missing from the archive: fall back to the older
# versions it lists (the main release's) until one downloads.
fetch_source() {
  local package=$1 dir=$DEPS/src/$package
  [[ -f $dir/.unpacked ]] && return
  rm -rf "$dir" && mkdir -p "$dir"
  local version
  for version in $(apt-cache showsrc "$package" | sed -n 's/^Version: //p' | sort -u -r -V); do
    if (cd "$dir" && apt-get source -qq "$package=$version" >/dev/null 2>&1); then
      local tree
      tree=$(find "$dir" -mindepth 1 -maxdepth 1 -type d | head -1)
      echo "$tree" > "$dir/.unpacked"
      log "$package $version"
      return
    fi
    echo "   $package $version: source not downloadable, trying an older one"
  done
  echo "web.sh: no source of $package could be fetched" >&2
  exit 1
}

source_tree() { cat "$DEPS/src/$1/.unpacked"; }

# One static library straight from its sources. Configuring with CMake
# would run hundreds of emcc checks (SDL2's alone take an hour on a busy
# machine); the browser is one known platform, so each library gets its few
# settings here and its files are compiled as they are.
#   build_archive <name> "<compile flags>" <source files...>
build_archive() {
  local name=$1 flags=$2; shift 2
  local dir=$DEPS/build/$name objects="" file object
  mkdir -p "$dir/obj" "$PREFIX/lib"
  {
    echo "rule cc"
    echo "  command = emcc -O2 $flags -c \$in -o \$out"
    echo "rule ar"
    echo "  command = rm -f \$out && emar rcs \$out \$in"
    for file in "$@"; do
      object=$dir/obj/${file//\//_}.o
      echo "build $object: cc $file"
      objects+=" $object"
    done
    echo "build $PREFIX/lib/lib$name.a: ar$objects"
  } > "$dir/build.ninja"
  nice ninja -C "$dir" -j 3 -k 0 > "$dir.log" 2>&1 \
    || { tail -30 "$dir.log"; echo "web.sh: building $name failed (log: $dir.log)" >&2; exit 1; }
}

# Runs one library's build once; its stamp marks it done.
build_once() {
  local name=$1; shift
  [[ -f $DEPS/stamps/$name ]] && return 0
  log "building $name"
  "$@" || return 1
  mkdir -p "$DEPS/stamps" && touch "$DEPS/stamps/$name"
}

copy_headers() { local to=$PREFIX/include/$1; shift; mkdir -p "$to" && cp "$@" "$to/"; }

build_zlib() {
  local tree; tree=$(source_tree zlib)
  # Debian's tree may still hold the copy a CMake run renamed.
  [[ -f $tree/zconf.h ]] || cp "$tree/zconf.h.included" "$tree/zconf.h" 2>/dev/null || cp "$tree/zconf.h.in" "$tree/zconf.h"
  build_archive z "-DHAVE_UNISTD_H -DHAVE_STDARG_H" "$tree"/{adler32,compress,crc32,deflate,gzclose,gzlib,gzread,gzwrite,infback,inffast,inflate,inftrees,trees,uncompr,zutil}.c
  copy_headers "" "$tree/zlib.h" "$tree/zconf.h"
}

build_png() {
  local tree; tree=$(source_tree libpng1.6)
  cp "$tree/scripts/pnglibconf.h.prebuilt" "$tree/pnglibconf.h"
  build_archive png16 "-I$PREFIX/include -DPNG_ARM_NEON_OPT=0" \
    "$tree"/{png,pngerror,pngget,pngmem,pngpread,pngread,pngrio,pngrtran,pngrutil,pngset,pngtrans,pngwio,pngwrite,pngwtran,pngwutil}.c
  copy_headers "" "$tree"/{png,pngconf,pnglibconf}.h
}

build_jpeg() {
  local tree; tree=$(source_tree libjpeg-turbo)
  cat > "$tree/jconfig.h" <<'CONFIG'
#define JPEG_LIB_VERSION 62
#define LIBJPEG_TURBO_VERSION 2.1.5
#define LIBJPEG_TURBO_VERSION_NUMBER 2001005
#define C_ARITH_CODING_SUPPORTED 1
#define D_ARITH_CODING_SUPPORTED 1
#define MEM_SRCDST_SUPPORTED 1
#define BITS_IN_JSAMPLE 8
CONFIG
  cat > "$tree/jconfigint.h" <<'CONFIG'
#define BUILD "sorca-web"
#undef inline
#define INLINE __inline__ __attribute__((always_inline))
#define THREAD_LOCAL __thread
#define PACKAGE_NAME "libjpeg-turbo"
#define VERSION "2.1.5"
#define SIZEOF_SIZE_T 4
#define HAVE_BUILTIN_CTZL
#define FALLTHROUGH __attribute__((fallthrough));
CONFIG
  sed 's/@COPYRIGHT_YEAR@/1991-2023/' "$tree/jversion.h.in" > "$tree/jversion.h"
  build_archive jpeg "" "$tree"/{jcapimin,jcapistd,jccoefct,jccolor,jcdctmgr,jchuff,jcicc,jcinit,jcmainct,jcmarker,jcmaster,jcomapi,jcparam,jcphuff,jcprepct,jcsample,jctrans,jdapimin,jdapistd,jdatadst,jdatasrc,jdcoefct,jdcolor,jddctmgr,jdhuff,jdicc,jdinput,jdmainct,jdmarker,jdmaster,jdmerge,jdphuff,jdpostct,jdsample,jdtrans,jerror,jfdctflt,jfdctfst,jfdctint,jidctflt,jidctfst,jidctint,jidctred,jquant1,jquant2,jutils,jmemmgr,jmemnobs,jaricom,jcarith,jdarith,jsimd_none}.c
  copy_headers "" "$tree"/{jpeglib,jconfig,jmorecfg,jerror}.h
}

build_ogg() {
  local tree; tree=$(source_tree libogg)
  cat > "$tree/include/ogg/config_types.h" <<'CONFIG'
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
CONFIG
  build_archive ogg "-I$tree/include" "$tree"/src/{bitwise,framing}.c
  copy_headers ogg "$tree"/include/ogg/{ogg,os_types,config_types}.h
}

build_vorbis() {
  local tree; tree=$(source_tree libvorbis)
  local flags="-I$tree/include -I$tree/lib -I$PREFIX/include"
  build_archive vorbis "$flags" "$tree"/lib/{analysis,bitrate,block,codebook,envelope,floor0,floor1,info,lookup,lpc,lsp,mapping0,mdct,psy,registry,res0,sharedbook,smallft,synthesis,window}.c
  build_archive vorbisfile "$flags" "$tree/lib/vorbisfile.c"
  copy_headers vorbis "$tree"/include/vorbis/{codec,vorbisfile}.h
}

# The modules a TrueType face needs; fontconfig's picks are TrueType files.
build_freetype() {
  local tree; tree=$(source_tree freetype)
  cat > "$tree/sorca_ftmodule.h" <<'CONFIG'
FT_USE_MODULE( FT_Module_Class, autofit_module_class )
FT_USE_MODULE( FT_Driver_ClassRec, tt_driver_class )
FT_USE_MODULE( FT_Module_Class, sfnt_module_class )
FT_USE_MODULE( FT_Renderer_Class, ft_smooth_renderer_class )
FT_USE_MODULE( FT_Module_Class, psnames_module_class )
FT_USE_MODULE( FT_Module_Class, pshinter_module_class )
CONFIG
  build_archive freetype "-DFT2_BUILD_LIBRARY -DFT_CONFIG_MODULES_H=\\\"$tree/sorca_ftmodule.h\\\" -DFT_CONFIG_OPTION_SYSTEM_ZLIB -I$tree/include -I$PREFIX/include" \
    "$tree"/src/base/{ftsystem,ftinit,ftdebug,ftbase,ftbbox,ftbitmap,ftglyph,ftsynth,ftmm}.c \
    "$tree"/src/{autofit/autofit,truetype/truetype,sfnt/sfnt,smooth/smooth,psnames/psnames,pshinter/pshinter,gzip/ftgzip}.c
  mkdir -p "$PREFIX/include/freetype2" && cp -r "$tree/include/freetype" "$tree/include/ft2build.h" "$PREFIX/include/freetype2/"
}

# SDL2's own header picks its settings for Emscripten; every driver file is
# compiled and those the settings leave out come to nothing.
build_sdl() {
  local tree; tree=$(source_tree libsdl2)
  local src=$tree/src directory files=()
  for directory in . atomic audio audio/emscripten audio/disk audio/dummy cpuinfo dynapi events file \
      filesystem/emscripten haptic haptic/dummy joystick joystick/emscripten libm loadso/dlopen locale \
      locale/emscripten misc misc/emscripten power power/emscripten render render/opengles2 render/software \
      sensor sensor/dummy stdlib thread thread/generic timer timer/unix video video/emscripten video/yuv2rgb; do
    files+=("$src/$directory"/*.c)
  done
  build_archive SDL2 "-I$tree/include -I$src/video/khronos" "${files[@]}"
  copy_headers SDL2 "$tree"/include/*.h
}

build_sdl_image() {
  local tree; tree=$(source_tree libsdl2-image)
  build_archive SDL2_image "-I$PREFIX/include/SDL2 -I$PREFIX/include -DLOAD_PNG -DLOAD_JPG -DSDL_IMAGE_USE_COMMON_BACKEND" \
    "$tree"/{IMG,IMG_png,IMG_jpg,IMG_bmp,IMG_gif,IMG_lbm,IMG_pcx,IMG_pnm,IMG_qoi,IMG_svg,IMG_tga,IMG_xcf,IMG_xpm,IMG_xv,IMG_xxx,IMG_avif,IMG_jxl,IMG_tif,IMG_webp}.c
  copy_headers SDL2 "$tree/SDL_image.h"
}

build_sdl_mixer() {
  local tree; tree=$(source_tree libsdl2-mixer)
  build_archive SDL2_mixer "-I$PREFIX/include/SDL2 -I$PREFIX/include -I$tree/include -I$tree/src -I$tree/src/codecs -DMUSIC_WAV -DMUSIC_OGG" \
    "$tree"/src/*.c "$tree"/src/codecs/*.c
  copy_headers SDL2 "$tree/include/SDL_mixer.h"
}

build_libraries() {
  mkdir -p "$DEPS/src" "$DEPS/build" "$PREFIX"
  local package
  for package in zlib libpng1.6 libjpeg-turbo libogg libvorbis freetype libsdl2 libsdl2-image libsdl2-mixer; do
    fetch_source "$package"
  done
  build_once zlib build_zlib
  build_once png build_png
  build_once jpeg build_jpeg
  build_once ogg build_ogg
  build_once vorbis build_vorbis
  build_once freetype build_freetype
  build_once sdl build_sdl
  build_once sdl_image build_sdl_image
  build_once sdl_mixer build_sdl_mixer
}

# The asset builder is a desktop program: the packed Resources/ come from the
# desktop build tree.
build_resources() {
  log "building Resources/ with the desktop asset builder"
  if [[ ! -f build/CMakeCache.txt ]]; then
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  fi
  nice cmake --build build -j2 --target resources
}

build_game() {
  log "building Sorca for the browser"
  nice emcmake cmake -S . -B "$WEB/game" -G Ninja -Wno-dev -DCMAKE_BUILD_TYPE=Release \
    -DSORCA_WEB_PREFIX="$PREFIX" -DCMAKE_PREFIX_PATH="$PREFIX" -DCMAKE_FIND_ROOT_PATH="$PREFIX" \
    -DSORCA_WEB_RESOURCES="$ROOT/build/Resources" -DSORCA_BUILD_TESTS=OFF -DSORCA_BUILD_BENCH=OFF \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$NODE_EMULATOR" > "$WEB/game-configure.log" 2>&1 \
    || { tail -30 "$WEB/game-configure.log"; exit 1; }
  nice cmake --build "$WEB/game" -j2 --target sorca
  for file in sorca.js sorca.wasm sorca.data; do cp "$WEB/game/$file" "$WEB/"; done
  cp web/index.html "$WEB/index.html"
  log "built: $WEB/index.html"
}

# Sourced (by the web test) for its functions only.
[[ "${BASH_SOURCE[0]}" != "$0" ]] && return 0
install_missing_packages
enable_source_packages
build_libraries
[[ $LIBRARIES_ONLY -eq 1 ]] && exit 0
build_resources
build_game
if [[ $SERVE -eq 1 ]]; then
  log "serving on http://127.0.0.1:$PORT/ (Ctrl+C stops)"
  exec node web/serve.mjs "$WEB" "$PORT"
fi
