#include "plugin_loader/plugin_loader.h"
#include "messages/excerpt.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace standin {
namespace {

#if defined(_WIN32)
void* open_library(const std::string& path, std::string* reason) {
  HMODULE module = LoadLibraryA(path.c_str());
  if (module == nullptr) *reason = "Windows error " + std::to_string(GetLastError());
  return reinterpret_cast<void*>(module);
}
void* find_symbol(void* library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}
void close_library(void* library) {
  FreeLibrary(static_cast<HMODULE>(library));
}
#else
void* open_library(const std::string& path, std::string* reason) {
  // A path without a slash would make dlopen search the library path instead of opening the file.
  const std::string file = path.find('/') == std::string::npos ? "./" + path : path;
  void* library = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    const char* text = dlerror();
    *reason = text != nullptr ? text : "unknown error";
  }
  return library;
}
void* find_symbol(void* library, const char* name) {
  return dlsym(library, name);
}
void close_library(void* library) {
  dlclose(library);
}
#endif

template <typename Function>
bool bind(void* library, const char* name, Function& function, const std::string& path,
          std::string* error) {
  function = reinterpret_cast<Function>(find_symbol(library, name));
  if (function != nullptr) return true;
  *error = "plug-in '" + excerpt(path, kLongestName) + "' has no entry point '" + name + "'";
  return false;
}

}  // namespace

LoadedPlugin::~LoadedPlugin() {
  if (entry_points_.VexoPluginExit != nullptr) entry_points_.VexoPluginExit();
  close_library(library_);
}

std::unique_ptr<LoadedPlugin> load_plugin(const std::string& path, std::string* error) {
  std::string reason;
  void* library = open_library(path, &reason);
  if (library == nullptr) {
    *error = "cannot load plug-in '" + excerpt(path, kLongestName) + "': " + reason;
    return nullptr;
  }
  std::unique_ptr<LoadedPlugin> plugin(new LoadedPlugin(path, library));
  PluginEntryPoints found;
  bool bound = true;
  // Every entry point the boundary lists, by its name, in the order it lists them; the first
  // one missing is the error.
#define VEXO_PLUGIN_ENTRY_POINT(name) \
  bound = bound && bind(library, #name, found.name, path, error);
#include "vexo_plugin_entry_points.inc"
#undef VEXO_PLUGIN_ENTRY_POINT
  if (!bound) return nullptr;  // nothing is bound yet, so the destructor only unloads
  plugin->entry_points_ = found;
  found.VexoPluginInit();
  return plugin;
}

}  // namespace standin
