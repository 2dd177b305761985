// The model file formats the readers know, as one type from the command line to the reader.
#ifndef MODEL_FILES_MODEL_FORMAT_H
#define MODEL_FILES_MODEL_FORMAT_H

#include <optional>
#include <string>
#include <string_view>

namespace standin {

enum class ModelFormat { kObj, kOff, kPly };

// The format as messages name it: "OBJ", "OFF", "PLY".
const char* model_format_name(ModelFormat format);

// The format a file's extension says (.obj, .off or .ply, in either case); nothing for another.
std::optional<ModelFormat> model_format_of_file(std::string_view path);

// The format a user names ("obj", "off", "ply"); nothing for another word.
std::optional<ModelFormat> model_format_named(std::string_view word);

// The words model_format_named knows, for messages and usage: "obj, off or ply".
const char* model_format_words();

}  // namespace standin

#endif  // MODEL_FILES_MODEL_FORMAT_H
