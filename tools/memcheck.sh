#!/usr/bin/env bash
# Runs a program under valgrind's memcheck and fails on any memory error or leak of its own.
# Usage: memcheck.sh PROGRAM [ARGUMENT...]
# Exits 77 (skipped), saying why, where valgrind is not installed (tools/test.sh installs it).
set -euo pipefail
command -v valgrind >/dev/null || { echo "skipped: valgrind is not installed"; exit 77; }
exec valgrind --tool=memcheck --error-exitcode=1 --leak-check=full \
  --errors-for-leak-kinds=definite,indirect,possible \
  --show-leak-kinds=definite,indirect,possible "$@"
