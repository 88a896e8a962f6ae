#!/usr/bin/env bash
# Builds the library, starts the bundled PBX simulator on loopback and lets
# the example phone register with it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh cmake g++ make

build=build/demo
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DKORVEN_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target korven-pbxsim minimal_phone >/dev/null

port=${KORVEN_DEMO_PORT:-16000}
# The simulator runs until its standard input ends.
input="$build/pbxsim.input"
rm -f "$input" && mkfifo "$input"
"$build/tools/pbxsim/korven-pbxsim" --port "$port" <"$input" >"$build/pbxsim.log" 2>&1 &
simulator=$!
exec 3>"$input"
trap 'exec 3>&-; wait $simulator 2>/dev/null || true' EXIT
sleep 0.3

"$build/examples/minimal_phone" 127.0.0.1 "$port" 1001 3
echo
echo "== what the simulated PBX received"
head -20 "$build/pbxsim.log"
