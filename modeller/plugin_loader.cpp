#include "modeller/plugin_loader.h"
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
  if (entry_points_.exit != nullptr) entry_points_.exit();
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
  if (!bind(library, "VexoPluginInit", found.init, path, error) ||
      !bind(library, "VexoPluginExit", found.exit, path, error) ||
      !bind(library, "VexoPluginAbout", found.about, path, error) ||
      !bind(library, "VexoPluginInfo", found.info, path, error)) {
    return nullptr;  // exit is not bound, so the destructor only unloads
  }
  plugin->entry_points_ = found;
  found.init();
  return plugin;
}

}  // namespace standin
