# Cross-compiling for 32-bit Windows (the shipping library).
set(VEXO_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(VEXO_DLLTOOL_MACHINE i386)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
