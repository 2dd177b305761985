#include "model_files/text_lines.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace standin {

std::size_t TextLines::next_of(char c, std::size_t& remembered) const {
  if (remembered == std::string_view::npos || remembered < position_) {
    const void* found = std::memchr(text_.data() + position_, c, text_.size() - position_);
    remembered = found != nullptr
                     ? static_cast<std::size_t>(static_cast<const char*>(found) - text_.data())
                     : text_.size();
  }
  return remembered;
}

bool TextLines::next(std::string_view& line) {
  if (position_ >= text_.size()) return false;
  const std::size_t stop = std::min(next_of('\n', next_lf_), next_of('\r', next_cr_));
  line = text_.substr(position_, stop - position_);
  position_ = stop;
  if (position_ < text_.size() && text_[position_] == '\r') ++position_;
  if (position_ < text_.size() && text_[position_] == '\n') ++position_;
  ++line_number_;
  return true;
}

namespace {

// What each byte is to the word splitter: a blank between words, the start of a comment, or
// part of a word. One table look-up a byte instead of five comparisons.
enum class CharKind : unsigned char { kWord, kBlank, kComment };

constexpr std::array<CharKind, 256> make_char_kinds() {
  std::array<CharKind, 256> kinds{};
  for (const unsigned char blank : {' ', '\t', '\v', '\f'}) kinds[blank] = CharKind::kBlank;
  kinds[static_cast<unsigned char>('#')] = CharKind::kComment;
  return kinds;
}
constexpr std::array<CharKind, 256> kCharKinds = make_char_kinds();

CharKind kind_of(char c) {
  return kCharKinds[static_cast<unsigned char>(c)];
}

}  // namespace

void split_words(std::string_view line, std::vector<std::string_view>& words) {
  words.clear();
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && kind_of(line[i]) == CharKind::kBlank) ++i;
    if (i >= line.size() || kind_of(line[i]) == CharKind::kComment) break;
    const std::size_t start = i;
    while (i < line.size() && kind_of(line[i]) == CharKind::kWord) ++i;
    words.push_back(line.substr(start, i - start));
  }
}

std::string_view first_word(std::string_view line) {
  std::size_t start = 0;
  while (start < line.size() && kind_of(line[start]) == CharKind::kBlank) ++start;
  std::size_t end = start;
  while (end < line.size() && kind_of(line[end]) == CharKind::kWord) ++end;
  return line.substr(start, end - start);
}

namespace {

// Calls parse(c_string) on a zero-terminated copy of the word: on the stack for the short words
// numbers are, so that reading a model does not allocate per number.
template <typename Parse>
bool with_terminated_copy(std::string_view word, Parse parse) {
  char buffer[64];
  if (word.size() < sizeof buffer) {
    word.copy(buffer, word.size());
    buffer[word.size()] = '\0';
    return parse(buffer, word.size());
  }
  const std::string copy(word);
  return parse(copy.c_str(), copy.size());
}

}  // namespace

bool parse_finite(std::string_view word, double& value) {
  return with_terminated_copy(word, [&](const char* text, std::size_t size) {
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text, &end);
    return size != 0 && end == text + size && errno != ERANGE && std::isfinite(value);
  });
}

bool parse_integer(std::string_view word, long long& value) {
  return with_terminated_copy(word, [&](const char* text, std::size_t size) {
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(text, &end, 10);
    return size != 0 && end == text + size && errno != ERANGE;
  });
}

}  // namespace standin
