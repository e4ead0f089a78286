#!/bin/sh
# Drives the real 词帆 under its own Xvfb (with openbox) through a whole session and prints its
# peak and current resident memory, and the CJK font files it has mapped, at each step:
#   start window; practice window with a range; 1,000 answered questions; every other window
#   (query with a lookup, study paged, kana comparison, about, help). The answers are wrong ones
#   ("x"): the input method that types kana is not there to drive.
#
# Needs: scripts/setup-deps.sh measure (xdotool). Keys and clicks go to the real windows.
# Usage: scripts/memory-session.sh [cifan executable] [answers]   (defaults: build/cifan-app/cifan, 1000)
# Env:   MEMORY_DISPLAY  X display number for its own Xvfb (default :98)
#        MEMORY_SHOTS    a folder: a screenshot of each step is saved there
set -eu
here=$(cd "$(dirname "$0")" && pwd)
cifan=$(realpath "${1:-$here/../build/cifan-app/cifan}")
answers=${2:-1000}
display=${MEMORY_DISPLAY:-:98}
shots=${MEMORY_SHOTS:-}
command -v xdotool >/dev/null || { echo "xdotool is not installed (apt-get install xdotool)" >&2; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/cifan-memory.XXXXXX")

Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1
DISPLAY=$display openbox >/dev/null 2>&1 &
wm=$!
trap 'kill $pid $wm $xvfb 2>/dev/null; rm -rf "$work"' EXIT INT TERM
export DISPLAY="$display"
sleep 1

(cd "$work" && HOME=$work exec "$cifan") >/dev/null 2>&1 &
pid=$!

# Waits for a window whose title matches $1 and prints its id.
window() {
  n=0
  until w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1) && [ -n "$w" ]; do
    n=$((n + 1))
    [ "$n" -gt 300 ] && { echo "no window \"$1\"" >&2; exit 1; }
    sleep 0.1
  done
  echo "$w"
}
# Clicks at a point given relative to a window's top-left corner.
click_in() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + $2)) $((Y + $3)) click 1
}
# Prints one row: the step, peak and current RSS in MiB, and each CJK font file mapped with its
# resident kilobytes.
report() {
  sleep 0.5
  peak=$(awk '/^VmHWM/ {print $2}' "/proc/$pid/status")
  now=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")
  fonts=$(awk '/^[0-9a-f]+-/ {f = $6} /^Rss:/ {if (f ~ /CJK/) r[f] += $2}
               END {for (k in r) {n = split(k, p, "/"); printf "%s %d kB; ", p[n], r[k]}}' "/proc/$pid/smaps")
  printf '%-28s peak %6.1f MiB  now %6.1f MiB  CJK files: %s\n' "$1" "$(echo "$peak / 1024" | bc -l)" \
    "$(echo "$now / 1024" | bc -l)" "${fonts:-none}"
  [ -n "$shots" ] && import -window root "$shots/$(echo "$1" | tr ' ,' '__').png" 2>/dev/null
  return 0
}

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
start=$(window "岚舟工作室-词帆")
sleep 1
report "start window"

# The practice picture, then the range dialog's default (the first unit) with Enter.
click_in "$start" 320 129
window "选择练习范围" >/dev/null
report "range dialog"
xdotool key Return
practice=$(window "练习模式")
report "practice with a range"

# Questions in order: "出题" by Enter, a wrong answer, Enter; the title counts the questions.
# A message box (the end of the range) takes its own Enter.
while :; do
  title=$(xdotool getwindowname "$practice" 2>/dev/null || true)
  count=$(echo "$title" | sed -n 's/.*一共练习\([0-9]*\)个词.*/\1/p')
  [ "${count:-0}" -ge "$answers" ] && break
  xdotool key Return
  xdotool type --delay 1 x
  xdotool key Return
  [ "$(xdotool getactivewindow)" = "$practice" ] || xdotool key Return
done
report "$count answers"

# Every other window. Query (F2; the practice window asks whether to keep its state: Enter),
# a lookup typed in rōmaji (F8) in the kana box; study (F4), paged; the kana comparison (F5);
# about (its menu item); help (F1).
xdotool key F2
window "询问" >/dev/null
xdotool key Return
window "单词查询" >/dev/null
xdotool key F8 Tab
xdotool type --delay 10 gakusei
xdotool key Return
report "query window, a lookup"
xdotool key F4
study=$(window "单词学习")
xdotool key Down Down Down Down Down Down
report "study window, paged"
xdotool key F5
sleep 1
report "comparison window"
# It opens in the middle of the screen and closes on a double click.
xdotool mousemove 640 400 click --repeat 2 1
sleep 1
click_in "$study" 105 11
sleep 1
report "about window"
xdotool key Escape
xdotool key F1
sleep 2
report "help viewer"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
