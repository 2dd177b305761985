#!/usr/bin/env bash
# Replays the committed fuzz corpus (fuzz/corpus) through the fuzz targets built with clang's
# source-based coverage, and prints the line and branch coverage of the command
# (select_connected/), of the model readers and of vexo-sim's session, then every line of
# select_connected/ that no input reaches. Installs missing Debian packages first.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
tools/ensure_packages.sh "${build_packages[@]}" "${coverage_packages[@]}"
cmake --preset coverage >/dev/null
cmake --build --preset coverage >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for target in select_connected model_files session_script; do
  # -runs=0: execute every input of the corpus once, and fuzz no further.
  LLVM_PROFILE_FILE="$work/$target-%p.profraw" "build-coverage/fuzz_$target" -runs=0 \
    "fuzz/corpus/$target" >"$work/$target.log" 2>&1
done
"llvm-profdata-$llvm_version" merge -sparse "$work"/*.profraw -o "$work/corpus.profdata"

binaries=(build-coverage/fuzz_select_connected -object build-coverage/fuzz_model_files
  -object build-coverage/fuzz_session_script)
readers=(model_files/)
echo "== coverage of the command, replaying fuzz/corpus/select_connected"
"llvm-cov-$llvm_version" report "${binaries[@]}" -instr-profile="$work/corpus.profdata" \
  -show-region-summary=false -show-instantiation-summary=false select_connected/
echo
echo "== coverage of the model readers, replaying fuzz/corpus/model_files"
"llvm-cov-$llvm_version" report "${binaries[@]}" -instr-profile="$work/corpus.profdata" \
  -show-region-summary=false -show-instantiation-summary=false "${readers[@]}"
echo
echo "== coverage of vexo-sim's session and options, replaying fuzz/corpus/session_script"
"llvm-cov-$llvm_version" report "${binaries[@]}" -instr-profile="$work/corpus.profdata" \
  -show-region-summary=false -show-instantiation-summary=false vexo_sim/
echo
echo "== lines of select_connected/ that no input reaches"
"llvm-cov-$llvm_version" show "${binaries[@]}" -instr-profile="$work/corpus.profdata" select_connected/ |
  awk -F'|' '/^\/.*:$/ {file = $0} $2 ~ /^ *0$/ {print file " line" $1 ":" $3; n++}
    END {if (n == 0) print "none"}'
