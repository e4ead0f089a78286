#!/bin/sh
# Measures how long 词帆 takes from exec until its start window is mapped on the X display in
# $DISPLAY (start Xvfb first). Polling xwininfo adds a few milliseconds to each figure.
# Usage: DISPLAY=:99 scripts/startup-time.sh [runs] [program]
set -u
runs=${1:-11}
prog=$(realpath "${2:-build/cifan-app/cifan}")
title="岚舟工作室-词帆（初级）"
cd "$(dirname "$prog")"
out=""
i=0
while [ "$i" -lt "$runs" ]; do
  start=$(date +%s%N)
  "$prog" >/dev/null 2>&1 &
  pid=$!
  n=0
  until xwininfo -name "$title" 2>/dev/null | grep -q IsViewable; do
    n=$((n + 1))
    if [ "$n" -gt 5000 ]; then echo "no window after $n polls" >&2; break; fi
  done
  end=$(date +%s%N)
  kill -9 "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  ms=$(( (end - start) / 1000000 ))
  echo "run $((i + 1)): $ms ms"
  out="$out $ms"
  i=$((i + 1))
  sleep 0.3
done
echo "$out" | tr ' ' '\n' | grep . | sort -n | awk '{a[NR] = $1} END {print "median:", a[int((NR + 1) / 2)], "ms"}'
