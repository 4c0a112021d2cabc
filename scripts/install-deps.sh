#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test, fuzz and run.
# Safe to run again. Needs root (or sudo).
set -euo pipefail

packages=(
  # toolchain
  build-essential cmake ninja-build pkg-config git
  clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # engine and game libraries
  libsdl2-dev libsdl2-ttf-dev libsdl2-image-dev
  libgl-dev libgl1-mesa-dri libegl1 libegl-mesa0 mesa-utils libx11-dev
  libpng-dev libjpeg-dev zlib1g-dev libminizip-dev libxml2-dev
  libopenal-dev libopenal1 libcurl4-openssl-dev
  # asset pipeline
  librsvg2-bin sox zip unzip python3
  fonts-comfortaa fonts-wqy-microhei fonts-dejavu-core
  # running under a virtual display
  xvfb xauth xfonts-base
  # scripts/measure.sh drives the game under Xvfb
  xdotool x11-utils
  # installing and packaging: man pages, validators, the Debian package check
  help2man desktop-file-utils appstream lintian file
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${packages[@]}"
