#!/usr/bin/env bash
# Checks the stack frames GCC reported (-fstack-usage) for the plug-in's code: every function's
# frame must be bounded (no alloca or variable-length arrays) and at most LIMIT bytes, since the
# command runs on the modeller's own thread and stack. "dynamic,bounded" (a frame realigned at
# run time, as on i686) gives its bound, which is held to the same limit.
# Usage: check_stack_usage.sh LIMIT OBJECT-LIST
#   OBJECT-LIST  the build's plugin_objects.txt: the plug-in code's object files, one a line; GCC
#                writes each one's report beside it, as NAME.su for NAME.o or NAME.obj
# Exits 77 (skipped), saying why, when that build has not been made.
set -euo pipefail
usage="usage: check_stack_usage.sh LIMIT OBJECT-LIST"
limit=${1:?$usage}
list=${2:?$usage}
[ -f "$list" ] || { echo "skipped: $list is not there (its build has not been configured)"; exit 77; }
reports=()
while IFS= read -r object; do
  case "$object" in
    *.o | *.obj) ;;
    *) continue ;;  # a compiled resource has no frames
  esac
  [ -f "$object" ] || { echo "skipped: $object is not built"; exit 77; }
  report=${object%.*}.su
  [ -f "$report" ] || { echo "$object has no stack usage report ($report)" >&2; exit 1; }
  reports+=("$report")
done <"$list"
[ ${#reports[@]} -gt 0 ] || { echo "no objects listed in $list" >&2; exit 1; }

# Each line: FILE:LINE:COLUMN:FUNCTION <tab> BYTES <tab> static|dynamic|dynamic,bounded
cat "${reports[@]}" | awk -F'\t' -v limit="$limit" '
  { functions++ }
  $2 > largest { largest = $2; largest_name = $1 }
  $3 !~ /^(static|dynamic,bounded)$/ || $2 > limit { print "too much stack: " $1 ": " $2 " bytes, " $3; bad++ }
  END {
    printf "%d functions, the largest frame %d bytes (%s)\n", functions, largest, largest_name
    exit bad > 0
  }'
