// Walking a text line by line and word by word, for the model readers.
#ifndef MODEL_FILES_TEXT_LINES_H
#define MODEL_FILES_TEXT_LINES_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

// The lines of a text, with LF, CRLF or lone CR endings; the last line may lack one.
class TextLines {
 public:
  explicit TextLines(std::string_view text) : text_(text) {}
  // Moves to the next line; false at the end.
  bool next(std::string_view& line);
  std::size_t line_number() const { return line_number_; }
  double fraction_read() const {
    return text_.empty() ? 1.0 : static_cast<double>(position_) / text_.size();
  }

 private:
  // Where the next `c` is at or after the current position (the text's size if none), found
  // with memchr and remembered, so that the text is searched once for each kind of line end
  // however the two are mixed.
  std::size_t next_of(char c, std::size_t& remembered) const;

  std::string_view text_;
  std::size_t position_ = 0;
  std::size_t line_number_ = 0;
  std::size_t next_lf_ = std::string_view::npos;
  std::size_t next_cr_ = std::string_view::npos;
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
