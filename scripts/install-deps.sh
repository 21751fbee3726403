#!/usr/bin/env bash
# Installs the Debian packages Vantor builds and tests with. Idempotent: installs only what is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-charts-dev qt6-svg-dev libqt6opengl6-dev
  libsundials-dev libsuitesparse-dev libyaml-cpp-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libopenmpi-dev openmpi-bin
  clang libclang-rt-14-dev
  xvfb xauth
  cmark-gfm
  desktop-file-utils dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "install-deps: run as root or install sudo" >&2; exit 1; }
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
