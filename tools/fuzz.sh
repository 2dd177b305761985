#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, with AddressSanitizer and UndefinedBehaviorSanitizer) and
# runs them. Installs missing Debian packages first.
#
#   tools/fuzz.sh [SECONDS] [--only TARGET]
#       each target in turn (or only TARGET) for SECONDS (default 60), from the committed corpus
#       in fuzz/corpus (and, for the model readers, Debian's assimp-testmodels); new inputs go to
#       a temporary folder, not into the repository
#   tools/fuzz.sh --campaign SECONDS [--only TARGET]
#       the targets two at a time, one per core (the last, alone, on both cores with two seeds; or
#       only TARGET so), for SECONDS each; then the committed corpus and everything found are
#       merged (-merge=1) back into fuzz/corpus, with the seed models, keeping only inputs that
#       add coverage and are at most 16 KiB, so that the next run starts where this one ended
#
# It prints each target's executions, rate and new inputs. An input that crashes, breaks a
# target's checks, runs longer than 25 s or holds more memory than libFuzzer's limit is a failure,
# kept in build-fuzz/failures. Arguments it cannot use end it with status 2.
set -euo pipefail
cd "$(dirname "$0")/.."
targets=(fuzz_select_connected fuzz_model_files fuzz_session_script)
usage="usage: fuzz.sh [--campaign] [SECONDS] [--only TARGET]  (TARGET: ${targets[*]})"
refuse() {
  echo "fuzz.sh: $1" >&2
  echo "$usage" >&2
  exit 2
}
campaign=false
seconds=60
only=""
while [ $# -gt 0 ]; do
  case "$1" in
    --campaign) campaign=true ;;
    --only)
      [ $# -ge 2 ] || refuse "--only needs a target"
      only=$2
      [[ " ${targets[*]} " == *" $only "* ]] || refuse "no target '$only'"
      shift ;;
    -h | --help) echo "$usage"; exit 0 ;;
    *)
      [[ "$1" =~ ^[1-9][0-9]*$ ]] || refuse "'$1' is neither an option nor a number of seconds"
      seconds=$1 ;;
  esac
  shift
done
source tools/packages.sh
tools/ensure_packages.sh "${build_packages[@]}" "${fuzz_packages[@]}" "${model_packages[@]}"
# The compiler reads fuzz/uninstrumented.txt, but the build does not track it: a build made
# with another list is made again.
cmp -s fuzz/uninstrumented.txt build-fuzz/uninstrumented.txt 2>/dev/null || rm -rf build-fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
cp fuzz/uninstrumented.txt build-fuzz/uninstrumented.txt

root=$(pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Each input at most 64 KiB; kept corpus inputs at most 16 KiB.
max_len=65536
kept_len=16384

seed_folders() {
  echo "$root/fuzz/corpus/$1"
  if [ "$1" = model_files ]; then
    for folder in /usr/share/assimp/models/OBJ /usr/share/assimp/models/OFF \
      /usr/share/assimp/models/PLY /usr/share/assimp/models/invalid; do
      [ -d "$folder" ] && echo "$folder"
    done
  fi
  return 0
}

# run TARGET CORPUS [SEED]: fuzzes for $seconds, new inputs into $work/new/CORPUS; prints its
# figures.
run() {
  local target=$1 corpus=$2 seed=${3:-1} status=0
  local log="$work/$target.$seed.log"
  mkdir -p "$work/new/$corpus"
  mapfile -t seeds < <(seed_folders "$corpus")
  (cd "$work" && "$root/build-fuzz/$target" -seed="$seed" -max_total_time="$seconds" \
    -timeout=25 -max_len=$max_len -print_final_stats=1 "$work/new/$corpus" "${seeds[@]}" \
    >"$log" 2>&1) ||
    status=$?
  local executions rate added
  executions=$(awk '/^stat::number_of_executed_units:/ {print $2}' "$log")
  rate=$(awk '/^stat::average_exec_per_sec:/ {print $2}' "$log")
  added=$(awk '/^stat::new_units_added:/ {print $2}' "$log")
  printf '%-22s %10s executions in %ss, %6s per second, %4s new inputs (seed %s)\n' \
    "$target" "${executions:-?}" "$seconds" "${rate:-?}" "${added:-?}" "$seed"
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$log" >&2
    mkdir -p "$root/build-fuzz/failures"
    cp "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$root/build-fuzz/failures/" 2>/dev/null || true
    echo "fuzz: $target failed (exit $status); its input, if any, is in build-fuzz/failures" >&2
    return 1
  fi
}

# merge TARGET CORPUS: the committed corpus and the new inputs, minimised into fuzz/corpus. The
# merge goes to a folder of its own; the committed corpus is replaced only once that folder holds
# inputs, so a failed or empty merge leaves it as it was.
merge() {
  local target=$1 corpus=$2
  local candidates="$work/candidates/$corpus" merged="$work/merged/$corpus"
  local committed="$root/fuzz/corpus/$corpus"
  mkdir -p "$candidates" "$merged"
  mapfile -t seeds < <(seed_folders "$corpus")
  find "${seeds[@]}" "$work/new/$corpus" -type f -size -$((kept_len + 1))c -print0 |
    xargs -0 -I{} sh -c 'cp "$1" "$2/$(sha1sum < "$1" | cut -c1-40)"' _ {} "$candidates"
  if ! "$root/build-fuzz/$target" -merge=1 -max_len=$kept_len "$merged" "$candidates" \
    >"$work/$target.merge.log" 2>&1; then
    tail -n 20 "$work/$target.merge.log" >&2
    echo "fuzz: the merge of $corpus failed; fuzz/corpus/$corpus is left as it was" >&2
    return 1
  fi
  if [ -z "$(ls -A "$merged")" ]; then
    echo "fuzz: the merge of $corpus kept no inputs; fuzz/corpus/$corpus is left as it was" >&2
    return 1
  fi
  rm -rf "$committed.merged"
  cp -r "$merged" "$committed.merged"
  rm -rf "$committed"
  mv "$committed.merged" "$committed"
  echo "$corpus: $(ls "$committed" | wc -l) inputs, $(du -sk "$committed" | cut -f1) KiB kept in" \
    "fuzz/corpus/$corpus"
}

# side_by_side TARGET SEED TARGET SEED: the two runs at once, one on each core; prints their
# figures in that order, and fails when either failed.
side_by_side() {
  local status=0 first second
  run "$1" "${1#fuzz_}" "$2" >"$work/first.summary" & first=$!
  run "$3" "${3#fuzz_}" "$4" >"$work/second.summary" & second=$!
  wait "$first" || status=1
  wait "$second" || status=1
  cat "$work/first.summary" "$work/second.summary"
  return "$status"
}

if $campaign && [ -n "$only" ]; then
  echo "== fuzz campaign: $only on both cores for ${seconds}s"
  side_by_side "$only" 1 "$only" 2 || exit 1
  merge "$only" "${only#fuzz_}"
elif $campaign; then
  echo "== fuzz campaign: every target for ${seconds}s, two at a time"
  side_by_side fuzz_select_connected 1 fuzz_model_files 1 || exit 1
  side_by_side fuzz_session_script 1 fuzz_session_script 2 || exit 1
  for target in "${targets[@]}"; do merge "$target" "${target#fuzz_}"; done
else
  echo "== fuzz: ${only:-each target} for ${seconds}s"
  for target in "${targets[@]}"; do
    [ -z "$only" ] || [ "$target" = "$only" ] || continue
    run "$target" "${target#fuzz_}"
  done
fi
