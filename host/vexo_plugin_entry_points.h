// The functions the modeller finds in a plug-in library by name: the other half of the boundary.
//
// All are cdecl with C linkage and undecorated names. A modeller may pass VexoPluginInit an
// argument; it is not read, and cdecl leaves the stack to the caller, so that is harmless.
//
// This header is the one list of them. Configuring the build derives from it (host/CMakeLists.txt)
// the library's .def file and linker version script, which export exactly these names; an
// include file, one VEXO_PLUGIN_ENTRY_POINT(name) per entry point, for the code that looks them
// up; and a list of the names for the checks of built libraries.
#ifndef VEXO_PLUGIN_ENTRY_POINTS_H
#define VEXO_PLUGIN_ENTRY_POINTS_H

#include "host/vexo_host_api.h"

// The plug-in exports these; the modeller, which only looks them up, declares them plainly.
#if defined(VEXO_HOST_IMPLEMENTATION)
#define VEXO_PLUGIN_EXPORT
#elif defined(_WIN32)
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

#endif  // VEXO_PLUGIN_ENTRY_POINTS_H
