#include "model_files/load_model.h"

#include <cerrno>
#include <cstdio>

#include "model_files/obj_reader.h"
#include "model_files/off_reader.h"
#include "model_files/ply_reader.h"
#include "model_files/text_input.h"
#include "model_files/text_lines.h"

namespace standin {
namespace {

std::string unknown_format(const std::string& name) {
  return name + ": unknown model format (expected .obj, .off or .ply, or --format)";
}

std::string read_model(const std::string& name, ModelFormat format, TextLines& lines,
                       LoadedModel& model, const LoadProgress& progress) {
  const std::string error = format == ModelFormat::kObj   ? read_obj(name, lines, model, progress)
                            : format == ModelFormat::kOff ? read_off(name, lines, model, progress)
                                                          : read_ply(name, lines, model, progress);
  if (!error.empty()) return error;
  std::size_t surfaces = 0;
  for (const Mesh& mesh : model.objects) surfaces += mesh.surface_count();
  if (surfaces > 0) return "";
  return name + (lines.line_number() == 0 ? ": the file is empty" : ": the model has no surfaces");
}

// The format of a stream whose name does not tell it: PLY when its first line is "ply", OFF when
// it starts with an OFF header word ("OFF", "COFF", "NOFF", "nOFF" and the like), otherwise OBJ.
// The line is put back.
ModelFormat sniffed_format(TextLines& lines) {
  std::string_view line;
  if (!lines.next(line)) return ModelFormat::kObj;
  const std::string_view word = first_word(line);
  lines.put_back();
  if (word == "ply") return ModelFormat::kPly;
  return word.size() >= 3 && word.substr(word.size() - 3) == "OFF" ? ModelFormat::kOff
                                                                   : ModelFormat::kObj;
}

}  // namespace

std::string load_model_text(const std::string& name, const std::string& text, LoadedModel& model,
                            const LoadProgress& progress) {
  const std::optional<ModelFormat> format = model_format_of_file(name);
  if (!format) return unknown_format(name);
  TextLines lines(text, model_format_name(*format));
  return read_model(name, *format, lines, model, progress);
}

std::string load_model_file(const std::string& path, LoadedModel& model,
                            const LoadProgress& progress, std::optional<ModelFormat> format) {
  TextInput input;
  const std::string error = input.open(path, "model file");
  if (!error.empty()) return error;
  if (input.is_standard_input() && !format) {
    TextLines lines(input.file(), input.size(), "model");
    const ModelFormat sniffed = sniffed_format(lines);
    lines.set_format(model_format_name(sniffed));
    return read_model(input.shown_name(), sniffed, lines, model, progress);
  }
  if (!format) format = model_format_of_file(path);
  if (!format) return unknown_format(input.shown_name());
  TextLines lines(input.file(), input.size(), model_format_name(*format));
  return read_model(input.shown_name(), *format, lines, model, progress);
}

std::string load_model_stream(const std::string& name, std::FILE* file, std::uint64_t size,
                              LoadedModel& model, const LoadProgress& progress,
                              std::size_t block_size) {
  const std::optional<ModelFormat> format = model_format_of_file(name);
  if (!format) return unknown_format(name);
  TextLines lines(file, size, model_format_name(*format), block_size);
  return read_model(name, *format, lines, model, progress);
}

}  // namespace standin
