#ifndef MODEL_FILES_OFF_READER_H
#define MODEL_FILES_OFF_READER_H

#include <string>

#include "model_files/loaded_model.h"
#include "model_files/text_lines.h"

namespace standin {

// Reads OFF text: an optional header word ending in "OFF" (with any of the prefixes ST, C, N, 4
// and n; after "nOFF" the dimension, which must make three coordinates), the vertex, face and edge
// counts (on the header line or after it), one vertex per line, then one face per line as its
// corner count and 0-based vertex indices; anything after a vertex's coordinates or a face's
// indices (normals, colours) is ignored. The whole file is one object, named after the file.
// Binary OFF, four-dimensional OFF and other dimensions are refused with a line that says so.
// Counts larger than a file could hold are refused before anything is allocated; a stream's
// are checked as its body is read. Text after the last face the header counts (a face the count
// leaves out) is an error naming its line, so that no face is lost without a word.
//
// Returns: empty, or "NAME:LINE: reason" (or "NAME: reason" for the file as a whole).
std::string read_off(const std::string& name, TextLines& lines, LoadedModel& model,
                     const LoadProgress& progress);

}  // namespace standin

#endif  // MODEL_FILES_OFF_READER_H
