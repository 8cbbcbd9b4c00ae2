#!/usr/bin/env bash
# Installs the Debian packages that building and running the program need, when
# missing (qt6-tools-dev and qt6-l10n-tools build the translations;
# qt6-translations-l10n gives Qt's own dialogs the user's language). With
# --package also those that build and check the Debian package; with --test
# those and the tests' own (sanitizers, fuzzing, the end-to-end run under Xvfb,
# the private PostgreSQL server of scripts/pg.sh), and the es_ES.UTF-8 locale
# the tests also run under and the Spanish manual pages are made in.
set -euo pipefail
pkgs=(cmake g++ ninja-build pkg-config qt6-base-dev qt6-svg-dev qt6-tools-dev qt6-l10n-tools libsqlite3-dev libpq-dev
      libxcb1-dev fonts-liberation2 qt6-translations-l10n)
if [ "${1:-}" = "--test" ]; then
  pkgs+=(clang clang-format libclang-rt-14-dev sqlite3 locales poppler-utils xvfb xauth x11-utils x11-xserver-utils
         xdotool imagemagick openbox at-spi2-core postgresql)
fi
# Building and checking the Debian package (scripts/package.sh, tests/package/check.sh).
if [ "${1:-}" = "--test" ] || [ "${1:-}" = "--package" ]; then
  pkgs+=(dpkg-dev file librsvg2-bin help2man lintian appstream desktop-file-utils locales)
fi
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
if { [ "${1:-}" = "--test" ] || [ "${1:-}" = "--package" ]; } && ! locale -a 2>/dev/null | grep -qix 'es_ES\.utf-\?8'; then
  echo "Generating the es_ES.UTF-8 locale"
  $SUDO localedef -i es_ES -f UTF-8 es_ES.UTF-8
fi
