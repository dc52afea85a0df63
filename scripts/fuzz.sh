#!/usr/bin/env bash
# Builds a libFuzzer target with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer on), replays every input that ever crashed it,
# then fuzzes it for a bounded time.
#
#   scripts/fuzz.sh NAME SECONDS SOURCE...
#
# NAME names everything that belongs to the target, under tests/fuzz/:
#   NAME.seeds          seed files, one path (from the source root) a line
#   NAME_regressions/   inputs that once crashed it; a new crash lands here
#                       and fails the run (commit it with the fix)
# The binary and the growing corpus live in $FUZZ_OUT (default build/fuzz).
# The compiler is $FUZZ_CXX (default clang++). Exit code 0 only when the
# replay and the whole run found nothing.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

if [ $# -lt 3 ]; then
  echo "usage: scripts/fuzz.sh NAME SECONDS SOURCE..." >&2
  exit 2
fi
name=$1 seconds=$2
shift 2
sources=("$@")
cxx=${FUZZ_CXX:-clang++}
out=${FUZZ_OUT:-$root/build/fuzz}
regressions="$root/tests/fuzz/${name}_regressions"
seeds_list="$root/tests/fuzz/$name.seeds"
binary="$out/$name"
mkdir -p "$out" "$regressions"

fail() {
  echo "fuzz $name: FAILED: $*" >&2
  exit 1
}

if ! command -v "$cxx" >/dev/null 2>&1; then
  fail "no clang compiler ('$cxx'); scripts/setup.sh installs clang and libclang-rt-dev"
fi

# Rebuilt only when a source, a header beside one, or this script is newer.
needs_build=0
[ -x "$binary" ] || needs_build=1
includes=()
for src in "${sources[@]}"; do
  dir=$(dirname "$src")
  includes+=("-I$dir")
  for f in "$src" "$dir"/*.h "$0"; do
    [ -e "$f" ] && [ "$f" -nt "$binary" ] && needs_build=1
  done
done
if [ $needs_build -eq 1 ]; then
  echo "fuzz $name: building with $cxx"
  "$cxx" -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    "${includes[@]}" "${sources[@]}" -o "$binary" ||
    fail "cannot build the target (is libclang-rt-dev installed for -fsanitize=fuzzer?)"
fi

# Every kept crash first: each must now pass.
mapfile -t kept < <(find "$regressions" -type f ! -name README.md | sort)
if [ ${#kept[@]} -gt 0 ]; then
  echo "fuzz $name: replaying ${#kept[@]} kept input(s)"
  "$binary" "${kept[@]}" >"$out/$name-replay.log" 2>&1 ||
    { tail -30 "$out/$name-replay.log" >&2; fail "a kept input crashes it again"; }
fi

seed_dir="$out/$name-seeds"
corpus="$out/$name-corpus"
rm -rf "$seed_dir"
mkdir -p "$seed_dir" "$corpus"
if [ -f "$seeds_list" ]; then
  while IFS= read -r seed; do
    [ -n "$seed" ] && cp "$root/$seed" "$seed_dir/"
  done <"$seeds_list"
fi

echo "fuzz $name: fuzzing for $seconds s"
log="$out/$name.log"
status=0
"$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$regressions/" "$corpus" "$seed_dir" >"$log" 2>&1 || status=$?

stat() { sed -n "s/^stat::$1: *//p" "$log" | tail -1; }
runs=$(stat number_of_executed_units)
rate=$(stat average_exec_per_sec)
corpus_size=$(find "$corpus" -type f | wc -l)
crashes=$(grep -c 'Test unit written to' "$log" || true)
echo "fuzz $name: ${runs:-0} inputs in $seconds s, ${rate:-?} exec/s, corpus $corpus_size, crashes $crashes"
if [ $status -ne 0 ]; then
  grep -E 'ERROR|SUMMARY|runtime error|Test unit written' "$log" | head -20 >&2 || true
  fail "exit status $status; the input is kept in tests/fuzz/${name}_regressions/ (full log: $log)"
fi
