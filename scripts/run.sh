#!/usr/bin/env bash
# Builds Vandor and starts it. When the board simulator is built, it is started first on
# loopback with a 2.0 controller, Vandor is pointed at it, and it is stopped when Vandor exits.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc 2>/dev/null || echo 2)"

sim=build/tools/sim/vandor-sim
if [ -x "$sim" ]; then
    "$sim" --default-image --save-dir build/sim-state --ignore-stdin &
    sim_pid=$!
    trap 'kill $sim_pid 2>/dev/null || true; wait $sim_pid 2>/dev/null || true' EXIT
    # Both links look for boards on loopback only, where the simulator answers.
    export VANDOR_UDP_TARGET=127.0.0.1 VANDOR_NET_TARGET=127.0.0.1
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    exec_cmd=(xvfb-run -a build/vandor)
else
    exec_cmd=(build/vandor)
fi
"${exec_cmd[@]}" "$@"
