#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, with AddressSanitizer and UndefinedBehaviorSanitizer) and
# gives each a fixed run: SECONDS each (default 60), from the seed corpus in fuzz/corpus (and,
# for the model readers, the sample models of Debian's assimp-testmodels). New inputs go to a
# temporary folder, not into the repository. Installs missing Debian packages first.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
tools/ensure_packages.sh clang libclang-rt-14-dev cmake make libtinyobjloader-dev assimp-testmodels
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

root=$(pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run() {
  local target=$1
  shift
  mkdir -p "$work/$target"
  echo "== fuzz: $target for ${seconds}s"
  local status=0
  (cd "$work" && "$root/build-fuzz/$target" -seed=1 -max_total_time="$seconds" -max_len=65536 \
    -print_final_stats=1 "$work/$target" "$@" >"$work/$target.log" 2>&1) || status=$?
  grep -E '^(stat::number_of_executed_units|stat::new_units_added|INFO: seed corpus)' \
    "$work/$target.log" || true
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$work/$target.log" >&2
    mkdir -p build-fuzz/failures
    cp "$work"/crash-* "$work"/leak-* "$work"/timeout-* build-fuzz/failures/ 2>/dev/null || true
    echo "fuzz: $target failed (exit $status); its input, if any, is in build-fuzz/failures" >&2
    exit 1
  fi
}
run fuzz_select_connected "$root/fuzz/corpus/select_connected"
models=("$root/fuzz/corpus/model_files")
for folder in /usr/share/assimp/models/OBJ /usr/share/assimp/models/OFF /usr/share/assimp/models/invalid; do
  [ -d "$folder" ] && models+=("$folder")
done
run fuzz_model_files "${models[@]}"
