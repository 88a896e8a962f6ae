#!/usr/bin/env bash
# Runs the whole unit suite of the dev build once under valgrind memcheck;
# fails on any memory error or leak (definite or indirect).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh valgrind cmake g++ make libgtest-dev googletest

if [ ! -x build/dev/tests/korven_tests ]; then
  mkdir -p build
  { cmake --preset dev && cmake --build --preset dev; } >build/valgrind-build.log 2>&1 ||
    { tail -60 build/valgrind-build.log; exit 1; }
fi
log=build/dev/valgrind.log
if valgrind --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite,indirect \
     --suppressions=tests/valgrind/glibc.supp build/dev/tests/korven_tests >"$log" 2>&1; then
  echo "valgrind: $(grep -E '^\[  PASSED  \]' "$log"), $(grep -Eo 'ERROR SUMMARY: [0-9]+ errors' "$log")"
else
  grep -E -B2 -A25 '^==[0-9]+== (Invalid|Conditional|Syscall|Use of|[0-9,]+ bytes in)' "$log" | head -80
  grep -E '\[  FAILED  \]|ERROR SUMMARY' "$log" || true
  echo "valgrind: FAILED (log: $log)"
  exit 1
fi
