#!/usr/bin/env bash
# Installs every Debian 12 package VELMO needs to build, run, test and be looked at.
set -euo pipefail
packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
    qt6-base-dev qt6-svg-dev libqt6svg6 libqt6sql6-sqlite libsqlite3-dev
    qt6-qpa-plugins
    fonts-noto-cjk
    xvfb xauth x11-apps imagemagick trayer xdotool
    icoutils desktop-file-utils libglib2.0-bin xdg-utils
    patchelf sqlite3 debootstrap
    libwine # real Windows programs, whose icons the tests read
)
as_root=()
[ "$(id -u)" = 0 ] || as_root=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q --no-install-recommends "${packages[@]}"
