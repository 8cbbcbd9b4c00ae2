#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, when missing.
set -euo pipefail
pkgs=(cmake g++ clang libclang-rt-14-dev ninja-build pkg-config qt6-base-dev qt6-svg-dev libsqlite3-dev sqlite3 fonts-liberation2
      poppler-utils xvfb xauth x11-utils x11-xserver-utils xdotool imagemagick openbox at-spi2-core)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
