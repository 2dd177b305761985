#include "model_files/text_lines.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace standin {

namespace {

// What each byte is, to the line splitter and the word splitter alike: part of a word, a blank
// between words, the start of a comment, a line end, or a byte no text file holds (a NUL or
// another control character other than tab, vertical tab and form feed, or DEL; UTF-16 text has
// a NUL in every ASCII character). The first three are text. One table look-up a byte.
enum class ByteKind : unsigned char { kWord, kBlank, kComment, kLineEnd, kNotText };

constexpr std::array<ByteKind, 256> make_byte_kinds() {
  std::array<ByteKind, 256> kinds{};
  for (unsigned c = 0; c < 0x20; ++c) kinds[c] = ByteKind::kNotText;
  kinds[0x7F] = ByteKind::kNotText;
  for (const unsigned char blank : {' ', '\t', '\v', '\f'}) kinds[blank] = ByteKind::kBlank;
  kinds[static_cast<unsigned char>('#')] = ByteKind::kComment;
  kinds[static_cast<unsigned char>('\n')] = ByteKind::kLineEnd;
  kinds[static_cast<unsigned char>('\r')] = ByteKind::kLineEnd;
  return kinds;
}
constexpr std::array<ByteKind, 256> kByteKinds = make_byte_kinds();

ByteKind byte_kind(char c) {
  return kByteKinds[static_cast<unsigned char>(c)];
}

bool is_text(char c) {
  return byte_kind(c) < ByteKind::kLineEnd;
}

}  // namespace

TextLines::TextLines(std::string_view text, const char* format)
    : format_(format), data_(text.data()), end_(text.size()), size_(text.size()), at_end_(true) {}

TextLines::TextLines(std::FILE* file, std::uint64_t size, const char* format,
                     std::size_t block_size)
    : format_(format),
      file_(file),
      block_size_(block_size == 0 ? kBlockSize : block_size),
      size_(size) {}

bool TextLines::stop(std::string reason) {
  problem_ = std::move(reason);
  return false;
}

bool TextLines::refill() {
  if (at_end_) return false;
  // The unread part (a line begun) moves to the front, and the block is read in behind it.
  const std::size_t unread = end_ - position_;
  if (position_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + position_, unread);
    consumed_ += position_;
    position_ = 0;
    end_ = unread;
  }
  if (buffer_.size() < end_ + block_size_) buffer_.resize(end_ + block_size_);
  data_ = buffer_.data();
  const std::size_t got = std::fread(buffer_.data() + end_, 1, block_size_, file_);
  end_ += got;
  if (got == 0) {
    at_end_ = true;
    if (std::ferror(file_))
      return stop(std::string("cannot read the file: ") + std::strerror(errno));
  }
  return got > 0;
}

bool TextLines::skip_byte_order_mark() {
  at_start_ = false;
  while (end_ - position_ < 3 && refill()) {
  }
  if (!problem_.empty()) return false;
  const std::string_view start(data_ + position_, std::min<std::size_t>(3, end_ - position_));
  if (start == "\xEF\xBB\xBF") {
    // Editors on some systems start a UTF-8 text with a mark; it is not part of a line.
    position_ += 3;
  } else if (start.substr(0, 2) == "\xFF\xFE" || start.substr(0, 2) == "\xFE\xFF") {
    ++line_number_;
    return stop(std::string("not a text ") + format_ + " file (UTF-16)");
  }
  return position_ < end_ || refill();
}

bool TextLines::next(std::string_view& line) {
  if (!problem_.empty()) return false;
  if (position_ == end_ && !refill()) {
    line_number_ += !problem_.empty();
    return false;
  }
  if (at_start_ && !skip_byte_order_mark()) return false;
  ++line_number_;
  std::size_t stop_at = position_;
  for (;;) {
    while (stop_at < end_ && is_text(data_[stop_at])) ++stop_at;
    if (stop_at - position_ > kLongestLine) return stop("the line is longer than 64 MiB");
    if (stop_at < end_) {
      if (byte_kind(data_[stop_at]) == ByteKind::kNotText) {
        return stop(std::string("not a text ") + format_ + " file");
      }
      // A CR that ends the block may be the first half of a CR LF: look at what follows first.
      if (data_[stop_at] == '\n' || stop_at + 1 < end_ || at_end_) break;
    } else if (at_end_) {
      break;
    }
    const std::size_t offset = stop_at - position_;
    if (!refill() && !problem_.empty()) return false;
    stop_at = position_ + offset;
  }
  line = std::string_view(data_ + position_, stop_at - position_);
  line_start_ = position_;
  position_ = stop_at;
  if (position_ < end_ && data_[position_] == '\r') ++position_;
  if (position_ < end_ && data_[position_] == '\n') ++position_;
  return true;
}

std::size_t TextLines::read_bytes(char* into, std::size_t count) {
  std::size_t got = 0;
  while (got < count) {
    if (position_ == end_ && !refill()) break;
    const std::size_t take = std::min(count - got, end_ - position_);
    std::memcpy(into + got, data_ + position_, take);
    position_ += take;
    got += take;
  }
  return got;
}

void TextLines::put_back() {
  position_ = line_start_;
  --line_number_;
}

void split_words(std::string_view line, std::vector<std::string_view>& words) {
  words.clear();
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && byte_kind(line[i]) == ByteKind::kBlank) ++i;
    if (i >= line.size() || byte_kind(line[i]) == ByteKind::kComment) break;
    const std::size_t start = i;
    while (i < line.size() && byte_kind(line[i]) == ByteKind::kWord) ++i;
    words.push_back(line.substr(start, i - start));
  }
}

std::string_view first_word(std::string_view line) {
  std::size_t start = 0;
  while (start < line.size() && byte_kind(line[start]) == ByteKind::kBlank) ++start;
  std::size_t end = start;
  while (end < line.size() && byte_kind(line[end]) == ByteKind::kWord) ++end;
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
