#!/usr/bin/env bash
# Builds the controller and starts it. Until the main window lands this builds
# everything and shows what mqxtool can do.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j 2
exec build/release/tools/mqxtool/mqxtool --help
