#ifndef MODEL_FILES_PLY_READER_H
#define MODEL_FILES_PLY_READER_H

#include <string>

#include "model_files/loaded_model.h"
#include "model_files/text_lines.h"

namespace standin {

// Reads PLY, ASCII or binary of either byte order, version 1.0 (ply_header.h). The elements come
// in any number and order. `vertex` gives the vertices by its properties x, y and z, of any
// scalar type; `face` gives the surfaces by its list `vertex_indices` (or `vertex_index`), of
// any count and index type, its indices 0-based. Every other property, and every other element,
// lists included, is read past unused. The whole file is one object, named after the file.
//
// An ASCII body holds one item (a vertex, a face, ...) a line; an error there names the line. An
// error in a binary body names the element, the item's number (0-based, as surfaces are
// numbered) and the byte where the item starts: "NAME: face 1,203 (byte 40,112): reason". A
// body that ends early says how many items of the element it held. Memory is set aside for the
// header's counts only when the file's size can hold them; otherwise, and for a stream, it grows
// only with what has been read. A list's count beyond what is left of the file is refused before
// its items are read.
//
// Returns: empty, or the one-line error.
std::string read_ply(const std::string& name, TextLines& lines, LoadedModel& model,
                     const LoadProgress& progress);

}  // namespace standin

#endif  // MODEL_FILES_PLY_READER_H
