#!/usr/bin/env bash
# Installs everything Meldewerk needs to build, run and test on Debian 12.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  build-essential g++ cmake ninja-build pkg-config clang
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-translations-l10n
  libqt6svg6 qt6-qpa-plugins qt6-image-formats-plugins
  libcurl4-openssl-dev
  libgtest-dev libgmock-dev libcpp-httplib-dev libssl-dev zlib1g-dev libbrotli-dev libbenchmark-dev
  xvfb xauth fonts-dejavu-core xdg-utils
  desktop-file-utils appstream dpkg-dev file
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -q
  $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The tests of the embedded browser run under xvfb-run (package xvfb, with xauth and mcookie).
for tool in xvfb-run xauth mcookie; do
  command -v "$tool" >/dev/null || { echo "install-deps: $tool is missing" >&2; exit 1; }
done
