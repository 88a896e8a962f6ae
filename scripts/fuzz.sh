#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, ASan+UBSan; preset "fuzz"),
# writes their seed corpora from the PBX simulator's frame builders, replays
# the saved reproducers of fixed findings and runs every target for a
# bounded time. Fails on any finding; a finding's input is left in
# build/fuzz/findings. The grown corpora stay in build/fuzz/corpus, so a
# later run goes on from them.
#   KORVEN_FUZZ_SECONDS  seconds per target (default 45)
#   KORVEN_FUZZ_TARGETS  targets to run (default: all)
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh clang libclang-rt-14-dev g++ cmake make

seconds=${KORVEN_FUZZ_SECONDS:-45}
targets=${KORVEN_FUZZ_TARGETS:-frame stream display dispatch requests}
out=build/fuzz
mkdir -p build
if ! { cmake --preset fuzz && cmake --build --preset fuzz; } >build/fuzz-build.log 2>&1; then
  tail -60 build/fuzz-build.log
  echo "fuzz: build failed"
  exit 1
fi
rm -rf "$out/seeds"
"$out/fuzz/korven-fuzz-seeds" "$out/seeds"

failed=()
for target in $targets; do
  binary="$out/fuzz/korven_fuzz_$target"
  log="$out/fuzz-$target.log"
  mkdir -p "$out/corpus/$target" "$out/findings"
  options=(-timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$out/findings/$target-")
  reproducers=(fuzz/regressions/"$target"/*)
  if [ -e "${reproducers[0]}" ] && ! "$binary" "${options[@]}" "${reproducers[@]}" >"$log" 2>&1; then
    tail -40 "$log"
    failed+=("$target (reproducer)")
    continue
  fi
  if ! nice "$binary" "${options[@]}" -max_total_time="$seconds" "$out/corpus/$target" "$out/seeds/$target" \
      >"$log" 2>&1; then
    grep -E -A30 '^==[0-9]+==ERROR|runtime error|SUMMARY|deadly signal|timeout' "$log" | head -60
    failed+=("$target")
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  coverage=$(grep -Eo 'cov: [0-9]+ ft: [0-9]+ corp: [0-9]+' "$log" | tail -1)
  echo "fuzz $target: ${runs:-?} runs in ${seconds}s, ${coverage:-no coverage line}"
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: findings in ${failed[*]} (inputs in $out/findings)"
  exit 1
fi
echo "fuzz: no findings"
