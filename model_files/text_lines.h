// Walking a text line by line and word by word, for the model readers.
#ifndef MODEL_FILES_TEXT_LINES_H
#define MODEL_FILES_TEXT_LINES_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

// The lines of a model file, or of a text already in memory, with LF, CR LF or lone CR endings
// (the last line may lack one) and without a leading UTF-8 byte-order mark.
//
// A file is read a block at a time, so that only the line in hand and the block around it are
// held, however large the file. Reading stops early, with a reason, at the first byte that no
// text file holds (a NUL or another control character, or a UTF-16 byte-order mark), at a line
// longer than kLongestLine, and at a read error: a binary file is refused on its first line
// without reading the rest.
class TextLines {
 public:
  static constexpr std::size_t kLongestLine = std::size_t{64} << 20;
  // How much of a file one read asks for.
  static constexpr std::size_t kBlockSize = std::size_t{1} << 20;

  // `format` names the kind of text expected, as in "not a text OBJ file".
  TextLines(std::string_view text, const char* format);
  // `file` is open for reading and stays the caller's; `size` is its length in bytes. Tests pass
  // a small `block_size` to put block ends inside lines and line ends.
  TextLines(std::FILE* file, std::uint64_t size, const char* format,
            std::size_t block_size = kBlockSize);
  TextLines(const TextLines&) = delete;
  TextLines& operator=(const TextLines&) = delete;

  // Moves to the next line, valid until the next call; false at the end, or where reading
  // stopped (then problem() says why and line_number() is the line it stopped in).
  bool next(std::string_view& line);
  // Reads the next `count` bytes as they are, with no text checks: a binary body after a text
  // header. Returns how many it read: fewer only at the end of the text, or at a read error,
  // which problem() then gives.
  std::size_t read_bytes(char* into, std::size_t count);
  // How many bytes of the text have been given out so far, as lines or bytes.
  std::uint64_t offset() const { return consumed_ + position_; }
  // Puts the line the last next() gave back, so that the next call gives it again: for a look at
  // a stream's first line before deciding how to read it. Only right after a next() that gave a
  // line.
  void put_back();
  // The kind of text expected, for the messages: "not a text OBJ file".
  void set_format(const char* format) { format_ = format; }
  std::size_t line_number() const { return line_number_; }
  // Empty at the end of the text; otherwise why reading stopped before it.
  const std::string& problem() const { return problem_; }
  // A stream (standard input, a pipe) has no size until it has been read: pass this as `size`.
  static constexpr std::uint64_t kUnknownSize = ~std::uint64_t{0};
  // The text's length in bytes, when known, and the share of it read so far (0 for a stream).
  std::uint64_t size() const { return size_; }
  bool size_known() const { return size_ != kUnknownSize; }
  double fraction_read() const {
    if (!size_known()) return 0.0;
    return size_ == 0 ? 1.0 : static_cast<double>(offset()) / size_;
  }

 private:
  // Reads more of the file behind the unread part of the buffer. False when nothing more came.
  bool refill();
  // Skips a UTF-8 byte-order mark, and refuses a UTF-16 one. False when no line follows.
  bool skip_byte_order_mark();
  // Records why reading stopped; returns false.
  bool stop(std::string reason);

  const char* format_;
  std::FILE* file_ = nullptr;
  std::size_t block_size_ = kBlockSize;
  std::vector<char> buffer_;  // the file's block in hand (unused for a text in memory)
  const char* data_ = nullptr;
  std::size_t end_ = 0;         // bytes of data_ that hold text
  std::size_t position_ = 0;    // start of the next line in data_
  std::size_t line_start_ = 0;  // start of the line the last next() gave, in data_
  std::uint64_t consumed_ = 0;  // bytes read and dropped from the buffer before data_
  std::uint64_t size_ = 0;
  bool at_end_ = false;   // nothing more to read behind data_[end_]
  bool at_start_ = true;  // the byte-order mark is still to be checked for
  std::size_t line_number_ = 0;
  std::string problem_;
};

// The words of a line, split at blanks and tabs; a '#' starts a comment that ends the line.
// Replaces the contents of `words`, reusing its storage from line to line.
void split_words(std::string_view line, std::vector<std::string_view>& words);

// The first word of a line, without making the others.
std::string_view first_word(std::string_view line);

// A whole word as a finite number, or false.
bool parse_finite(std::string_view word, double& value);
// A whole word as an integer that fits a long long, or false.
bool parse_integer(std::string_view word, long long& value);

}  // namespace standin

#endif  // MODEL_FILES_TEXT_LINES_H
