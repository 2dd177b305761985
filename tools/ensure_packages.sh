#!/usr/bin/env bash
# Installs the named Debian packages that are not installed yet (needs root, as on CI and the
# development machines). Prints nothing when all are present. A package named NAME:i386 first
# adds the i386 architecture to dpkg, which 32-bit packages on this 64-bit system need.
#
#   ensure_packages.sh PACKAGE...             install what is missing
#   ensure_packages.sh --simulate PACKAGE...  install nothing: check that apt can resolve the
#                                             whole set both ways below (apt-get install -s)
#
# A Debian mirror caught mid-sync can fail one index (seen: the i386 security index). apt then
# pairs amd64 packages at their security versions with i386 ones at the release's versions and
# refuses the set ("held broken packages"). The release's own suite (-t CODENAME, the
# VERSION_CODENAME of /etc/os-release) still resolves it, so that is the fallback, for the whole
# set. Only when that fails too does the script stop, naming the packages it could not get.
set -euo pipefail
source "$(dirname "$0")/packages.sh"
simulate=false
if [ "${1:-}" = "--simulate" ]; then
  simulate=true
  shift
fi

missing=()
for package in "$@"; do
  if $simulate; then
    missing+=("$package")
  else
    package_installed "$package" || missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

export DEBIAN_FRONTEND=noninteractive
# shellcheck source=/dev/null
codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
apt_install=(apt-get install -y -qq --no-install-recommends)
$simulate && apt_install=(apt-get install -s --no-install-recommends)
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# Runs apt-get install (or its simulation) over the set, with any extra options first. On
# failure, $reason holds apt's last error line.
reason=""
install_set() {
  "${apt_install[@]}" "$@" "${missing[@]}" >"$log" 2>&1 && return 0
  reason=$(grep '^E:' "$log" | tail -n 1)
  return 1
}

if ! $simulate; then
  echo "Installing missing packages: ${missing[*]}"
  if [[ " ${missing[*]}" == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
fi

# 1. The indexes as they are, when every one of them was fetched.
if apt-get update -qq >"$log" 2>&1 || { reason=$(grep '^E:' "$log" | head -n 1); false; }; then
  if install_set; then
    $simulate || exit 0
    echo "apt resolves the ${#missing[@]} packages from the indexes as they are"
  fi
fi
# 2. The release's own suite, for the whole set.
[ -n "$reason" ] &&
  echo "apt cannot use the indexes as they are (${reason#E: }); using the release's own suite instead: apt-get install -t $codename"
if [ -z "$codename" ]; then
  echo "/etc/os-release names no release to fall back to" >&2
  exit 1
fi
if install_set -t "$codename"; then
  $simulate && echo "apt resolves the ${#missing[@]} packages from the suite $codename too"
  exit 0
fi
if $simulate; then
  echo "apt cannot resolve the packages from the suite $codename (${reason#E: })" >&2
  exit 1
fi
not_installed=()
for package in "${missing[@]}"; do
  package_installed "$package" || not_installed+=("$package")
done
echo "could not install ${not_installed[*]:-the packages} (${reason#E: })" >&2
exit 1
