#include "model_files/model_file.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <string_view>

#include "model_files/obj_reader.h"
#include "model_files/off_reader.h"

namespace standin {
namespace {

std::string lower_extension(const std::string& path) {
  const auto dot = path.find_last_of('.');
  const auto slash = path.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string extension = path.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

}  // namespace

std::string load_model_text(const std::string& name, const std::string& text, LoadedModel& model,
                            const LoadProgress& progress) {
  const std::string extension = lower_extension(name);
  // Editors on some systems start a UTF-8 text with a byte-order mark; it is not part of a line.
  std::string_view body = text;
  if (body.substr(0, 3) == "\xEF\xBB\xBF") body.remove_prefix(3);
  std::string error;
  if (extension == "obj") {
    error = read_obj(name, body, model, progress);
  } else if (extension == "off") {
    error = read_off(name, body, model, progress);
  } else {
    return name + ": unknown model format (expected .obj or .off)";
  }
  if (!error.empty()) return error;
  std::size_t surfaces = 0;
  for (const Mesh& mesh : model.objects) surfaces += mesh.surface_count();
  if (surfaces == 0) return name + ": the model has no surfaces";
  return "";
}

std::string load_model_file(const std::string& path, LoadedModel& model,
                            const LoadProgress& progress) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return path + ": cannot open the file";
  // Read straight into the string the readers walk, not into a stream that is copied out.
  const std::string contents((std::istreambuf_iterator<char>(file)),
                             std::istreambuf_iterator<char>());
  if (file.bad()) return path + ": cannot read the file";
  return load_model_text(path, contents, model, progress);
}

}  // namespace standin
