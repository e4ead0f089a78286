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
targets="fuzz_settingsline fuzz_settingsreaders fuzz_helplayout fuzz_helpreply fuzz_helpfile fuzz_romaji"
pids=""
for target in $targets; do
  corpus=$build/fuzz/corpus/$target
  mkdir -p "$corpus" "$build/fuzz/findings/$target"
  seeds=$root/fuzz/corpus/$target
  extra=""
  timeout=5
  if [ "$target" = fuzz_helplayout ]; then
    extra="$root/tests/data/damaged-help"
  fi
  if [ "$target" = fuzz_helpfile ]; then
    extra="$root/tests/data/damaged-help"
    # The help file built with the program is the one sound file to start from.
    cp "$build/cifan-app/帮助.chm" "$corpus/built-help.chm"
    timeout=10 # each input starts the help reader, which has two seconds
  fi
  "$build/fuzz/$target" -max_total_time="$seconds" -timeout=$timeout -print_final_stats=1 \
    -artifact_prefix="$build/fuzz/findings/$target/" "$corpus" "$seeds" $extra \
    >"$build/fuzz/$target.log" 2>&1 &
  pids="$pids $!"
  echo "$target: log in $build/fuzz/$target.log"
done
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
