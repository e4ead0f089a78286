#!/bin/sh
# Installs the Debian packages the build, the tests and the program need, when any is missing.
# "setup-deps.sh fuzz" also installs clang and libFuzzer, which only `make fuzz` needs;
# "setup-deps.sh measure" what scripts/startup-race.sh and scripts/memory-session.sh need.
set -eu
packages="cmake make g++ qt6-base-dev qt6-base-dev-tools libgl-dev libchm-dev fp-utils
  libqt6sql6-sqlite sqlite3 qt6-translations-l10n fonts-noto-cjk xvfb xauth openbox libbenchmark-dev
  ccache clang-format dpkg-dev file desktop-file-utils appstream libicu-dev libfreetype-dev lld"
if [ "${1:-}" = fuzz ]; then
  packages="$packages clang libclang-rt-dev"
fi
if [ "${1:-}" = measure ]; then
  packages="$packages kanatest xdotool libx11-dev libxext-dev libxdamage-dev"
fi
missing=""
for p in $packages; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  if [ "$(id -u)" -ne 0 ]; then
    echo "Some packages are missing; run as root or install them with apt-get:$missing" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends $missing
fi
