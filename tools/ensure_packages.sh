#!/usr/bin/env bash
# Installs the named Debian packages that are not installed yet (needs root, as on CI and the
# development machines). Prints nothing when all are present. A package named NAME:i386 first
# adds the i386 architecture to dpkg, which 32-bit packages on this 64-bit system need.
set -euo pipefail
missing=()
for package in "$@"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing missing packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if [[ " ${missing[*]}" == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
# A mirror caught mid-sync fails one index now and then; the others are still fresh, and the
# install below says clearly if what it needs is missing.
apt-get update -qq || echo "apt-get update reported errors; installing from the indexes it has" >&2
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
