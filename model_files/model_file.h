// Reading a model file (Wavefront OBJ or OFF) into meshes for the stand-in modeller.
//
// Connectivity is exactly the file's: two surfaces share an edge when their loops step between
// the same two vertex indices; vertices are never welded by position. A face that repeats a
// vertex keeps its first occurrence; the repeat is dropped with a warning naming the line.
#ifndef MODEL_FILES_MODEL_FILE_H
#define MODEL_FILES_MODEL_FILE_H

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "mesh/mesh.h"

namespace standin {

struct LoadedModel {
  std::vector<Mesh> objects;
  std::vector<std::string> warnings;  // "FILE:LINE: ..." each
};

// Told how far the reading has got, as a fraction from 0 to 1.
using LoadProgress = std::function<void(double fraction)>;

// Inputs:  path      an .obj or .off file (by extension, either case)
//          progress  optional; called now and then while reading
// Output:  model     the objects, in file order, each with its name
// Returns: empty on success, or a one-line error naming the file and, where it applies, the line.
std::string load_model_file(const std::string& path, LoadedModel& model,
                            const LoadProgress& progress = nullptr);

// The same for a file's contents already in memory; `name` stands for the file in messages and
// decides the format by its extension.
std::string load_model_text(const std::string& name, const std::string& text, LoadedModel& model,
                            const LoadProgress& progress = nullptr);

}  // namespace standin

#endif  // MODEL_FILES_MODEL_FILE_H
