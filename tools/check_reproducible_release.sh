#!/usr/bin/env bash
# Builds the shipping library and its release archive a second time, from nothing, in a folder
# of its own, and requires the same bytes as the win32 build already made (build-win32): anyone
# who builds this commit can check the download against it. Prints both files' SHA-256.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build-win32/adjsurf-1.0-win32.zip ] ||
  { echo "build-win32 has no release archive yet: run tools/release_win32.sh first" >&2; exit 1; }
again=$(mktemp -d)
trap 'rm -rf "$again"' EXIT
cmake --preset win32 -B "$again" >/dev/null
cmake --build "$again" --target release_archive -j 2 >/dev/null
status=0
for file in adjsurf.p adjsurf-1.0-win32.zip; do
  if cmp -s "build-win32/$file" "$again/$file"; then
    echo "$(sha256sum "build-win32/$file" | cut -d' ' -f1)  $file: the same bytes from a second build"
  else
    echo "$file differs between build-win32 and a second build in $again:" >&2
    cmp "build-win32/$file" "$again/$file" >&2 || true
    status=1
  fi
done
exit "$status"
