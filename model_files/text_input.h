// Where a text is read from: a regular file named by its path, or standard input for "-". The
// model files and vexo-sim's scripts are opened alike, so that both refuse what is not a file.
#ifndef MODEL_FILES_TEXT_INPUT_H
#define MODEL_FILES_TEXT_INPUT_H

#include <cstdint>
#include <cstdio>
#include <string>

namespace standin {

class TextInput {
 public:
  TextInput() = default;
  ~TextInput();
  TextInput(const TextInput&) = delete;
  TextInput& operator=(const TextInput&) = delete;

  // Opens `path`, or standard input for "-". A path that is not a regular file (a directory, a
  // named pipe, a device) is refused without being opened: opening a pipe would wait for a
  // writer that may never come.
  //
  // Inputs:  path  the file, or "-"
  //          what  what the text should be, for the refusal: "model file", "script"
  // Returns: empty, or the one-line reason, starting with the path.
  std::string open(const std::string& path, const char* what);

  std::FILE* file() const { return file_; }
  // The file's size, or TextLines::kUnknownSize for standard input.
  std::uint64_t size() const { return size_; }
  bool is_standard_input() const { return standard_input_; }
  // The path as messages name it: "stdin" for standard input, cut short when long.
  const std::string& shown_name() const { return shown_name_; }

 private:
  std::FILE* file_ = nullptr;
  std::uint64_t size_ = 0;
  bool standard_input_ = false;
  std::string shown_name_;
};

}  // namespace standin

#endif  // MODEL_FILES_TEXT_INPUT_H
