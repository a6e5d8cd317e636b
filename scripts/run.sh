#!/usr/bin/env bash
# Builds Vandor and starts it. When the board simulator is built, it is started first on
# loopback with a controller (2.0 unless --board says otherwise), Vandor is pointed at it, and
# it is stopped when Vandor exits.
#   scripts/run.sh           the simulated board on the UDP bridge path and behind a network bridge
#   scripts/run.sh --usb     the simulated board on an emulated USB bus (umockdev), found by
#                            Vandor's own libusb as a plugged board would be
#   scripts/run.sh --board 1.1|2.0|3.0|robo|tokmat|dynamic  (--dyn is the same as --board dynamic)
#                            the board the simulator plays, from its factory image,
#                            or a board that describes its own configuration
set -euo pipefail
cd "$(dirname "$0")/.."

usb=0
board=""
while [ $# -gt 0 ]; do
    case "$1" in
        --usb) usb=1; shift ;;
        --dyn) board=dynamic; shift ;;
        --board)
            case "${2:-}" in
                1.1|2.0|3.0|robo|tokmat|dynamic) board=$2; shift 2 ;;
                *) echo "run.sh: --board takes 1.1, 2.0, 3.0, robo, tokmat or dynamic" >&2; exit 2 ;;
            esac ;;
        *) break ;;
    esac
done
# The board's starting image: the generation's factory image, else the erased 2.0 image.
if [ "$board" = dynamic ]; then
    image_args=(--board dynamic)
elif [ -n "$board" ]; then
    image_args=(--board "$board")
else
    image_args=(--default-image)
fi

./scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc 2>/dev/null || echo 2)"

sim=build/tools/sim/vandor-sim
run_env=()
if [ -x "$sim" ]; then
    if [ "$usb" = 1 ]; then
        # The board answers on USB only: its network ports are any free ones, which Vandor
        # does not ask, so the USB road is the one taken.
        ready=$(mktemp)
        "$sim" --usb --udp-port 0 --net-port 0 "${image_args[@]}" --save-dir build/sim-state \
            --transcript build/sim-state.usb.log --ignore-stdin > "$ready" &
        sim_pid=$!
        trap 'kill $sim_pid 2>/dev/null || true; wait $sim_pid 2>/dev/null || true; rm -f "$ready"' EXIT
        for _ in $(seq 100); do
            grep -q '^ready' "$ready" && break
            kill -0 "$sim_pid" 2>/dev/null || break
            sleep 0.1
        done
        testbed=$(sed -n 's/^ready .* usb=\(.*\)$/\1/p' "$ready")
        if [ -z "$testbed" ]; then
            echo "run.sh: the simulator did not plug its board into an emulated USB bus" >&2
            exit 1
        fi
        # Vandor's libusb sees the emulated bus through umockdev's preload library.
        run_env=(env UMOCKDEV_DIR="$testbed" umockdev-wrapper)
    else
        "$sim" "${image_args[@]}" --save-dir build/sim-state --ignore-stdin &
        sim_pid=$!
        trap 'kill $sim_pid 2>/dev/null || true; wait $sim_pid 2>/dev/null || true' EXIT
    fi
    # Both links look for boards on loopback only, where the simulator answers.
    export VANDOR_UDP_TARGET=127.0.0.1 VANDOR_NET_TARGET=127.0.0.1
elif [ "$usb" = 1 ]; then
    echo "run.sh: --usb needs the board simulator (build/tools/sim/vandor-sim)" >&2
    exit 1
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    exec_cmd=(xvfb-run -a "${run_env[@]}" build/vandor)
else
    exec_cmd=("${run_env[@]}" build/vandor)
fi
"${exec_cmd[@]}" "$@"
