// Opens a plug-in library by path, as the modeller does: finds its four entry points by name and
// calls VexoPluginInit once. Closing calls VexoPluginExit and unloads the library.
#ifndef MODELLER_PLUGIN_LOADER_H
#define MODELLER_PLUGIN_LOADER_H

#include <memory>
#include <string>

#include "host/vexo_host_api.h"

namespace standin {

struct PluginEntryPoints {
  int(VEXO_CDECL* init)(void) = nullptr;
  int(VEXO_CDECL* exit)(void) = nullptr;
  const char*(VEXO_CDECL* about)(void) = nullptr;
  const char*(VEXO_CDECL* info)(void) = nullptr;
};

class LoadedPlugin {
 public:
  ~LoadedPlugin();
  LoadedPlugin(const LoadedPlugin&) = delete;
  LoadedPlugin& operator=(const LoadedPlugin&) = delete;

  const std::string& path() const { return path_; }
  const PluginEntryPoints& entry_points() const { return entry_points_; }

 private:
  friend std::unique_ptr<LoadedPlugin> load_plugin(const std::string&, std::string*);
  LoadedPlugin(std::string path, void* library) : path_(std::move(path)), library_(library) {}

  std::string path_;
  void* library_;
  PluginEntryPoints entry_points_;
};

// Loads the library at `path` with the active host's functions available to it, and calls its
// VexoPluginInit once. On failure returns null and sets *error to a one-line reason naming the
// file (and the missing entry point, if that is the cause).
std::unique_ptr<LoadedPlugin> load_plugin(const std::string& path, std::string* error);

}  // namespace standin

#endif  // MODELLER_PLUGIN_LOADER_H
