#include "stand_in_host/text_lines.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace standin {

bool TextLines::next(std::string_view& line) {
  if (position_ >= text_.size()) return false;
  const std::size_t end = text_.find_first_of("\r\n", position_);
  const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
  line = text_.substr(position_, stop - position_);
  position_ = stop;
  if (position_ < text_.size() && text_[position_] == '\r') ++position_;
  if (position_ < text_.size() && text_[position_] == '\n') ++position_;
  ++line_number_;
  return true;
}

std::vector<std::string_view> words_of(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() &&
           (line[i] == ' ' || line[i] == '\t' || line[i] == '\v' || line[i] == '\f')) {
      ++i;
    }
    if (i >= line.size() || line[i] == '#') break;
    const std::size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\v' &&
           line[i] != '\f' && line[i] != '#') {
      ++i;
    }
    words.push_back(line.substr(start, i - start));
  }
  return words;
}

std::string_view first_word(std::string_view line) {
  std::size_t start = 0;
  while (start < line.size() && (line[start] == ' ' || line[start] == '\t')) ++start;
  std::size_t end = start;
  while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '#') ++end;
  return line.substr(start, end - start);
}

bool parse_finite(std::string_view word, double& value) {
  const std::string text(word);
  char* end = nullptr;
  errno = 0;
  value = std::strtod(text.c_str(), &end);
  return !text.empty() && end == text.c_str() + text.size() && errno != ERANGE &&
         std::isfinite(value);
}

bool parse_integer(std::string_view word, long long& value) {
  const std::string text(word);
  char* end = nullptr;
  errno = 0;
  value = std::strtoll(text.c_str(), &end, 10);
  return !text.empty() && end == text.c_str() + text.size() && errno != ERANGE;
}

}  // namespace standin
