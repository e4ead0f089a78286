#!/bin/sh
# Times 词帆, Kanatest (a GTK kana trainer; apt-get install kanatest) and a bare Qt 6 window with a
# CJK label from exec to the first painted text, in the same rounds, and prints the ratios.
#
# Needs: scripts/setup-deps.sh measure (kanatest, libx11-dev, libxdamage-dev).
# Usage: scripts/startup-race.sh [rounds] [cifan executable]      (defaults: 30, build/cifan-app/cifan)
# Env:   RACE_DISPLAY    X display number to start its own Xvfb on (default :97)
#        RACE_XVFB_ARGS  more arguments for that Xvfb, e.g. -noreset: by default the server resets
#                        whenever its last client leaves, i.e. before every program measured
#
# Each round runs the three programs one after another in an order rotated from round to round,
# each with a fresh empty HOME, on an Xvfb with no window manager and no other client. "Painted
# text" is judged the same way for all three by scripts/firstpaint.c (the moment the X server
# reports the first drawing after which the window is not uniform). The figures are the medians over the rounds of each program's
# time and of the per-round ratios. The machine's load is printed before and after.
set -eu
rounds=${1:-30}
here=$(cd "$(dirname "$0")" && pwd)
cifan=$(realpath "${2:-$here/../build/cifan-app/cifan}")
display=${RACE_DISPLAY:-:97}
work=${TMPDIR:-/tmp}/cifan-startup-race.$$
mkdir -p "$work"

command -v kanatest >/dev/null || { echo "kanatest is not installed (apt-get install kanatest)" >&2; exit 1; }
[ -x "$cifan" ] || { echo "no executable $cifan (build it first)" >&2; exit 1; }

# The poller and the bare Qt window, built for this run.
cc -O2 "$here/firstpaint.c" -o "$work/firstpaint" -lX11 -lXext -lXdamage
# shellcheck disable=SC2046
c++ -O2 -fPIC -std=c++17 "$here/bare-cjk-window.cpp" -o "$work/bare" $(pkg-config --cflags --libs Qt6Widgets)

# shellcheck disable=SC2086 # the extra arguments are meant to split
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp ${RACE_XVFB_ARGS:-} >"$work/xvfb.log" 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT INT TERM
sleep 1
export DISPLAY="$display"

time_one() { # name command...
  home=$(mktemp -d "$work/home.XXXXXX")
  ms=$(cd "$home" && HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share \
         XDG_CACHE_HOME=$home/.cache "$work/firstpaint" "$@" 2>>"$work/errors") || ms="NA NA"
  rm -rf "$home"
  echo "$ms" | tr ' ' :
}

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)  ($(nproc) cores)"
echo "round cifan kanatest bare cifan/kanatest cifan/bare (wall ms; then CPU ms of each)" >"$work/table"
r=0
while [ "$r" -lt "$rounds" ]; do
  c=NA:NA k=NA:NA b=NA:NA
  for i in 0 1 2; do
    case $(((r + i) % 3)) in
      0) c=$(time_one "$cifan") ;;
      1) k=$(time_one kanatest) ;;
      2) b=$(time_one "$work/bare") ;;
    esac
    sleep 0.2
  done
  echo "$((r + 1)) $c $k $b" | tr : ' ' | awk '{ printf "%s %s %s %s %.3f %.3f %s %s %s\n", $1, $2, $4, $6,
      ($4 > 0 ? $2 / $4 : 0), ($6 > 0 ? $2 / $6 : 0), $3, $5, $7 }' | tee -a "$work/table"
  r=$((r + 1))
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
grep -h '^firstpaint:' "$work/errors" 2>/dev/null | sort | uniq -c || true
awk 'NR > 1 && $2 != "NA" && $3 != "NA" && $4 != "NA" {
       for (i = 2; i <= 9; i++) v[i, ++n[i]] = $i }
     function median(i,   k, j, t, m) {
       m = n[i]; for (k = 1; k <= m; k++) a[k] = v[i, k]
       for (k = 2; k <= m; k++) { t = a[k]; for (j = k - 1; j >= 1 && a[j] > t; j--) a[j + 1] = a[j]; a[j + 1] = t }
       return m % 2 ? a[(m + 1) / 2] : (a[m / 2] + a[m / 2 + 1]) / 2 }
     END { if (!n[2]) { print "no complete round"; exit 1 }
           printf "rounds: %d\nmedian ms: cifan %.1f  kanatest %.1f  bare Qt %.1f\n", n[2], median(2), median(3), median(4)
           printf "median of per-round ratios: cifan/kanatest %.3f  cifan/bare Qt %.3f\n", median(5), median(6)
           printf "median CPU ms to painted text: cifan %.1f  kanatest %.1f  bare Qt %.1f\n", median(7), median(8), median(9) }' \
  "$work/table"
