#include "messages/excerpt.h"

#include <cstdio>

namespace standin {
namespace {

constexpr char kEllipsis[] = "\xE2\x80\xA6";  // "…" in UTF-8

bool is_control(unsigned char c) {
  return c < 0x20 || c == 0x7F;
}

// A UTF-8 continuation byte: cutting before one would split a character.
bool continues_a_character(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

// Appends text, escaped, until `limit` bytes of it are taken; then the ellipsis when more was left.
void append_cut(std::string& out, std::string_view text, std::size_t limit) {
  std::size_t taken = text.size() < limit ? text.size() : limit;
  while (taken < text.size() && taken > 0 &&
         continues_a_character(static_cast<unsigned char>(text[taken]))) {
    --taken;
  }
  for (std::size_t i = 0; i < taken; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (is_control(c)) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  if (taken < text.size()) out += kEllipsis;
}

}  // namespace

std::string excerpt(std::string_view text, std::size_t limit) {
  std::string out;
  append_cut(out, text, limit);
  return out;
}

std::string shown_path(const std::string& path) {
  return path == "-" ? std::string("stdin") : excerpt(path, kLongestName);
}

std::string printable_message(std::string_view message) {
  std::string words;
  std::size_t i = 0;
  while (i < message.size()) {
    const std::size_t start = i;
    const bool blank = message[i] == ' ';
    while (i < message.size() && (message[i] == ' ') == blank) ++i;
    append_cut(words, message.substr(start, i - start), blank ? i - start : kLongestName);
  }
  std::string line;
  append_cut(line, words, kLongestMessage);
  return line;
}

}  // namespace standin
