#!/usr/bin/env bash
# Builds the library and the console softphone, which starts the bundled PBX
# simulator on loopback, registers with it and plays a scripted call.
# Arguments go to the softphone instead of the script: --interactive works
# the phone by keys.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh cmake g++ make

build=build/demo
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DKORVEN_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target korven-softphone >/dev/null

softphone="$build/tools/softphone/korven-softphone"
if [ $# -gt 0 ]; then
  exec "$softphone" --sim-port "${KORVEN_DEMO_PORT:-0}" "$@"
fi
exec "$softphone" --sim-port "${KORVEN_DEMO_PORT:-0}" \
  --steps "register; wait-display; dial 1234; wait-call-state CONNECT; hangup; wait-call-state IDLE; quit"
