#!/bin/sh
# Kills a program that writes answers to record.db with SIGKILL at random moments, ROUNDS times
# (default 200), and after each kill checks that the database passes PRAGMA integrity_check and
# holds every answer the writer had reported committed (at most the answer in flight is lost).
#   scripts/record-killloop.sh [build-dir] [rounds]
set -eu
build=${1:-build}
rounds=${2:-200}
writer="$build/recordwriter"
[ -x "$writer" ] || { echo "build the target recordwriter first: cmake --build $build --target recordwriter"; exit 2; }
command -v sqlite3 >/dev/null || { echo "sqlite3 is missing (apt-get install sqlite3)"; exit 2; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
bad=0
round=1
while [ "$round" -le "$rounds" ]; do
  "$writer" "$dir" >"$dir/out" 2>"$dir/err" &
  pid=$!
  # 20..219 ms: through start-up, the first transaction and steady writing.
  sleep "0.$(printf '%03d' $((20 + $(od -An -N2 -tu2 /dev/urandom | tr -d ' ') % 200)))"
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  reported=$(tail -n 1 "$dir/out" 2>/dev/null || true)
  check=$(sqlite3 "$dir/record.db" "PRAGMA integrity_check;" 2>&1)
  # Killed before the first transaction: the file may hold no tables yet.
  rows=$(sqlite3 "$dir/record.db" "SELECT count(*) FROM answers;" 2>/dev/null || echo 0)
  if [ "$check" != ok ]; then
    echo "round $round: integrity_check says: $check"; bad=$((bad + 1))
  elif [ -n "$reported" ] && [ "$rows" -lt "$reported" ]; then
    echo "round $round: $rows answers stored, $reported reported committed"; bad=$((bad + 1))
  fi
  round=$((round + 1))
done
echo "$rounds rounds, $rows answers written in all, $bad failed"
[ "$bad" -eq 0 ]
