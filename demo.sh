#!/usr/bin/env bash
# Builds the controller and starts it on simulated units (IDs 1, 2 and 3 behind every
# COM port), so it can be tried without a unit on the line. Extra arguments are passed on.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j 2 --target mqx-controller
exec build/release/src/app/mqx-controller --demo "$@"
