// The plug-in's About and Info texts and its menu entry, byte for byte.
#ifndef PLUGIN_PLUGIN_TEXTS_H
#define PLUGIN_PLUGIN_TEXTS_H

#include "plugin_version.h"

inline constexpr char kAboutText[] =
    ADJSURF_PRODUCT " - version " ADJSURF_VERSION " - " ADJSURF_MAKER;
inline constexpr char kInfoText[] =
    ADJSURF_PRODUCT " - " ADJSURF_MAKER
                    " - Select surfaces connected to the currently selected "
                    "surfaces by shared edges.";
inline constexpr char kCommandName[] = "kwtadjsurf_go";
inline constexpr char kMenuLabel[] = "Select connected surfaces";
inline constexpr char kMenuCommand[] = "vexo kwtadjsurf_go";
inline constexpr char kMenuDescription[] =
    "Select surfaces connected to the currently selected surfaces by shared edges";

#endif  // PLUGIN_PLUGIN_TEXTS_H
