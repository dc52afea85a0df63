#!/usr/bin/env bash
# Installs every Debian package that building, playing and testing Sorca
# needs, then configures and builds the project into build/.
# Safe to run again: it installs only what is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  # tool chain
  build-essential cmake ninja-build pkg-config python3
  # engine and game libraries
  libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev libglew-dev libgl-dev
  libgl1-mesa-dri libfreetype-dev libfontconfig-dev
  # fonts: Liberation stands in for Times New Roman; Cabin is the game's lettering
  fonts-liberation2 fonts-cabin fonts-cabinsketch
  # asset pipeline
  librsvg2-bin imagemagick libjpeg-turbo-progs vorbis-tools sox
  # headless tests and benchmarks
  xvfb xauth openbox x11-utils xdotool googletest libgtest-dev libbenchmark-dev
  # fuzzing: clang with libFuzzer and the sanitizer run-times
  clang libclang-rt-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"
