#!/usr/bin/env bash
# Packs the release archive so that any build of the same commit gives the same bytes: the
# library and its install note, in that order, with fixed times and modes and no extra fields
# (zip -X: no owner, no access or change times). The time is SOURCE_DATE_EPOCH when set, else
# the commit's own time, else the start of 1980 (the earliest a zip entry can hold). Then prints
# the SHA-256 of the library and of the archive, and writes them to SHA256SUMS beside it.
# Usage: pack_release.sh LIBRARY INSTALL-NOTE ARCHIVE
set -euo pipefail
usage="usage: pack_release.sh LIBRARY INSTALL-NOTE ARCHIVE"
library=${1:?$usage}
note=${2:?$usage}
archive=${3:?$usage}
command -v zip >/dev/null || { echo "pack_release.sh needs zip (Debian package zip)" >&2; exit 1; }
source_dir=$(cd "$(dirname "$0")/.." && pwd)
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$source_dir" log -1 --format=%ct 2>/dev/null || echo 315532800)}

folder=$(dirname "$archive")
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
name=$(basename "$library")
cp "$library" "$stage/$name"
cp "$note" "$stage/INSTALL.txt"
chmod 644 "$stage/$name" "$stage/INSTALL.txt"
# Zip entries hold local time: read and written in UTC, the entries are the same everywhere.
TZ=UTC0 touch -d "@$epoch" "$stage/$name" "$stage/INSTALL.txt"
rm -f "$archive"
(cd "$stage" && TZ=UTC0 zip -X -D -q "$stage/release.zip" "$name" INSTALL.txt)
mv "$stage/release.zip" "$archive"

(cd "$folder" && sha256sum "$(basename "$library")" "$(basename "$archive")") | tee "$folder/SHA256SUMS"
