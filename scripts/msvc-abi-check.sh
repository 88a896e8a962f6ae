#!/usr/bin/env bash
# Proves a Windows ZIP usable from an application built for the MSVC ABI:
# unpacks it, builds tests/msvc_abi's client against it as a CMake project
# would (find_package on the unpacked folder, clang and lld-link through the
# msvc-abi toolchain), and runs the client under Wine against the PBX
# simulator running natively on loopback.
#
#   bash scripts/msvc-abi-check.sh i686|x86_64 ZIP KORVEN-PBXSIM
#
# Prints the client's summary line; on failure also its checks and the
# simulator's log, and exits non-zero.
set -euo pipefail
cd "$(dirname "$0")/.."
arch=$1 zip=$2 pbxsim=$3
work="build/msvc-abi-$arch"
export WINEPREFIX="${WINEPREFIX:-$PWD/build/wineprefix}" WINEDEBUG="${WINEDEBUG:--all}"

rm -rf "$work"
mkdir -p "$work"
unzip -q "$zip" -d "$work/package"
package=$(find "$work/package" -mindepth 1 -maxdepth 1 -type d)
if ! { cmake -S tests/msvc_abi -B "$work/build" -DCMAKE_BUILD_TYPE=Release \
         -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/msvc-abi-$arch.cmake" -DCMAKE_PREFIX_PATH="$PWD/$package" &&
       cmake --build "$work/build"; } >"$work/build.log" 2>&1; then
  tail -40 "$work/build.log"
  exit 1
fi
cp "$package/bin/KorvenSignalLib.dll" "$work/build/"

"$pbxsim" --script tests/msvc_abi/registration.txt >"$work/pbxsim.log" 2>&1 &
simulator=$!
trap 'kill "$simulator" 2>/dev/null || true' EXIT
port=
for _ in $(seq 50); do
  port=$(sed -n 's/^PBX simulator on [0-9.]*:\([0-9]*\)$/\1/p' "$work/pbxsim.log")
  [ -n "$port" ] && break
  sleep 0.1
done

# The simulator ends once it has seen the whole exchange; a client that
# failed leaves it waiting, so it is stopped.
if (cd "$work/build" && KORVEN_PBX_PORT="$port" wine msvc_abi_client.exe) >"$work/client.log" 2>&1 &&
   wait "$simulator"; then
  tail -1 "$work/client.log"
  exit 0
fi
grep -v '^ok - ' "$work/client.log" || true
cat "$work/pbxsim.log"
exit 1
