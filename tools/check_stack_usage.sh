#!/usr/bin/env bash
# Checks the stack frames GCC reported (-fstack-usage) for the plug-in's code: every function's
# frame must be bounded (no alloca or variable-length arrays) and at most LIMIT bytes, since the
# command runs on the modeller's own thread and stack. "dynamic,bounded" (a frame realigned at
# run time, as on i686) gives its bound, which is held to the same limit.
# Usage: check_stack_usage.sh LIMIT OBJECT-DIR...   Exits 77 (skipped) when a folder is not built.
set -euo pipefail
limit=${1:?usage: check_stack_usage.sh LIMIT OBJECT-DIR...}
shift
reports=()
for folder in "$@"; do
  [ -d "$folder" ] || { echo "skipped: $folder is not built"; exit 77; }
  while IFS= read -r -d '' report; do reports+=("$report"); done < <(find "$folder" -name '*.su' -print0)
done
[ ${#reports[@]} -gt 0 ] || { echo "no stack usage reports in $*" >&2; exit 1; }

# Each line: FILE:LINE:COLUMN:FUNCTION <tab> BYTES <tab> static|dynamic|dynamic,bounded
cat "${reports[@]}" | awk -F'\t' -v limit="$limit" '
  { functions++ }
  $2 > largest { largest = $2; largest_name = $1 }
  $3 !~ /^(static|dynamic,bounded)$/ || $2 > limit { print "too much stack: " $1 ": " $2 " bytes, " $3; bad++ }
  END {
    printf "%d functions, the largest frame %d bytes (%s)\n", functions, largest, largest_name
    exit bad > 0
  }'
