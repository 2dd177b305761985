#include "model_files/text_input.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "messages/excerpt.h"
#include "model_files/text_lines.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

namespace standin {
namespace {

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

}  // namespace

TextInput::~TextInput() {
  if (file_ != nullptr && !standard_input_) std::fclose(file_);
}

std::string TextInput::open(const std::string& path, const char* what) {
  if (path == "-") {
#if defined(_WIN32)
    // Bytes as they come: line ends and a stray Ctrl-Z are the reader's to judge.
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    file_ = stdin;
    size_ = TextLines::kUnknownSize;
    standard_input_ = true;
    shown_name_ = shown_path(path);
    return "";
  }
  shown_name_ = shown_path(path);
  std::error_code failure;
  const std::filesystem::file_status status = std::filesystem::status(path, failure);
  if (failure) return shown_name_ + ": cannot open the file: " + failure.message();
  if (status.type() != std::filesystem::file_type::regular) {
    return shown_name_ + ": is " + kind_of_file(status.type()) + ", not a " + what;
  }
  file_ = std::fopen(path.c_str(), "rb");
  if (file_ == nullptr) return shown_name_ + ": cannot open the file: " + std::strerror(errno);
  const std::uintmax_t size = std::filesystem::file_size(path, failure);
  size_ = failure ? TextLines::kUnknownSize : size;
  return "";
}

}  // namespace standin
