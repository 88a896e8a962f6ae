#!/usr/bin/env bash
# Builds and tests everything: native, AddressSanitizer+UBSan, ThreadSanitizer,
# the 32-bit Windows DLL and the 64-bit Windows build with its tests under
# Wine. Installs what the machine lacks (Debian packages, needs root).
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

run_windows() {
  local log ok=yes
  echo "== mingw32 (i686 DLL, warnings are errors)"
  if build mingw32; then
    summary+=("mingw32: built build/mingw32/src/KorvenSignalLib.dll")
  else
    failures+=("mingw32 (build)")
  fi
  echo "== mingw64 (tests under wine64)"
  build mingw64 || { failures+=("mingw64 (build)"); return; }
  export WINEPREFIX="$PWD/build/wineprefix" WINEDEBUG=-all
  [ -d "$WINEPREFIX" ] || wineboot --init >/dev/null 2>&1 || true
  log="build/mingw64/ctest.log"
  ctest --preset mingw64 -V >"$log" 2>&1 || ok=no
  grep -E '\[  PASSED  \]|\[  FAILED  \] [0-9]+ test' "$log" | sed 's/^[0-9]*: //' || true
  record mingw64 "$log" "$ok"
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
