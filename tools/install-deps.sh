#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test, run the
# simulated device over JACK, take screenshots and build and check the Debian
# package. Quick when all is present.
set -euo pipefail
pkgs=(
  build-essential cmake ninja-build pkg-config clang clang-format libclang-rt-14-dev cppcheck python3
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev
  librtmidi-dev libgtest-dev libgmock-dev libbenchmark-dev
  jackd2 libjack-jackd2-dev
  xvfb xdotool imagemagick x11-utils libx11-dev fonts-dejavu-core
  dpkg-dev lintian appstream desktop-file-utils
)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
# jackd2 asks about realtime priority; answer it before the install.
echo "jackd2 jackd/tweak_rt_limits boolean false" | $SUDO debconf-set-selections
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
