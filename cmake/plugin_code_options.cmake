# How the code that runs inside the modeller is compiled, in select_connected/ and plugin/: plain
# C++ with no exceptions and no RTTI (so no C++ runtime), symbols hidden unless exported, and, as
# it runs on the modeller's thread and stack, each function's frame reported by GCC (.su files
# beside the objects) for a test that holds every one to a small bound.
add_library(plugin_code_options INTERFACE)
# (What CMake's hidden-visibility properties give: on Windows, GCC's word for hiding inline
# functions is -fno-keep-inline-dllexport.)
target_compile_options(plugin_code_options INTERFACE -fno-exceptions -fno-rtti -fvisibility=hidden
  $<IF:$<PLATFORM_ID:Windows>,-fno-keep-inline-dllexport,-fvisibility-inlines-hidden>
  $<$<CXX_COMPILER_ID:GNU>:-fstack-usage>)
