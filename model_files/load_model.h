// Reading a model file (Wavefront OBJ, OFF or PLY) into meshes for the stand-in modeller.
//
// Connectivity is exactly the file's: two surfaces share an edge when their loops step between
// the same two vertex indices; vertices are never welded by position. A face that repeats a
// vertex keeps its first occurrence; the repeat is dropped with a warning naming the line.
#ifndef MODEL_FILES_LOAD_MODEL_H
#define MODEL_FILES_LOAD_MODEL_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include <optional>

#include "model_files/loaded_model.h"
#include "model_files/model_format.h"
#include "model_files/text_lines.h"

namespace standin {

// The file is read a block at a time, so that loading holds the model and little more. A path
// that is not a regular file (a directory, a named pipe, a device) is refused without reading;
// so is a file that is not text (NUL bytes, control characters, UTF-16), at its first such line
// (a binary PLY file's body is binary by design; its header is text).
// "-" is standard input, read as a stream with the same line limit and text checks.
//
// Inputs:  path      an .obj, .off or .ply file (by extension, either case), or "-"
//          progress  optional; called now and then while reading
//          format    the format, as the user says; when not given, the file's extension decides
//                    it (for standard input, its first line: "ply" means PLY, an OFF header
//                    word OFF, anything else OBJ)
// Output:  model     the objects, in file order, each with its name; warnings
// Returns: empty on success, or a one-line error naming the file and, where it applies, the line.
std::string load_model_file(const std::string& path, LoadedModel& model,
                            const LoadProgress& progress = nullptr,
                            std::optional<ModelFormat> format = std::nullopt);

// The same for a file's contents already in memory; `name` stands for the file in messages and
// decides the format by its extension.
std::string load_model_text(const std::string& name, const std::string& text, LoadedModel& model,
                            const LoadProgress& progress = nullptr);

// The same for a file already open for reading (it stays the caller's), `size` bytes long, read
// `block_size` bytes at a time; `name` stands for the file in messages and decides the format.
std::string load_model_stream(const std::string& name, std::FILE* file, std::uint64_t size,
                              LoadedModel& model, const LoadProgress& progress = nullptr,
                              std::size_t block_size = TextLines::kBlockSize);

}  // namespace standin

#endif  // MODEL_FILES_LOAD_MODEL_H
