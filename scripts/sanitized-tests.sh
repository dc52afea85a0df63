#!/usr/bin/env bash
# Builds the engine and the game with AddressSanitizer (leak checks on) and
# UndefinedBehaviorSanitizer into build-asan, and runs the engine and game
# tests there, the whole-game runs among them. Any report fails its test.
# scripts/test.sh runs it last; run alone, it sets up the packages and a
# headless display first, as scripts/test.sh does.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${SORCA_HEADLESS_DISPLAY:-}" ]; then
  scripts/setup.sh
  source scripts/headless.sh
fi

started=$SECONDS
# -O1 and line tables only: a quarter of the build time of -O2 -g, and every
# report still names file and line.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG" -DSORCA_SANITIZE=ON -DSORCA_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan -j "$(nproc)" --target engine_tests game_tests sorca

supp="$PWD/tests/sanitizers"
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:suppressions=$supp/ubsan.supp"
status=0
(cd build-asan && ctest --output-on-failure -L '^(engine_tests|game_tests)$' "$@") || status=$?
echo "Sanitizer build and run: $((SECONDS - started)) s"
exit $status
