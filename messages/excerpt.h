// Texts from the user or from a file, made fit to quote in a one-line message: a token, a name or
// an argument may be megabytes long or hold control bytes, and a message must stay one short,
// printable line whatever it quotes.
#ifndef MESSAGES_EXCERPT_H
#define MESSAGES_EXCERPT_H

#include <cstddef>
#include <string>
#include <string_view>

namespace standin {

// The most bytes of a text that a message quotes, before the ellipsis.
inline constexpr std::size_t kLongestExcerpt = 60;
// The most bytes of a file's path that a message names it by: paths run longer than tokens.
inline constexpr std::size_t kLongestName = 120;
// The most bytes of a whole message line, before the ellipsis.
inline constexpr std::size_t kLongestMessage = 280;

// Inputs:  text   anything
//          limit  the most bytes of it to keep
// Returns: text cut after `limit` bytes (not inside a UTF-8 character) with "…" when longer, and
//          shown so that a terminal shows it as it is: each control character (below 0x20, DEL,
//          and U+0080 to U+009F) and each byte that is not part of well-formed UTF-8 as \xNN.
std::string excerpt(std::string_view text, std::size_t limit = kLongestExcerpt);

// How a message names a file given by `path`: "stdin" for "-", else the path cut after
// kLongestName bytes.
std::string shown_path(const std::string& path);

// The same for a whole message whose quoted parts are cut already (excerpt, shown_path): shown as
// excerpt shows a text, and the line cut after kLongestMessage bytes. Every line vexo-sim writes
// to standard error goes through it or the next.
std::string printable_message(std::string_view message);

// The same for a message made by code that quotes texts whole (the option parser's): each run of
// non-blank bytes cut after kLongestExcerpt bytes first, as a quoted text would be.
std::string printable_quoting_message(std::string_view message);

}  // namespace standin

#endif  // MESSAGES_EXCERPT_H
