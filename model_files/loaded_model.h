// What reading a model file gives, whatever its format: the readers' shared result.
#ifndef MODEL_FILES_LOADED_MODEL_H
#define MODEL_FILES_LOADED_MODEL_H

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

}  // namespace standin

#endif  // MODEL_FILES_LOADED_MODEL_H
