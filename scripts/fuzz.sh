#!/usr/bin/env bash
# Builds the fuzz targets with clang (installed from Debian when missing) and
# runs each for SECONDS, 60 unless given.
#   scripts/fuzz.sh [SECONDS]
# What the fuzzer learns is kept in build-fuzz/corpus/<target>; an input that
# breaks a target is saved in build-fuzz/findings/ and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
if [[ $# -gt 1 || ! "$seconds" =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: scripts/fuzz.sh [SECONDS]" >&2
  exit 2
fi

bash scripts/install-deps.sh --fuzz

build_dir=build-fuzz
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DQX9_FUZZ=ON
cmake --build "$build_dir"

findings="$build_dir/findings"
mkdir -p "$findings"
summary=()
failed=0
started=$SECONDS
while read -r target; do
  [[ -n "$target" ]] || continue
  corpus="$build_dir/corpus/$target"
  log="$findings/$target.log"
  mkdir -p "$corpus"
  echo "== $target, $seconds s"
  # The first directory takes new inputs; the checked-in seeds are only read.
  if "$build_dir/fuzz/qx9_fuzz_$target" -max_total_time="$seconds" -timeout=10 \
      -print_final_stats=1 -artifact_prefix="$findings/$target-" \
      "$corpus" "fuzz/corpus/$target" >"$log" 2>&1; then
    outcome=passed
  else
    outcome=FAILED
    failed=1
    tail -n 40 "$log"
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  summary+=("$(printf '%-18s %-7s %11s runs %8s exec/s' "$target" "$outcome" "${runs:-?}" "${rate:-?}")")
done <"$build_dir/fuzz/targets.txt"

printf '%s\n' "${summary[@]}"
echo "fuzzing took $((SECONDS - started)) s in all"
exit "$failed"
