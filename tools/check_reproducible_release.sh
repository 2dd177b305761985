#!/usr/bin/env bash
# Builds the shipping library and its release archive a second time, from nothing, in a folder
# of its own, and requires the same bytes as the win32 build already made: anyone who builds
# this commit can check the download against it. Prints both files' SHA-256.
#   check_reproducible_release.sh BUILD-FOLDER LIBRARY-NAME ARCHIVE-NAME
#     BUILD-FOLDER  the win32 preset's folder, build-win32
#     LIBRARY-NAME, ARCHIVE-NAME  the file names the build gives them (its cache holds both, as
#                   VEXO_PLUGIN_FILE and VEXO_RELEASE_ARCHIVE)
set -euo pipefail
usage="usage: check_reproducible_release.sh BUILD-FOLDER LIBRARY-NAME ARCHIVE-NAME"
built=${1:?$usage}
library=${2:?$usage}
archive=${3:?$usage}
cd "$(dirname "$0")/.."
[ -f "$built/$archive" ] ||
  { echo "$built has no $archive yet: run tools/release_win32.sh first" >&2; exit 1; }
again=$(mktemp -d)
trap 'rm -rf "$again"' EXIT
cmake --preset win32 -B "$again" >/dev/null
cmake --build "$again" --target release_archive -j 2 >/dev/null
status=0
for file in "$library" "$archive"; do
  if cmp -s "$built/$file" "$again/$file"; then
    echo "$(sha256sum "$built/$file" | cut -d' ' -f1)  $file: the same bytes from a second build"
  else
    echo "$file differs between $built and a second build in $again:" >&2
    cmp "$built/$file" "$again/$file" >&2 || true
    status=1
  fi
done
exit "$status"
