#!/usr/bin/env bash
# Builds the plug-in and the benchmark, and prints the command's timing table on generated
# models (see benchmarks/select_connected_benchmark.cpp; pass --quick for smaller models).
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
tools/ensure_packages.sh "${build_packages[@]}"
cmake --preset default -DVEXO_BUILD_TESTS=OFF >/dev/null
cmake --build --preset default --target select_connected_benchmark adjsurf >/dev/null
exec build/select_connected_benchmark "$@"
