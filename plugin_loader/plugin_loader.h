// Opens a plug-in library by path, as the modeller does: finds its entry points by name (those
// the boundary lists, host/vexo_plugin_entry_points.h) and calls VexoPluginInit once. Closing
// calls VexoPluginExit and unloads the library.
#ifndef PLUGIN_LOADER_PLUGIN_LOADER_H
#define PLUGIN_LOADER_PLUGIN_LOADER_H

#include <memory>
#include <string>

#include "host/vexo_host_api.h"
#include "host/vexo_plugin_entry_points.h"

namespace standin {

// One pointer per entry point, named and typed as the boundary declares it.
struct PluginEntryPoints {
#define VEXO_PLUGIN_ENTRY_POINT(name) decltype(&::name) name = nullptr;
#include "vexo_plugin_entry_points.inc"
#undef VEXO_PLUGIN_ENTRY_POINT
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

#endif  // PLUGIN_LOADER_PLUGIN_LOADER_H
