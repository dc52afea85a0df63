#!/usr/bin/env bash
# Sets up and builds Sorca, then runs the whole test suite headless: a private
# X server (Xvfb, Mesa's software OpenGL) with a light window manager, and
# SDL's dummy audio driver.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

source scripts/headless.sh

# One test at a time: tests that open windows share the X display, and a
# window of a parallel test would take the focus and the pointer. The soak
# plays three whole games here (SORCA_SOAK_GAMES=10 for the full ten).
export SORCA_SOAK_GAMES="${SORCA_SOAK_GAMES:-3}"
(cd build && ctest --output-on-failure "$@")
