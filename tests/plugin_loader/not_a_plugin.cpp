// A library with only one of the four entry points, for the loader's error message.
extern "C" __attribute__((visibility("default"))) int VexoPluginInit(void) {
  return 0;
}
