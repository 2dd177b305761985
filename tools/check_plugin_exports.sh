#!/usr/bin/env bash
# Checks that a Linux build of the plug-in defines exactly its entry points, leaves the
# modeller's functions undefined, to be bound to the program that loads it, and needs no C++
# runtime library.
set -euo pipefail
usage="usage: check_plugin_exports.sh LIBRARY ENTRY-POINT-LIST HOST-FUNCTION-LIST"
plugin=${1:?$usage}
# The entry points and the host functions, one per line, as the build derives them from the
# boundary headers.
entry_point_list=${2:?$usage}
mapfile -t host_functions <"${3:?$usage}"

expected_defined=$(sort "$entry_point_list")
defined=$(nm -D --defined-only "$plugin" | awk '{print $3}' | sort)
if [ "$defined" != "$expected_defined" ]; then
  echo "$plugin defines other symbols than its entry points:" >&2
  echo "$defined" >&2
  exit 1
fi

undefined=$(nm -D --undefined-only "$plugin" | awk '{print $2}')
for name in "${host_functions[@]}"; do
  if ! grep -qx "$name" <<<"$undefined"; then
    echo "$plugin does not import the host function $name" >&2
    exit 1
  fi
done
# The plug-in needs no C++ runtime: none may be loaded into the modeller on its account. (A
# sanitized build is the exception: the sanitizers' own runtimes ask for one.)
needed=$(readelf -d "$plugin" | awk '/NEEDED/ {print $NF}')
if ! grep -Eq '\[lib(a|ub)san' <<<"$needed" && grep -E '\[(libstdc\+\+|libgcc_s)' <<<"$needed"; then
  echo "$plugin needs a C++ runtime library" >&2
  exit 1
fi
echo "$plugin: exactly the $(wc -l <"$entry_point_list") entry points defined; ${#host_functions[@]} host functions imported"
