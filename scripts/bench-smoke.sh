#!/usr/bin/env bash
# Builds the benchmarks (release preset) and runs each once, briefly: the
# short variants of the latency and idle benchmarks and a minimal time for
# the others. This catches a benchmark that no longer builds or runs; the
# figures are printed, never checked, since they depend on the machine and
# its load. The README's "Performance" section has the full run.
set -euo pipefail
cd "$(dirname "$0")/.."

mkdir -p build
log=build/bench-smoke.log
if ! { cmake --preset release && cmake --build --preset release --target korven_benchmarks; } >"$log" 2>&1; then
  tail -60 "$log"
  echo "benchmarks: build failed"
  exit 1
fi
out=build/bench-smoke-run.log
if ! build/release/benchmarks/korven_benchmarks --benchmark_min_time=0.01 \
     --benchmark_filter='-rounds:10000|seconds:10' >"$out" 2>&1; then
  tail -60 "$out"
  echo "benchmarks: run failed"
  exit 1
fi
# A benchmark that cannot run reports an error but does not fail the run.
if grep -q 'ERROR OCCURRED' "$out"; then
  grep 'ERROR OCCURRED' "$out"
  echo "benchmarks: some could not run"
  exit 1
fi
echo "benchmarks: $(grep -cE '^[A-Z][A-Za-z]+(/|_)' "$out") ran once"
