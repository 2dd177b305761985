// The four functions the modeller finds in the plug-in library by name.
//
// All are cdecl with C linkage and undecorated names. A modeller may pass VexoPluginInit an
// argument; it is not read, and cdecl leaves the stack to the caller, so that is harmless.
#ifndef PLUGIN_PLUGIN_ENTRY_POINTS_H
#define PLUGIN_PLUGIN_ENTRY_POINTS_H

#include "host/vexo_host_api.h"

#if defined(_WIN32)
#define VEXO_PLUGIN_EXPORT __declspec(dllexport)
#else
#define VEXO_PLUGIN_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

// On the first call: adds the command and its Tools-menu item. Later calls do nothing.
// Returns 0.
VEXO_PLUGIN_EXPORT int VEXO_CDECL VexoPluginInit(void);

// Does nothing; the command and menu item stay. Returns 0.
VEXO_PLUGIN_EXPORT int VEXO_CDECL VexoPluginExit(void);

// The About and Info texts: constant, owned by the plug-in, the same pointer on every call.
VEXO_PLUGIN_EXPORT const char* VEXO_CDECL VexoPluginAbout(void);
VEXO_PLUGIN_EXPORT const char* VEXO_CDECL VexoPluginInfo(void);

#ifdef __cplusplus
}
#endif

#endif  // PLUGIN_PLUGIN_ENTRY_POINTS_H
