#ifndef MODEL_FILES_OBJ_READER_H
#define MODEL_FILES_OBJ_READER_H

#include <string>
#include <string_view>

#include "model_files/model_file.h"

namespace standin {

// Reads Wavefront OBJ text. Each `o` starts an object; in a file without `o`, each `g` does; in a
// file with neither, everything is one object, named after the file. Faces before the first
// such line form an object named after the file too; objects without faces are left out. Each
// object keeps only the vertices its faces use, in the order its faces first use them. Relative
// (negative) vertex indices count back from the vertices read so far; texture and normal indices
// are ignored.
//
// The text is read once; the first malformed line, or the first face corner naming no vertex,
// is the error.
//
// Returns: empty, or "NAME:LINE: reason" (or "NAME: reason" for the file as a whole).
std::string read_obj(const std::string& name, std::string_view text, LoadedModel& model,
                     const LoadProgress& progress);

}  // namespace standin

#endif  // MODEL_FILES_OBJ_READER_H
