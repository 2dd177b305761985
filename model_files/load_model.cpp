#include "model_files/load_model.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "model_files/obj_reader.h"
#include "model_files/off_reader.h"
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
  return name + ": unknown model format (expected .obj or .off)";
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

// What a path that is not a regular file is, for the one line that refuses it.
const char* kind_of_file(std::filesystem::file_type type) {
  switch (type) {
    case std::filesystem::file_type::directory:
      return "a directory";
    case std::filesystem::file_type::fifo:
      return "a named pipe";
    case std::filesystem::file_type::character:
    case std::filesystem::file_type::block:
      return "a device";
    case std::filesystem::file_type::socket:
      return "a socket";
    default:
      return "something other than a regular file";
  }
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::string load_model_text(const std::string& name, const std::string& text, LoadedModel& model,
                            const LoadProgress& progress) {
  const char* format = format_of(name);
  if (format == nullptr) return unknown_format(name);
  TextLines lines(text, format);
  return read_model(name, format, lines, model, progress);
}

std::string load_model_file(const std::string& path, LoadedModel& model,
                            const LoadProgress& progress) {
  // Only a regular file is read: a directory would fail at the first read, and opening a named
  // pipe would wait for a writer that may never come.
  std::error_code failure;
  const std::filesystem::file_status status = std::filesystem::status(path, failure);
  if (failure) return path + ": cannot open the file: " + failure.message();
  if (status.type() != std::filesystem::file_type::regular) {
    return path + ": is " + kind_of_file(status.type()) + ", not a model file";
  }
  if (format_of(path) == nullptr) return unknown_format(path);
  const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) return path + ": cannot open the file: " + std::strerror(errno);
  const std::uintmax_t size = std::filesystem::file_size(path, failure);
  return load_model_stream(path, file.get(), failure ? 0 : size, model, progress);
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
