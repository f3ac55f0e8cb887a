#!/usr/bin/env bash
# Installs what ミチタン needs to build, run, test and package on Debian 12 (bookworm). Only the
# missing packages are installed, and only then is root needed.
set -euo pipefail
packages=(
  build-essential cmake
  qt6-base-dev qt6-multimedia-dev libqt6sql6-sqlite qt6-translations-l10n
  qt6-charts-dev libqt6opengl6-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  gstreamer1.0-pulseaudio gstreamer1.0-libav
  fonts-ipafont-gothic
  poppler-utils
  libquazip1-qt6-dev
  libheif-dev qt6-image-formats-plugins
  xvfb xauth
  dpkg-dev file lintian desktop-file-utils appstream xdotool
  clang-format
)
missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$package")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
install=(apt-get install -y --no-install-recommends "${missing[@]}")
if [ "$(id -u)" -eq 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  "${install[@]}"
elif command -v sudo >/dev/null; then
  sudo env DEBIAN_FRONTEND=noninteractive apt-get update
  sudo env DEBIAN_FRONTEND=noninteractive "${install[@]}"
else
  echo "These packages are missing: ${missing[*]}" >&2
  echo "Run this as root, then run $0 again:" >&2
  echo "  apt-get update && ${install[*]}" >&2
  exit 1
fi
