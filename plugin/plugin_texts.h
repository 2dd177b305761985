// The plug-in's About and Info texts and its menu entry, byte for byte.
#ifndef PLUGIN_PLUGIN_TEXTS_H
#define PLUGIN_PLUGIN_TEXTS_H

inline constexpr char kAboutText[] = "Select Connected Surfaces - version 1.0 - Quillmar";
inline constexpr char kInfoText[] =
    "Select Connected Surfaces - Quillmar - Select surfaces connected to the currently selected "
    "surfaces by shared edges.";
inline constexpr char kCommandName[] = "kwtadjsurf_go";
inline constexpr char kMenuLabel[] = "Select connected surfaces";
inline constexpr char kMenuCommand[] = "vexo kwtadjsurf_go";
inline constexpr char kMenuDescription[] =
    "Select surfaces connected to the currently selected surfaces by shared edges";

#endif  // PLUGIN_PLUGIN_TEXTS_H
