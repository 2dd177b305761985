#!/usr/bin/env bash
# Checks the release archive a user downloads: exactly the library and its install note, in that
# order, and the SHA256SUMS beside it true of both the archive and the library it was made from.
# Usage: check_release_archive.sh PATH/adjsurf-VERSION-win32.zip
# Exits 77 (skipped), saying why, when the archive has not been made.
set -euo pipefail
archive=${1:?usage: check_release_archive.sh ARCHIVE}
[ -f "$archive" ] || { echo "skipped: $archive is not made (tools/release_win32.sh makes it)"; exit 77; }
entries=$(cmake -E tar tf "$archive")
[ "$entries" = $'adjsurf.p\nINSTALL.txt' ] ||
  { echo "$archive holds $(tr '\n' ' ' <<<"$entries")instead of adjsurf.p and INSTALL.txt" >&2; exit 1; }
cd "$(dirname "$archive")"
sha256sum --check --strict SHA256SUMS
