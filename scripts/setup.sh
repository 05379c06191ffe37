#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Quillmere need.
# Idempotent and quiet when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake
  qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev
  libxml2-dev
  libgtest-dev libgmock-dev
  fonts-ipafont-gothic qt6-translations-l10n xdg-utils
  xvfb xauth imagemagick x11-utils xdotool
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
