#!/usr/bin/env bash
# Installs, as root on Debian, whatever the builds and tests need that is missing.
set -euo pipefail
# xdotool moves the real pointer in the Wine tests; fonts-wqy-microhei gives Wine
# the Chinese glyphs that the program's tooltips show.
packages=(cmake g++ make libgtest-dev libpng-dev
          g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 wine wine64 xvfb imagemagick xdotool fonts-wqy-microhei)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "${missing[@]}"
fi
