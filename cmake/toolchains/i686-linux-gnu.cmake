# 32-bit Linux on this 64-bit machine: g++ -m32, with tests run under qemu-i386, since the kernel
# here runs no 32-bit programs itself.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT -m32)
set(CMAKE_CXX_FLAGS_INIT -m32)
set(CMAKE_EXE_LINKER_FLAGS_INIT -m32)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -m32)
set(CMAKE_MODULE_LINKER_FLAGS_INIT -m32)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386)
set(VEXO_GTEST_SOURCE_DIR /usr/src/googletest)
