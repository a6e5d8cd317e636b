#!/usr/bin/env bash
# Builds Vandor with warnings as errors and runs every test, then does the same under the
# address and undefined-behaviour sanitizers. Installs what it needs first.
#   scripts/test.sh            both builds
#   scripts/test.sh --quick    the plain build only
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh

jobs=$(nproc 2>/dev/null || echo 2)
run() {
    local dir=$1; shift
    cmake -S . -B "$dir" -G Ninja -DVANDOR_WERROR=ON "$@"
    cmake --build "$dir" -j "$jobs"
    # The quick unit tests first, so that a plain fault shows within a minute; then the tests
    # against simulated boards, the whole window and the package.
    (cd "$dir" && QT_QPA_PLATFORM=offscreen ctest -j2 --output-on-failure --timeout 300 -L fast \
        && QT_QPA_PLATFORM=offscreen ctest -j2 --output-on-failure --timeout 300 -LE fast)
}

run build -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ "${1:-}" != "--quick" ]; then
    ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        run build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVANDOR_SANITIZE=ON -DVANDOR_BUILD_BENCH=OFF
fi
