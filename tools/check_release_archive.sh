#!/usr/bin/env bash
# Checks the release archive a user downloads: exactly the library and its install note, in that
# order, and the SHA256SUMS beside it true of both the archive and the library it was made from.
# Usage: check_release_archive.sh ARCHIVE LIBRARY-NAME
#   ARCHIVE       the release archive (the build's VEXO_RELEASE_ARCHIVE)
#   LIBRARY-NAME  the library's file name in it (the build's VEXO_PLUGIN_FILE)
# Exits 77 (skipped), saying why, when the archive has not been made.
set -euo pipefail
usage="usage: check_release_archive.sh ARCHIVE LIBRARY-NAME"
archive=${1:?$usage}
name=${2:?$usage}
[ -f "$archive" ] || { echo "skipped: $archive is not made (tools/release_win32.sh makes it)"; exit 77; }
entries=$(cmake -E tar tf "$archive")
[ "$entries" = "$name"$'\nINSTALL.txt' ] ||
  { echo "$archive holds $(tr '\n' ' ' <<<"$entries")instead of $name and INSTALL.txt" >&2; exit 1; }
cd "$(dirname "$archive")"
sha256sum --check --strict SHA256SUMS
