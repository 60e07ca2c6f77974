#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the game need, and only
# those that are missing.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libsdl2-dev libfreetype-dev libfontconfig-dev libpng-dev zlib1g-dev
  fonts-wqy-zenhei fonts-arphic-ukai
  googletest libgtest-dev
  libbenchmark-dev xvfb
  gcovr clang-format
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
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
