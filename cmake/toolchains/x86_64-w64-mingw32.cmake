# Cross-compiling for 64-bit Windows (the stand-in vexo.exe and a plug-in to run under Wine).
set(VEXO_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(VEXO_DLLTOOL_MACHINE i386:x86-64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
