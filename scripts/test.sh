#!/usr/bin/env bash
# Sets up and builds Sorca, then runs the whole test suite headless: a private
# X server (Xvfb, Mesa's software OpenGL) with a light window manager, and
# SDL's dummy audio driver. Then the same engine and game tests again in a
# sanitizer build (scripts/sanitized-tests.sh). Arguments go to both ctest runs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

source scripts/headless.sh

# Two at a time, but the tests that open windows one at a time (they hold
# the "display" lock): the fuzzers run beside them. The soak plays ten whole
# games (SORCA_SOAK_GAMES sets another number).
status=0
(cd build && ctest -j2 --output-on-failure "$@") || status=$?
scripts/sanitized-tests.sh "$@" || status=$?
exit $status
