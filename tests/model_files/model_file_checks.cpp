#include "tests/model_files/model_file_checks.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "model_files/text_lines.h"

namespace model_file_checks {

Loops loops_of(const standin::Mesh& mesh) {
  Loops loops;
  for (std::uint32_t s = 0; s < mesh.surface_count(); ++s) {
    loops.emplace_back(mesh.loop_vertices.begin() + mesh.loop_offsets[s],
                       mesh.loop_vertices.begin() + mesh.loop_offsets[s + 1]);
  }
  return loops;
}

std::string load(const std::string& name, const std::string& text, LoadedModel& model) {
  return standin::load_model_text(name, text, model);
}

std::string error_of(const std::string& name, const std::string& text) {
  LoadedModel model;
  return load(name, text, model);
}

namespace {

std::string load_from_file(const std::string& name, const std::string& text, std::size_t block,
                           std::uint64_t size, LoadedModel& model) {
  std::FILE* file = std::tmpfile();
  std::fwrite(text.data(), 1, text.size(), file);
  std::rewind(file);
  const std::string error = standin::load_model_stream(name, file, size, model, nullptr, block);
  std::fclose(file);
  return error;
}

}  // namespace

std::string load_in_blocks(const std::string& name, const std::string& text, std::size_t block,
                           LoadedModel& model) {
  return load_from_file(name, text, block, text.size(), model);
}

std::string load_as_stream(const std::string& name, const std::string& text, std::size_t block,
                           LoadedModel& model) {
  return load_from_file(name, text, block, standin::TextLines::kUnknownSize, model);
}

void expect_error(const std::string& name, const std::string& text, const std::string& expected) {
  LoadedModel whole;
  const std::string error = standin::load_model_text(name, text, whole);
  EXPECT_EQ(error.substr(0, expected.size()), expected) << error;
  LoadedModel in_blocks;
  EXPECT_EQ(load_in_blocks(name, text, 5, in_blocks), error);
}

}  // namespace model_file_checks
