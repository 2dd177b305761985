// Texts quoted in one-line messages: cut short, and shown so that a terminal shows them as they
// are.
#include "messages/excerpt.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using standin::excerpt;

const std::string kEllipsis = "\xE2\x80\xA6";

TEST(Excerpt, ControlCharactersAndBytesThatAreNotUtf8AreShownEscaped) {
  EXPECT_EQ(excerpt("a\tb\x1B\x7F"), "a\\x09b\\x1B\\x7F");
  EXPECT_EQ(excerpt("nel\xC2\x85 nbsp\xC2\xA0"), "nel\\xC2\\x85 nbsp\xC2\xA0");  // C1, then not
  EXPECT_EQ(excerpt("\xFF\xC3"), "\\xFF\\xC3");                                  // stray, cut short
  EXPECT_EQ(excerpt("\xC0\xAF"), "\\xC0\\xAF");                                  // overlong '/'
  EXPECT_EQ(excerpt("\xED\xA0\x80"), "\\xED\\xA0\\x80");                         // a surrogate
  EXPECT_EQ(excerpt("\xF4\x90\x80\x80"), "\\xF4\\x90\\x80\\x80");                // beyond U+10FFFF
  EXPECT_EQ(excerpt("\xE2\x82\xAC \xF0\x9F\x98\x80"), "\xE2\x82\xAC \xF0\x9F\x98\x80");
}

TEST(Excerpt, TextIsCutBetweenCharactersWithAnEllipsis) {
  EXPECT_EQ(excerpt(std::string(60, 'a')), std::string(60, 'a'));
  EXPECT_EQ(excerpt(std::string(61, 'a')), std::string(60, 'a') + kEllipsis);
  // 59 bytes and a two-byte character: the character is not split.
  EXPECT_EQ(excerpt(std::string(59, 'a') + "\xC3\xA9"), std::string(59, 'a') + kEllipsis);
  EXPECT_EQ(excerpt("abcdef", 3), "abc" + kEllipsis);
}

TEST(Excerpt, MessagesKeepTheirQuotedPartsAndStayShort) {
  const std::string path = std::string(118, 'p') + ".obj";
  const std::string message = standin::shown_path(path) + ":3: vertex index 3 is out of range";
  EXPECT_EQ(standin::printable_message(message), message);
  EXPECT_EQ(standin::shown_path("-"), "stdin");
  EXPECT_LE(standin::printable_message(std::string(1000, 'm')).size(),
            standin::kLongestMessage + kEllipsis.size());
  // The option parser quotes an argument whole: each word is cut as a quoted text is.
  EXPECT_EQ(standin::printable_quoting_message("not expected: --" + std::string(100, 'x') + " ok"),
            "not expected: --" + std::string(58, 'x') + kEllipsis + " ok");
}

}  // namespace
