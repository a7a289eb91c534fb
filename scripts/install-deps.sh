#!/usr/bin/env bash
# Installs every Debian 12 package that the build, the tests, the benchmarks
# and the fuzzers need. Idempotent: does nothing (quietly) when all are present.
set -euo pipefail

packages=(
  # toolchain and build
  build-essential cmake ninja-build clang libclang-rt-dev pkg-config git
  # test and benchmark frameworks
  libgtest-dev libgmock-dev libbenchmark-dev
  # driver: window, context, events; OpenGL 1.x and headless EGL on Mesa
  libsdl2-dev libgl-dev libgl1-mesa-dri libegl-dev libegl-mesa0 libglx-mesa0
  # skills: Qt 6 Widgets and Qt Test
  qt6-base-dev qt6-base-dev-tools
  # levelkit: arguments, JSON, PNG writing and resizing
  libcli11-dev nlohmann-json3-dev libstb-dev
  # end-to-end tests of the real programs; a bare X server has no font that
  # SDL's message boxes can draw with, xfonts-base brings one
  xvfb xdotool imagemagick x11-utils xfonts-base
  # installing and packaging: manual pages from --help, the .deb's
  # dependencies (dpkg-shlibdeps) and its check
  help2man dpkg-dev lintian
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]}" >&2
  echo "Run as root:  sudo $0" >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
