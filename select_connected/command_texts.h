// The texts the command shows to the user or hands to the modeller, byte for byte.
#ifndef SELECT_CONNECTED_COMMAND_TEXTS_H
#define SELECT_CONNECTED_COMMAND_TEXTS_H

inline constexpr char kNothingSelectedText[] = "adjsurfaces : Nothing selected";
inline constexpr char kWrongSelectModeText[] = "adjsurfaces : Must be in Surface or Vertex mode";
inline constexpr char kNoWholeSurfacesText[] = "adjsurf : no whole surfaces selected";
inline constexpr char kNotEnoughMemoryText[] = "adjsurfaces : Not enough memory";
inline constexpr char kSelectedCountFormat[] = "Selected %d surfaces";
inline constexpr char kUndoLabel[] = "select connected surfaces";

// The modeller's select-mode codes for surface and vertex mode; the command accepts either.
inline constexpr int kSurfaceSelectMode = 2;
inline constexpr int kVertexSelectMode = 3;

#endif  // SELECT_CONNECTED_COMMAND_TEXTS_H
