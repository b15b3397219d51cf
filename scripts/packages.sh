#!/usr/bin/env bash
# Installs every Debian package the project needs (run as root, or with sudo available).
set -euo pipefail
PKGS=(build-essential cmake ninja-build libgtest-dev googletest
      # the window program and the viewer sample; fonts so that text shows offscreen and under Xvfb
      qt6-base-dev fonts-dejavu-core xvfb xauth
      # compilers that the generated parsers are built with
      gfortran default-jdk-headless fp-compiler
      # the sanitizer build and the fuzz targets
      clang libclang-rt-14-dev)
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
# sudo resets the environment, so the frontend is passed on the command itself.
APT=($SUDO env DEBIAN_FRONTEND=noninteractive apt-get)
"${APT[@]}" update
"${APT[@]}" install -y --no-install-recommends "${PKGS[@]}"
