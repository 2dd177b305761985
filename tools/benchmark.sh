#!/usr/bin/env bash
# Builds the plug-in and the benchmark, and prints the command's timing tables on generated
# models (see benchmarks/select_connected_benchmark.cpp; --help lists the options). Installs
# CGAL, the benchmark's peer, where it is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
tools/ensure_packages.sh "${build_packages[@]}" "${benchmark_packages[@]}"
cmake --preset default -DVEXO_BUILD_TESTS=OFF >/dev/null
cmake --build --preset default --target select_connected_benchmark >/dev/null
exec build/select_connected_benchmark "$@"
