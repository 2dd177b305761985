#include "host/vexo_plugin_entry_points.h"

#include "plugin/plugin_texts.h"
#include "select_connected/select_connected.h"

namespace {

// True from load until the first VexoPluginInit: the command is added exactly once per load,
// even when the modeller initialises the plug-in again.
bool command_pending = true;

}  // namespace

extern "C" {

int VEXO_CDECL VexoPluginInit(void) {
  if (!command_pending) return 0;
  vx_add_command(kCommandName, adjsurf::select_connected_go);
  vx_add_tools_menu_item(kMenuLabel, kMenuCommand, kMenuDescription);
  command_pending = false;
  return 0;
}

int VEXO_CDECL VexoPluginExit(void) {
  return 0;
}

const char* VEXO_CDECL VexoPluginAbout(void) {
  return kAboutText;
}

const char* VEXO_CDECL VexoPluginInfo(void) {
  return kInfoText;
}

}  // extern "C"
