#include "messages/excerpt.h"

#include <cstdint>
#include <cstdio>

namespace standin {
namespace {

constexpr char kEllipsis[] = "\xE2\x80\xA6";  // "…" in UTF-8

// The length of the well-formed UTF-8 character that starts text[at], or 0 when none does (a
// stray continuation byte, a sequence cut short, an overlong form, a surrogate, or beyond
// U+10FFFF).
std::size_t character_length(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[at + k]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  std::uint32_t value = 0;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(k) & 0xC0) != 0x80) return 0;
    value = (value << 6) | (byte(k) & 0x3F);
  }
  const bool overlong = (length == 3 && value < 0x800) || (length == 4 && value < 0x10000);
  const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
  if (overlong || surrogate || value > 0x10FFFF) return 0;
  return length;
}

// Whether the character text[at .. at + length) would act on a terminal rather than show: the
// C0 controls, DEL, and the C1 controls (U+0080 to U+009F).
bool is_control(std::string_view text, std::size_t at, std::size_t length) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (length == 1) return lead < 0x20 || lead == 0x7F;
  return length == 2 && lead == 0xC2 && static_cast<unsigned char>(text[at + 1]) < 0xA0;
}

void append_escaped(std::string& out, std::string_view bytes) {
  for (unsigned char c : bytes) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
    out += escaped;
  }
}

// Appends text until `limit` bytes of it are taken (never part of a character), each control
// character and each byte that is not part of well-formed UTF-8 shown as \xNN; then the ellipsis
// when more was left.
void append_cut(std::string& out, std::string_view text, std::size_t limit) {
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t length = character_length(text, at);
    const std::size_t taking = length == 0 ? 1 : length;
    if (at + taking > limit) break;
    const std::string_view character = text.substr(at, taking);
    if (length == 0 || is_control(text, at, length)) {
      append_escaped(out, character);
    } else {
      out += character;
    }
    at += taking;
  }
  if (at < text.size()) out += kEllipsis;
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
  std::string line;
  append_cut(line, message, kLongestMessage);
  return line;
}

std::string printable_quoting_message(std::string_view message) {
  std::string words;
  std::size_t i = 0;
  while (i < message.size()) {
    const std::size_t start = i;
    const bool blank = message[i] == ' ';
    while (i < message.size() && (message[i] == ' ') == blank) ++i;
    const std::string_view run = message.substr(start, i - start);
    if (blank) {
      words += run;
    } else {
      append_cut(words, run, kLongestExcerpt);
    }
  }
  return printable_message(words);
}

}  // namespace standin
