#!/usr/bin/env bash
# Installs, as root on Debian, whatever the builds and tests need that is missing.
set -euo pipefail
# The artwork generator draws from FreeType and these fonts: WenQuanYi Bitmap Song
# (xfonts-wqy) for small Chinese labels, WenQuanYi Zen Hei for the pass tile (and,
# under Wine, for every Chinese caption and tooltip), DejaVu Sans Bold and DejaVu
# Sans Condensed Bold for the name, digits and ranks.
# The flight recorder packs with zlib, natively and in the Windows build.
packages=(cmake g++ make libgtest-dev libstb-dev libfreetype-dev zlib1g-dev libz-mingw-w64-dev
          xfonts-wqy fonts-wqy-zenhei fonts-dejavu-core fonts-dejavu-extra
          g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 wine wine64 xvfb imagemagick xdotool)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "${missing[@]}"
fi
