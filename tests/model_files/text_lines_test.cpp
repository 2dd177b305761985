// Reading a text line by line, a block at a time.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "model_files/text_lines.h"

// Reading a file a block at a time must see the same lines as reading it whole, wherever the
// blocks end: inside a word, between the CR and LF of one line end, or on a NUL byte.
namespace block_reading {

std::vector<std::string> lines_of(standin::TextLines& lines) {
  std::vector<std::string> all;
  std::string_view line;
  while (lines.next(line)) all.emplace_back(line);
  all.push_back("stopped at " + std::to_string(lines.line_number()) + ": " + lines.problem());
  return all;
}

TEST(TextLines, AFileReadInBlocksGivesTheLinesOfTheWholeText) {
  std::mt19937 random(7);
  const char pieces[][4] = {"v",    " ",  "1", "\n",           "\r",
                            "\r\n", "\t", "f", "\xEF\xBB\xBF", "\xFF\xFE"};
  for (int round = 0; round < 400; ++round) {
    std::string text;
    const int length = static_cast<int>(random() % 40);
    for (int k = 0; k < length; ++k) text += pieces[random() % std::size(pieces)];
    if (random() % 8 == 0) text.insert(random() % (text.size() + 1), 1, '\0');
    SCOPED_TRACE(::testing::PrintToString(text));
    standin::TextLines whole(text, "OBJ");
    const std::vector<std::string> expected = lines_of(whole);
    for (std::size_t block : {1, 2, 3, 5, 64}) {
      std::FILE* file = std::tmpfile();
      std::fwrite(text.data(), 1, text.size(), file);
      std::rewind(file);
      standin::TextLines in_blocks(file, text.size(), "OBJ", block);
      EXPECT_EQ(lines_of(in_blocks), expected) << "blocks of " << block;
      std::fclose(file);
    }
  }
}

}  // namespace block_reading
