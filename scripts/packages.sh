#!/usr/bin/env bash
# Installs every Debian package the project needs (run as root, or with sudo available).
set -euo pipefail
PKGS=(build-essential cmake ninja-build libgtest-dev googletest)
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
# sudo resets the environment, so the frontend is passed on the command itself.
APT=($SUDO env DEBIAN_FRONTEND=noninteractive apt-get)
"${APT[@]}" update
"${APT[@]}" install -y --no-install-recommends "${PKGS[@]}"
