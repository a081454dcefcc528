#!/usr/bin/env bash
# Builds the Debian package in build/package and checks it with lintian:
#   scripts/build-deb.sh            -> build/package/mqx-controller_<version>_<arch>.deb
# Installs what it needs from Debian first (the project's packages, dpkg-dev for the
# library dependencies, lintian). Install the result with: sudo apt install ./<file>.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

missing=()
for p in dpkg-dev lintian file; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

dir=build/package
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMQX_BUILD_TESTS=OFF \
    -DMQX_BUILD_BENCH=OFF -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build "$dir" -j 2
(cd "$dir" && cpack -G DEB)
deb=$(ls -t "$dir"/mqx-controller_*.deb | head -n 1)
echo "== $deb"
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"
echo "== lintian"
lintian --info --display-level '>=warning' "$deb" || { echo "lintian found errors"; exit 1; }
