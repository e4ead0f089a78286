#!/bin/sh
# Runs every fuzz target of a libFuzzer build (make fuzz) at the same time, each on its own
# corpus folder in the build tree with the committed seeds beside it; SECONDS=0 runs until stopped.
# Usage: scripts/fuzz.sh BUILD_DIR [SECONDS]
set -eu
build=$1
seconds=${2:-0}
root=$(cd "$(dirname "$0")/.." && pwd)
export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export QT_QPA_PLATFORM=offscreen
# One line per target in the build tree's fuzz/targets.txt (fuzz/CMakeLists.txt writes it):
# NAME TIMEOUT [SEED ...]; seed folders are read as corpora, seed files copied into the corpus.
list=$build/fuzz/targets.txt
targets=$(cut -d' ' -f1 "$list")
pids=""
while read -r target timeout extra; do
  corpus=$build/fuzz/corpus/$target
  mkdir -p "$corpus" "$build/fuzz/findings/$target"
  dirs=""
  for seed in $extra; do
    if [ -d "$seed" ]; then
      dirs="$dirs $seed"
    elif [ -f "$seed" ]; then
      cp "$seed" "$corpus/"
    fi
  done
  "$build/fuzz/$target" -max_total_time="$seconds" -timeout="$timeout" -print_final_stats=1 \
    -artifact_prefix="$build/fuzz/findings/$target/" "$corpus" "$root/fuzz/corpus/$target" $dirs \
    >"$build/fuzz/$target.log" 2>&1 &
  pids="$pids $!"
  echo "$target: log in $build/fuzz/$target.log"
done <"$list"
status=0
for pid in $pids; do
  wait "$pid" || status=1
done
for target in $targets; do
  printf '%s: ' "$target"
  grep -E 'stat::number_of_executed_units|ERROR|Done' "$build/fuzz/$target.log" | tr '\n' ' '
  echo
done
exit $status
