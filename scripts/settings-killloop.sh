#!/bin/sh
# Kills a program that saves every settings file (tools/savestorm.cpp, the program's own writer)
# with SIGKILL at random moments, ROUNDS times (default 400). After each kill every file must hold
# its old or its new content; temporaries left in sous/ are counted. At the end one more start
# (the program's own start-up code) must leave no temporary behind.
#   scripts/settings-killloop.sh [build-dir] [rounds]
set -eu
build=${1:-build}
rounds=${2:-400}
storm="$build/savestorm"
[ -x "$storm" ] || { echo "build the target savestorm first: cmake --build $build --target savestorm"; exit 2; }
app=$(mktemp -d)
trap 'rm -rf "$app"' EXIT
mkdir -p "$app/pic" "$app/sous"
sous="$app/sous"
temporaries() { find "$sous" -maxdepth 1 -name '.*.tmp' | wc -l; }
torn=0
leftByKills=0
before=0
round=1
while [ "$round" -le "$rounds" ]; do
  "$storm" save "$sous" &
  pid=$!
  # 0..299 ms: through start-up and steady saving.
  sleep "0.$(printf '%03d' $(($(od -An -N2 -tu2 /dev/urandom | tr -d ' ') % 300)))"
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  if ! "$storm" check "$sous"; then
    echo "round $round: a file is neither old nor new"
    torn=$((torn + 1))
  fi
  now=$(temporaries)
  leftByKills=$((leftByKills + now - before))
  before=$now
  round=$((round + 1))
done
pileBeforeStart=$(temporaries)
[ "$pileBeforeStart" -eq "$leftByKills" ] || echo "note: $leftByKills counted round by round"
"$storm" start "$app" >/dev/null
afterStart=$(temporaries)
files=$("$storm" names | wc -l)
echo "rounds: $rounds over $files settings files ($("$storm" names | tr '\n' ' '))"
echo "files neither old nor new: $torn"
echo "temporaries left by the kills (in sous/ before the next start): $pileBeforeStart"
echo "temporaries after one more start: $afterStart"
[ "$torn" -eq 0 ] && [ "$afterStart" -eq 0 ]
