#ifndef MODEL_FILES_OBJ_READER_H
#define MODEL_FILES_OBJ_READER_H

#include <string>

#include "model_files/loaded_model.h"
#include "model_files/text_lines.h"

namespace standin {

// Reads Wavefront OBJ text. Each `o` starts an object; in a file without `o`, each `g` does; in a
// file with neither, everything is one object, named after the file. Faces before the first
// such line form an object named after the file too. Objects without faces are left out, with one
// warning that names the first of them and how many there are. Each object keeps only the
// vertices its faces use, in the order its faces first use them. Relative (negative) vertex
// indices count back from the vertices read so far; texture and normal indices are checked to be
// whole numbers and not used. A line that ends in a backslash goes on in the next.
//
// The text is read once; the first malformed line, or the first face corner naming no vertex,
// is the error. Statements that make no surfaces (vt, vn, s, usemtl, l, free-form geometry and
// the like) are skipped; a statement the reader does not know is skipped with one warning per
// keyword, naming its first line.
//
// Returns: empty, or "NAME:LINE: reason" (or "NAME: reason" for the file as a whole).
std::string read_obj(const std::string& name, TextLines& lines, LoadedModel& model,
                     const LoadProgress& progress);

}  // namespace standin

#endif  // MODEL_FILES_OBJ_READER_H
