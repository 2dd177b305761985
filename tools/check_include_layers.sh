#!/usr/bin/env bash
# Checks that every folder includes only from itself and the folders below it, so that
# dependencies run one way: the plug-in's folders know nothing of the stand-in side, and the
# stand-in modeller knows nothing of the plug-in or of vexo-sim.
set -euo pipefail
cd "$(dirname "$0")/.."
declare -A allowed=(
  [host]="host"
  [select_connected]="select_connected host"
  [plugin]="plugin select_connected host"
  [messages]="messages"
  [mesh]="mesh"
  [modeller]="modeller mesh messages host"
  [plugin_loader]="plugin_loader messages host"
  [model_files]="model_files mesh messages"
  [vexo_sim]="vexo_sim modeller plugin_loader model_files mesh messages host"
  [test_support]="test_support modeller mesh messages host"
)
status=0
for folder in "${!allowed[@]}"; do
  while IFS=: read -r file included; do
    if [[ " ${allowed[$folder]} " != *" $included "* ]]; then
      echo "$file includes from $included/, which $folder/ may not depend on" >&2
      status=1
    fi
  done < <(grep -o '#include "[a-z_]*/' "$folder"/*.h "$folder"/*.cpp 2>/dev/null |
    sed 's/:#include "/:/; s#/$##')
done
[ $status -eq 0 ] && echo "every folder includes only from the folders below it"
exit $status
