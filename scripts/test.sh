#!/usr/bin/env bash
# Builds and tests everything: native, AddressSanitizer+UBSan, ThreadSanitizer,
# and for both Windows architectures the DLL with its tests under Wine (32-bit
# Wine for i686), the ZIP package and an MSVC-ABI client against it. Installs
# what the machine lacks (Debian packages, needs root).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh cmake g++ make libgtest-dev googletest libbenchmark-dev \
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine64 tmux

failures=()
summary=()

# Runs a command with its output in a log; shows the log's tail on failure.
quiet() {
  local log=$1; shift
  if ! "$@" >"$log" 2>&1; then
    tail -60 "$log"
    return 1
  fi
}

build() {
  local preset=$1
  mkdir -p build
  quiet "build/$preset-configure.log" cmake --preset "$preset"
  quiet "build/$preset-build.log" cmake --build --preset "$preset"
}

record() {
  local preset=$1 log=$2 ok=$3
  local line
  line=$(grep -E 'tests passed|tests failed' "$log" | tail -1 || true)
  echo "$preset: ${line:-no test summary}"
  summary+=("$preset: ${line:-no test summary}")
  if [ "$ok" != yes ]; then
    failures+=("$preset")
    grep -E '\*\*\*Failed|Failed +[0-9.]+ sec|\(Failed\)|\[  FAILED  \]|ERROR: |WARNING: ThreadSanitizer' "$log" | head -40 || true
  fi
}

run_native() {
  local preset=$1 log ok=yes
  echo "== $preset"
  build "$preset" || { failures+=("$preset (build)"); return; }
  log="build/$preset/ctest.log"
  ctest --preset "$preset" >"$log" 2>&1 || ok=no
  record "$preset" "$log" "$ok"
}

# Prints a line and keeps it for the summary.
note() {
  echo "$1"
  summary+=("$1")
}

# Prints each GoogleTest summary of a Wine run, named after its CTest test.
gtest_summaries() {
  local preset=$1 log=$2
  awk -v preset="$preset" '
    /^ *Start +[0-9]+: / { id = $2; sub(/:$/, "", id); name[id] = $3 }
    /^[0-9]+: \[  (PASSED|FAILED)  \] [0-9]+ test/ {
      id = $1; sub(/:$/, "", id); line = $0; sub(/^[0-9]+: /, "", line)
      print preset " " name[id] ": " line
    }' "$log"
}

# One Windows architecture: the DLL and the suite under Wine (warnings are
# errors), the ZIP, and the MSVC-ABI client built against the ZIP and run
# under Wine with the native PBX simulator.
run_windows_arch() {
  local preset=$1 arch=$2 log ok=yes zip result
  echo "== $preset ($arch: suite under Wine, ZIP, MSVC-ABI client)"
  build "$preset" || { failures+=("$preset (build)"); return; }
  log="build/$preset/ctest.log"
  ctest --preset "$preset" -V >"$log" 2>&1 || ok=no
  gtest_summaries "$preset" "$log"
  record "$preset" "$log" "$ok"
  log="build/$preset-package.log"
  quiet "$log" cpack --preset "$preset" || { failures+=("$preset (package)"); return; }
  zip=$(sed -n "s|^CPack: - package: $PWD/\(.*\) generated\.\$|\1|p" "$log")
  note "zip: $zip ($(unzip -Z1 "$zip" | grep -vc '/$') files)"
  if result=$(bash scripts/msvc-abi-check.sh "$arch" "$zip" build/pbxsim/tools/pbxsim/korven-pbxsim); then
    note "msvc-abi $arch: ${result#msvc-abi client: } against $zip"
  else
    echo "$result"
    failures+=("msvc-abi $arch")
  fi
}

run_windows() {
  # 32-bit Wine runs the i686 suite; clang, lld and llvm build the
  # MSVC-ABI client and the import library for Microsoft's linker.
  bash scripts/install-deps.sh clang lld llvm unzip wine32:i386
  export WINEPREFIX="$PWD/build/wineprefix" WINEDEBUG=-all
  [ -d "$WINEPREFIX" ] || wineboot --init >/dev/null 2>&1 || true
  # The MSVC-ABI client registers with the simulator built natively, in a
  # tree of its own so that no native preset depends on it.
  if ! { quiet build/pbxsim-configure.log cmake -S . -B build/pbxsim -DCMAKE_BUILD_TYPE=Release \
           -DKORVEN_BUILD_TESTS=OFF &&
         quiet build/pbxsim-build.log cmake --build build/pbxsim --target korven-pbxsim -j 2; }; then
    failures+=("korven-pbxsim (build)")
  fi
  run_windows_arch mingw32 i686
  run_windows_arch mingw64 x86_64
}

# Installs a build and builds the examples against the installed package, as
# a user would.
build_examples() {
  local preset=$1; shift
  local prefix="$PWD/build/$preset-install"
  echo "== examples against the installed $preset package"
  if quiet "build/$preset-install.log" cmake --install "build/$preset" --prefix "$prefix" &&
     quiet "build/$preset-examples.log" cmake -S examples -B "build/$preset-examples" \
       -DCMAKE_PREFIX_PATH="$prefix" "$@" &&
     quiet "build/$preset-examples-build.log" cmake --build "build/$preset-examples"; then
    summary+=("examples ($preset): built against $prefix")
  else
    failures+=("examples ($preset)")
  fi
}

for preset in ${KORVEN_PRESETS:-dev asan tsan}; do
  run_native "$preset"
done
[ -d build/dev ] && build_examples dev
[ "${KORVEN_SKIP_BENCHMARKS:-0}" = 1 ] || { bash scripts/bench-smoke.sh && summary+=("benchmarks: built and ran once"); } || failures+=("benchmarks")
# Fuzzing, the soak and fault runs with load/unload cycles, and the unit
# suite under valgrind; each script says what it found.
if [ "${KORVEN_SKIP_RELIABILITY:-0}" != 1 ]; then
  for check in fuzz soak valgrind; do
    echo "== $check"
    if bash "scripts/$check.sh"; then summary+=("$check: passed"); else failures+=("$check"); fi
  done
fi
if [ "${KORVEN_SKIP_WINDOWS:-0}" != 1 ]; then
  run_windows
  [ -d build/mingw64 ] && build_examples mingw64 -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-x86_64.cmake"
fi

echo
echo "== summary"
printf '%s\n' "${summary[@]}"
if [ ${#failures[@]} -gt 0 ]; then
  echo "FAILED: ${failures[*]}"
  exit 1
fi
echo "all builds and tests passed"
