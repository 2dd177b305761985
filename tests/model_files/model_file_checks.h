// What the model-file reader tests share: meshes as loops, loading a text under a name, and
// loading it again a few bytes at a time.
#ifndef TESTS_MODEL_FILES_MODEL_FILE_CHECKS_H
#define TESTS_MODEL_FILES_MODEL_FILE_CHECKS_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model_files/load_model.h"

namespace model_file_checks {

using standin::LoadedModel;
using Loops = std::vector<std::vector<std::uint32_t>>;

// Six vertices: two unit squares side by side.
inline constexpr char kSquareVertices[] = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nv 2 0 0\nv 2 1 0\n";

Loops loops_of(const standin::Mesh& mesh);

// The text read whole as a file called `name` (whose extension decides the format).
std::string load(const std::string& name, const std::string& text, LoadedModel& model);
std::string error_of(const std::string& name, const std::string& text);

// The text as a file read `block` bytes at a time.
std::string load_in_blocks(const std::string& name, const std::string& text, std::size_t block,
                           LoadedModel& model);

// The text as a stream without a size (standard input), read `block` bytes at a time.
std::string load_as_stream(const std::string& name, const std::string& text, std::size_t block,
                           LoadedModel& model);

// Loads the text whole and in blocks of a few bytes; both must give an error that starts with
// `expected`, and the same error.
void expect_error(const std::string& name, const std::string& text, const std::string& expected);

}  // namespace model_file_checks

#endif  // TESTS_MODEL_FILES_MODEL_FILE_CHECKS_H
