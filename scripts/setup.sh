#!/usr/bin/env bash
# Installs every Debian package that the build, the program and the tests need,
# but only those that are missing, so a second run costs a second.
set -euo pipefail

packages=(
    # toolchain
    g++ cmake ninja-build make pkg-config
    # Qt 6: widgets, svg, sound, charts (Charts needs the OpenGL headers)
    qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev qt6-svg-dev qt6-multimedia-dev qt6-charts-dev
    libgl-dev
    # QtMultimedia's player needs the GStreamer plugins at run time
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good
    # tests and benchmarks
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    # card themes the face pictures are rendered from
    gnome-cards-data
    # sound generation
    sox
    # headless runs and screenshots
    xvfb xauth xdotool imagemagick x11-apps
    # bench/deal-cpu.sh finds the X server with pgrep
    procps
    # fonts for labels and window texts
    fonts-dejavu-core
    # colour pictograms for the figures on the card backs
    fonts-noto-color-emoji
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "setup: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
