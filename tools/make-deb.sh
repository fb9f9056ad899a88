#!/usr/bin/env bash
# Builds the Debian package of the editor and the simulated device:
#   tools/make-deb.sh [OUTPUT_FOLDER]      (default: build/package)
# It configures build/ as ./run does, builds what the package holds (not the
# tests), makes q7300-routing_<version>_<arch>.deb with cpack and, when
# lintian is installed, prints what lintian says about it.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build"
out=$(realpath -m "${1:-$build/package}")
gen=()
command -v ninja >/dev/null && gen=(-G Ninja)
cmake -S "$here" -B "$build" "${gen[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target installed_files
mkdir -p "$out"
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
rm -rf "$out/_CPack_Packages"
deb=$(ls -t "$out"/q7300-routing_*.deb | head -n 1)
echo "make-deb: $deb"
if command -v lintian >/dev/null; then
  lintian "$deb" || true
fi
