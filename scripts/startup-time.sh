#!/bin/sh
# Measures how long 词帆 takes from exec to its start window being mapped on an X display.
# Usage: DISPLAY=:99 scripts/startup-time.sh [runs] [program]
# Prints one time in milliseconds per run, then the median.
set -eu
runs=${1:-11}
prog=${2:-build/cifan-app/cifan}
title="岚舟工作室-词帆（初级）"
times=""
i=0
while [ "$i" -lt "$runs" ]; do
  start=$(date +%s%N)
  "$prog" >/dev/null 2>&1 &
  pid=$!
  until xwininfo -name "$title" 2>/dev/null | grep -q "IsViewable"; do :; done
  end=$(date +%s%N)
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  ms=$(( (end - start) / 1000000 ))
  echo "$ms"
  times="$times $ms"
  i=$((i + 1))
done
echo "$times" | tr ' ' '\n' | grep . | sort -n | awk '{a[NR]=$1} END {print "median ms:", a[int((NR+1)/2)]}'
