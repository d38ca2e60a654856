#!/usr/bin/env bash
# Installs every Debian 12 package that building, running and testing Uchiwake
# needs. Safe to run again: packages already present are left alone.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  libsqlite3-dev sqlite3
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libwxgtk3.2-dev
  libxml2-dev libxml2-utils
  xvfb xauth xdotool x11-utils imagemagick
  fonts-ipafont-gothic fontconfig
  clang-format
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "setup: installing ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
