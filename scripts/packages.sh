#!/usr/bin/env bash
# Installs every Debian package the project needs (run as root, or with sudo available).
set -euo pipefail
PKGS=(build-essential cmake ninja-build libgtest-dev googletest)
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends "${PKGS[@]}"
