#include "model_files/model_format.h"

#include <algorithm>
#include <cctype>

namespace standin {

namespace {

struct KnownFormat {
  ModelFormat format;
  const char* name;  // as messages name it, and, in upper case, its extension
  const char* word;  // as a user names it, and, in lower case, its extension
};

constexpr KnownFormat kKnownFormats[] = {{ModelFormat::kObj, "OBJ", "obj"},
                                         {ModelFormat::kOff, "OFF", "off"},
                                         {ModelFormat::kPly, "PLY", "ply"}};

std::string lower_case(std::string_view text) {
  std::string lowered(text);
  std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lowered;
}

}  // namespace

const char* model_format_name(ModelFormat format) {
  for (const KnownFormat& known : kKnownFormats) {
    if (known.format == format) return known.name;
  }
  return "model";
}

std::optional<ModelFormat> model_format_of_file(std::string_view path) {
  const auto dot = path.find_last_of('.');
  const auto slash = path.find_last_of("/\\");
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) {
    return std::nullopt;
  }
  return model_format_named(lower_case(path.substr(dot + 1)));
}

std::optional<ModelFormat> model_format_named(std::string_view word) {
  for (const KnownFormat& known : kKnownFormats) {
    if (word == known.word) return known.format;
  }
  return std::nullopt;
}

const char* model_format_words() {
  return "obj, off or ply";
}

}  // namespace standin
