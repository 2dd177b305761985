#include "model_files/load_model.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "model_files/obj_reader.h"
#include "model_files/off_reader.h"
#include "model_files/text_input.h"
#include "model_files/text_lines.h"

namespace standin {
namespace {

// "OBJ" or "OFF" by the name's extension, in either case; null for any other.
const char* format_of(const std::string& name) {
  const auto dot = name.find_last_of('.');
  const auto slash = name.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return nullptr;
  std::string extension = name.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  if (extension == "OBJ") return "OBJ";
  if (extension == "OFF") return "OFF";
  return nullptr;
}

std::string unknown_format(const std::string& name) {
  return name + ": unknown model format (expected .obj or .off, or --format)";
}

std::string read_model(const std::string& name, const char* format, TextLines& lines,
                       LoadedModel& model, const LoadProgress& progress) {
  const std::string error = std::strcmp(format, "OBJ") == 0
                                ? read_obj(name, lines, model, progress)
                                : read_off(name, lines, model, progress);
  if (!error.empty()) return error;
  std::size_t surfaces = 0;
  for (const Mesh& mesh : model.objects) surfaces += mesh.surface_count();
  if (surfaces > 0) return "";
  return name + (lines.line_number() == 0 ? ": the file is empty" : ": the model has no surfaces");
}

// The format of a stream whose name does not tell it: OFF when its first line starts with an OFF
// header word ("OFF", "COFF", "NOFF", "nOFF" and the like), otherwise OBJ. The line is put back.
const char* sniffed_format(TextLines& lines) {
  std::string_view line;
  if (!lines.next(line)) return "OBJ";
  const std::string_view word = first_word(line);
  lines.put_back();
  return word.size() >= 3 && word.substr(word.size() - 3) == "OFF" ? "OFF" : "OBJ";
}

const char* format_named(ModelFormat format, const std::string& path) {
  switch (format) {
    case ModelFormat::kObj:
      return "OBJ";
    case ModelFormat::kOff:
      return "OFF";
    default:
      return format_of(path);
  }
}

}  // namespace

std::string load_model_text(const std::string& name, const std::string& text, LoadedModel& model,
                            const LoadProgress& progress) {
  const char* format = format_of(name);
  if (format == nullptr) return unknown_format(name);
  TextLines lines(text, format);
  return read_model(name, format, lines, model, progress);
}

std::string load_model_file(const std::string& path, LoadedModel& model,
                            const LoadProgress& progress, ModelFormat format) {
  TextInput input;
  const std::string error = input.open(path, "model file");
  if (!error.empty()) return error;
  if (input.is_standard_input() && format == ModelFormat::kByName) {
    TextLines lines(input.file(), input.size(), "model");
    const char* sniffed = sniffed_format(lines);
    lines.set_format(sniffed);
    return read_model(input.shown_name(), sniffed, lines, model, progress);
  }
  const char* named = format_named(format, path);
  if (named == nullptr) return unknown_format(input.shown_name());
  TextLines lines(input.file(), input.size(), named);
  return read_model(input.shown_name(), named, lines, model, progress);
}

std::string load_model_stream(const std::string& name, std::FILE* file, std::uint64_t size,
                              LoadedModel& model, const LoadProgress& progress,
                              std::size_t block_size) {
  const char* format = format_of(name);
  if (format == nullptr) return unknown_format(name);
  TextLines lines(file, size, format, block_size);
  return read_model(name, format, lines, model, progress);
}

}  // namespace standin
