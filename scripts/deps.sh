#!/usr/bin/env bash
# Installs what ミチタン needs to build, run and test on Debian 12 (bookworm).
set -euo pipefail
packages=(
  build-essential cmake
  qt6-base-dev qt6-multimedia-dev libqt6sql6-sqlite qt6-translations-l10n
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  fonts-ipafont-gothic
  xvfb xauth
  clang-format
)
if [ "$(id -u)" -ne 0 ]; then
  exec sudo "$0" "$@"
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends "${packages[@]}"
