#!/usr/bin/env bash
# Installs what is missing, checks the formatting, then builds and runs every test twice:
# a normal build with warnings as errors, and an address+undefined sanitizer build.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh

echo "== layers"
scripts/check-layers.sh

echo "== clang-format"
mapfile -t sources < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find src sim tools tests bench -name '*.cpp' -o -name '*.h')
clang-format --dry-run --Werror "${sources[@]}"

jobs=2
run_suite() {
    local dir=$1; shift
    echo "== build $dir"
    cmake -S . -B "$dir" -G Ninja -DMQX_WERROR=ON "$@" >/dev/null
    # An incremental build does not always send newly added Q_OBJECT headers through moc;
    # forgetting the scan stamps makes every run look at every header again.
    find "$dir" -path '*_autogen/timestamp' -delete
    cmake --build "$dir" -j "$jobs"
    echo "== tests $dir"
    (cd "$dir" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")
}

run_suite build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    run_suite build/sanitize -DCMAKE_BUILD_TYPE=Debug -DMQX_SANITIZE=ON -DMQX_BUILD_BENCH=OFF
