#!/usr/bin/env bash
# Reads the PE tables of a Windows build of the plug-in (objdump -p) and checks that it is what
# the modeller loads: the right machine, the module named as its file is, exactly its entry points by
# plain name, the modeller's functions imported by name from vexo.exe, nothing imported but
# Windows' own libraries (no MinGW runtime DLL), no C++ runtime linked in, and its version
# resource with the release's version, product and maker.
# Exits 77 (skipped) when the library has not been built.
set -euo pipefail
usage="usage: check_windows_library.sh LIBRARY pei-i386|pei-x86-64 ENTRY-POINT-LIST HOST-FUNCTION-LIST VERSION PRODUCT MAKER"
library=${1:?$usage}
format=${2:?$usage}
# One name per line each, derived from the boundary headers.
entry_point_list=${3:?$usage}
host_function_list=${4:?$usage}
version=${5:?$usage}
product=${6:?$usage}
maker=${7:?$usage}
[ -f "$library" ] || { echo "skipped: $library is not built"; exit 77; }

fail() { echo "$library: $*" >&2; exit 1; }
tables=$(objdump -p "$library")

grep -q "file format $format\$" <<<"$tables" || fail "is not $format"

name=$(basename "$library")
[ "$(sed -n 's/^Name[[:space:]]*[0-9a-f]* //p' <<<"$tables")" = "$name" ] ||
  fail "export directory does not name $name"
exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$tables" | awk '/\[/ && NR > 1 {print $NF}' | sort)
[ "$exports" = "$(sort "$entry_point_list")" ] ||
  fail "exports are not exactly its entry points: $(tr '\n' ' ' <<<"$exports")"

# Imports, library by library: "DLL Name: X" followed by its hint/name rows.
imports_from() {
  awk -v dll="$1" '
    /DLL Name:/ { inside = ($3 == dll); next }
    inside && NF == 0 { inside = 0 }
    inside && $1 ~ /^[0-9a-f]+$/ && NF >= 3 { print $3 }' <<<"$tables" | sort
}
expected_host=$(sort "$host_function_list")
host_count=$(wc -l <"$host_function_list")
[ "$(imports_from vexo.exe)" = "$expected_host" ] ||
  fail "does not import exactly the modeller's $host_count functions from vexo.exe"
while read -r dll; do
  case "$dll" in
    vexo.exe | KERNEL32.dll | msvcrt.dll | ucrtbase.dll | api-ms-win-crt-*.dll) ;;
    *) fail "imports from $dll, which is not part of Windows" ;;
  esac
done < <(awk '/DLL Name:/ {print $3}' <<<"$tables")

# No C++ runtime linked in: its exception machinery is what fails inside a modeller that has
# another copy of the unwinder loaded. Its type names and messages would show in the strings.
if strings -n 6 "$library" | grep -Eq 'bad_alloc|__gxx_personality|terminate called'; then
  fail "carries the C++ runtime"
fi

# The version resource's strings are UTF-16: pair each key with the value that follows it.
resource=$(strings -el -n 3 "$library")
for pair in "FileDescription=$product" "FileVersion=$version" "ProductVersion=$version" \
  "CompanyName=$maker" "OriginalFilename=$name"; do
  key=${pair%%=*}
  value=${pair#*=}
  grep -A1 -x "$key" <<<"$resource" | tail -n 1 | grep -qx "$value" ||
    fail "version resource lacks $key \"$value\""
done
echo "$library: $format, module $name, $(wc -l <"$entry_point_list") entry points, $host_count imports from vexo.exe, system DLLs only, no C++ runtime, version resource $version"
