#!/usr/bin/env bash
# Builds the plug-in and the stand-in modeller, then runs vexo-sim: on its demo scene, or with
# the arguments given (see build/vexo-sim --help).
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
tools/ensure_packages.sh "${build_packages[@]}" "${model_packages[@]}"
cmake --preset default -DVEXO_BUILD_TESTS=OFF >/dev/null
cmake --build --preset default --target vexo-sim adjsurf >/dev/null
exec build/vexo-sim "$@"
