#ifndef MODEL_FILES_OFF_READER_H
#define MODEL_FILES_OFF_READER_H

#include <string>

#include "model_files/load_model.h"
#include "model_files/text_lines.h"

namespace standin {

// Reads OFF text: an optional header word ending in "OFF", the vertex, face and edge counts
// (on the header line or the next), one vertex per line, then one face per line as its corner
// count and 0-based vertex indices; anything after a face's indices (a colour) is ignored. The
// whole file is one object, named after the file. Counts larger than the file could hold are
// refused before anything is allocated, and the header is
// checked before the body is read.
//
// Returns: empty, or "NAME:LINE: reason" (or "NAME: reason" for the file as a whole).
std::string read_off(const std::string& name, TextLines& lines, LoadedModel& model,
                     const LoadProgress& progress);

}  // namespace standin

#endif  // MODEL_FILES_OFF_READER_H
