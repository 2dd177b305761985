# The Debian packages each command of tools/ installs, named once; sourced by those commands.
# Each set is an array; a command installs the union of the sets it needs through
# tools/ensure_packages.sh.

# Whether a Debian package is installed, as dpkg says.
package_installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

# The LLVM release whose clang, sanitizer runtimes and coverage tools the fuzz and coverage
# builds use: Debian 12's.
llvm_version=14

# Building the plug-in, the stand-in modeller and vexo-sim.
build_packages=(g++ cmake make binutils libcli11-dev nlohmann-json3-dev)
# The benchmark's peer, CGAL's connected_component (header-only); no test needs it.
benchmark_packages=(libcgal-dev)
# The sample models the demo and the tests read.
model_packages=(assimp-testmodels)
# The test suites: GoogleTest, valgrind, the 32-bit build, and meshio, an independent PLY reader.
test_packages=(libgtest-dev libgmock-dev googletest valgrind g++-multilib python3-meshio)
# The fuzz targets: clang with its sanitizer and libFuzzer runtimes.
fuzz_packages=(clang "libclang-rt-$llvm_version-dev")
# Coverage reports: the fuzz build's tools and llvm-profdata and llvm-cov.
coverage_packages=("${fuzz_packages[@]}" "llvm-$llvm_version")
# The 32-bit Windows library and its release archive.
win32_packages=(g++-mingw-w64-i686 binutils-mingw-w64-i686 zip)
# The 64-bit Windows build, and running both under Wine (32-bit through qemu where needed).
windows_test_packages=("${win32_packages[@]}" g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  wine64 wine32:i386 qemu-user)
