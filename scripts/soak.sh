#!/usr/bin/env bash
# The short soak and fault run (KORVENHOST, then IAP) and the load/unload
# cycles of the shared library, on the dev build; loopback only. Fails if a
# frame or request went missing, a fault was not recovered, or descriptors,
# threads or memory grew.
#   KORVEN_SOAK_SECONDS  length of the KORVENHOST run (default 30; IAP runs
#                        for 12 s)
#   KORVEN_UNLOAD_CYCLES load/unload cycles (default 1000)
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh cmake g++ make libgtest-dev googletest
mkdir -p build
{ cmake --preset dev && cmake --build --preset dev --target korven-soak korven-unload-cycles KorvenSignalLib; } \
  >build/soak-build.log 2>&1 || { tail -60 build/soak-build.log; exit 1; }
tools=build/dev/tools/soak
status=0
"$tools/korven-soak" --seconds "${KORVEN_SOAK_SECONDS:-30}" || status=1
"$tools/korven-soak" --seconds 12 --iap || status=1
"$tools/korven-unload-cycles" build/dev/src/libKorvenSignalLib.so "${KORVEN_UNLOAD_CYCLES:-1000}" || status=1
exit $status
