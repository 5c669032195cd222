#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
# Usage: scripts/ensure-packages.sh [extra package ...]
set -euo pipefail

# clang and its runtimes build the fuzz target; the printing tests read PDFs
# (poppler-utils) whose Chinese text needs a CJK font; lld links the Qt
# programs faster than the default linker, ccache rebuilds faster. The
# records of radios programmed are an SQLite database (libsqlite3-dev). The
# package tests make the .deb (dpkg-dev for its dependencies) and look at it
# as man, bash and the desktop do. yaml-cpp reads and writes the radio as YAML.
# python3 runs the check that changed files compile on their own.
packages=(cmake g++ make qt6-base-dev qt6-serialport-dev qt6-translations-l10n libgl-dev
  clang libclang-rt-dev fonts-wqy-microhei poppler-utils lld ccache
  dpkg-dev man-db bash-completion desktop-file-utils appstream libsqlite3-dev
  libyaml-cpp-dev python3 "$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
