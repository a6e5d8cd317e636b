#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each in turn, one core at a
# time, for SECONDS seconds (60 unless given). Grown corpora stay in build-fuzz/corpus/<name>
# (the kept seeds in tests/fuzz/corpus/<name> are read, never written); a crashing input lands
# in build-fuzz/artifacts/<name>/ and the script exits non-zero. Logs: build-fuzz/logs/<name>.log.
#   scripts/fuzz.sh [SECONDS] [TARGET...]     TARGET: registry packet stream dump files net udp
#                                             dyn clidump usbprobe sim discovery tcp
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(registry packet stream dump files net udp dyn clidump usbprobe sim discovery tcp)
fi

dir=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVANDOR_FUZZ=ON -DVANDOR_BUILD_BENCH=OFF >/dev/null
cmake --build "$dir" -j "${FUZZ_BUILD_JOBS:-2}" --target $(printf 'fuzz_%s ' "${targets[@]}")

# Longest input per target: a dump file needs its 8192 bytes and a mode byte.
max_len() {
    case $1 in
        dump) echo 8300 ;;
        files) echo 8192 ;;
        clidump) echo 8300 ;;
        *) echo 2048 ;;
    esac
}

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen
failed=()
for t in "${targets[@]}"; do
    mkdir -p "$dir/corpus/$t" "$dir/artifacts/$t" "$dir/logs"
    log="$dir/logs/$t.log"
    echo "== fuzz_$t for ${seconds}s (log: $log)"
    if ! "$dir/tests/fuzz/fuzz_$t" -max_total_time="$seconds" -max_len="$(max_len "$t")" -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$dir/artifacts/$t/" \
        "$dir/corpus/$t" "tests/fuzz/corpus/$t" >"$log" 2>&1; then
        failed+=("$t")
        echo "   FAILED: see $log and $dir/artifacts/$t/"
    fi
    grep -E '^#[0-9]+[[:space:]]+DONE|^Done [0-9]+ runs' "$log" | tail -n 2 | sed 's/^/   /' || true
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' "$log" | sed 's/^/   /' || true
    echo "   corpus: $(ls "$dir/corpus/$t" | wc -l) grown + $(ls "tests/fuzz/corpus/$t" | wc -l) kept"
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "failing targets: ${failed[*]}"
    exit 1
fi
