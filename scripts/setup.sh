#!/usr/bin/env bash
# Installs the Debian packages the build needs, when any is missing.
set -euo pipefail

packages=(qt6-base-dev nlohmann-json3-dev libgtest-dev libgmock-dev libbenchmark-dev cmake
          ninja-build g++ pkg-config libxcb1-dev libxcb-keysyms1-dev fontconfig fonts-dejavu-core
          fonts-dejavu-extra fonts-noto-color-emoji xvfb xdotool openbox x11-utils)

# The X keyboard map, read for the combinations the X server keeps for itself.
packages+=(libxcb-xkb-dev)
missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if ((${#missing[@]})); then
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
