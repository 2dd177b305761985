// Reading model files of either format: line ends, faulty lines anywhere, what is not a model,
// and Debian's sample models.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "model_files/load_model.h"
#include "model_files/text_lines.h"
#include "tests/model_files/model_file_checks.h"

namespace {

using namespace model_file_checks;

TEST(LoadModel, CrAndCrLfLineEndsCountLinesAsLfDoes) {
  for (const std::string end : {"\r\n", "\r"}) {
    SCOPED_TRACE(end == "\r" ? "CR" : "CR LF");
    const std::string obj = "# square" + end + "v 0 0 0" + end + "v 1 0 0" + end + "v 1 1 0" + end +
                            end + "f 1 2 3" + end + "f 1 2 9" + end;
    EXPECT_EQ(error_of("m.obj", obj), "m.obj:7: vertex index 9 is out of range (3 vertices)");
    EXPECT_EQ(error_of("m.obj", "v 0 0 0" + end + "v 1 x 0" + end),
              "m.obj:2: vertex coordinate 'x' is not a finite number");
    LoadedModel named;
    EXPECT_EQ(
        load("m.obj",
             "o lid" + end + "v 0 0 0" + end + "v 1 0 0" + end + "v 0 1 0" + end + "f 1 2 3" + end,
             named),
        "");
    ASSERT_EQ(named.objects.size(), 1u);
    EXPECT_EQ(named.objects[0].name, "lid");
    const std::string off = "OFF" + end + "3 1 0" + end + "0 0 0" + end + "1 0 0" + end + "0 1 0" +
                            end + "3 0 1 3" + end;
    EXPECT_EQ(error_of("m.off", off), "m.off:6: vertex index '3' is out of range (3 vertices)");
  }
}

// The keyword of a line is found with the same blanks that separate its words.

TEST(LoadModel, EveryFileLoadsOrFailsWithOneLineStartingWithItsPath) {
  const std::filesystem::path root = "/usr/share/assimp/models";
  if (!std::filesystem::exists(root)) GTEST_SKIP() << "assimp-testmodels is not installed";
  int read = 0;
  for (const char* folder : {"OBJ", "OFF", "invalid"}) {
    for (const auto& entry : std::filesystem::directory_iterator(root / folder)) {
      const std::string path = entry.path().string();
      const std::string extension = entry.path().extension().string();
      if (extension != ".obj" && extension != ".off") continue;
      LoadedModel model;
      const std::string error = standin::load_model_file(path, model);
      if (!error.empty()) {
        EXPECT_EQ(error.rfind(path, 0), 0u) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
      }
      ++read;
    }
  }
  EXPECT_GT(read, 25);

  LoadedModel box;
  EXPECT_EQ(standin::load_model_file((root / "OBJ/box.obj").string(), box), "");
  ASSERT_EQ(box.objects.size(), 1u);
  EXPECT_EQ(box.objects[0].surface_count(), 6u);
  LoadedModel malformed;
  EXPECT_EQ(standin::load_model_file((root / "invalid/malformed.obj").string(), malformed),
            (root / "invalid/malformed.obj").string() +
                ":23: vertex index 12 is out of range (8 vertices)");
  LoadedModel huge;
  EXPECT_NE(standin::load_model_file((root / "invalid/OutOfMemory.off").string(), huge)
                .find("is more than the file holds"),
            std::string::npos);
}

// One faulty line of each kind, put anywhere in a file that reads, must be the error, named by
// its own line number: whatever the line ends, with or without a byte-order mark, read whole or
// a few bytes at a time.
namespace faulty_lines {

struct Fault {
  std::string_view line;
  const char* reason;  // what the error says after "NAME:LINE: "
};

constexpr Fault kObjFaults[] = {
    {"v 1 zz 0", "vertex coordinate 'zz' is not a finite number"},
    {"v 1 2", "a vertex needs three coordinates"},
    {"v 1 2 1e99", "vertex coordinate '1e99' is out of range"},
    {"f 1 2", "a face needs three vertices"},
    {"f 1 x 3", "face vertex 'x' is not a vertex index"},
    {"f 1 2 99999999", "vertex index 99999999 is out of range"},
    {"f -99999999 1 2", "vertex index -99999999 is out of range"},
    {"f 2 2 2", "a face needs three different vertices"},
    {std::string_view("v 0 \0 0", 7), "not a text OBJ file"},
    {"v 0 \x01 0", "not a text OBJ file"},
};

// Faults in place of a vertex line, and in place of a face line, of an OFF file.
constexpr Fault kOffVertexFaults[] = {
    {"1 zz 0", "vertex coordinate 'zz' is not a finite number"},
    {"1 2", "a vertex needs three coordinates"},
    {"0 \x02 0", "not a text OFF file"},
};
constexpr Fault kOffFaceFaults[] = {
    {"2 0 1", "a face needs three vertices"},
    {"x 0 1 2", "a face needs three vertices"},
    {"4 0 1 2", "the face lists fewer vertices than its count says"},
    {"3 0 1 99999999", "vertex index '99999999' is out of range"},
    {"3 1 1 1", "a face needs three different vertices"},
    {"3 0 \x1b 1", "not a text OFF file"},
};

// A random closed-enough mesh as lines: `vertices` vertices, faces of 3 to 8 corners.
std::vector<std::string> random_obj(std::mt19937& random) {
  std::vector<std::string> lines = {"# made for the test", "o first"};
  const int vertices = 3 + static_cast<int>(random() % 40);
  for (int v = 0; v < vertices; ++v) {
    lines.push_back("v " + std::to_string(v) + " " + std::to_string(random() % 9) + " 0.5");
  }
  const int faces = 1 + static_cast<int>(random() % 30);
  for (int f = 0; f < faces; ++f) {
    if (random() % 10 == 0) lines.push_back("o part" + std::to_string(f));
    if (random() % 10 == 0) lines.push_back("vt 0 0");
    std::string face = "f";
    const int start = static_cast<int>(random() % (vertices - 2));
    const int corners = std::min(3 + static_cast<int>(random() % 6), vertices - start);
    for (int k = 0; k < corners; ++k) face += " " + std::to_string(start + k + 1);
    lines.push_back(face);
  }
  return lines;
}

// The lines of a real model, and whether it reads as it is.
std::vector<std::string> lines_of_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::string> lines;
  standin::TextLines reader(text, "OBJ");
  std::string_view line;
  while (reader.next(line)) lines.emplace_back(line);
  return lines;
}

std::string joined(const std::vector<std::string>& lines, const std::string& end, bool mark) {
  std::string text = mark ? "\xEF\xBB\xBF" : "";
  for (const std::string& line : lines) text += line + end;
  return text;
}

TEST(LoadModel, AFaultyLineAnywhereIsTheErrorNamingItsLine) {
  std::mt19937 random(11);
  std::vector<std::vector<std::string>> bases;
  for (int b = 0; b < 6; ++b) bases.push_back(random_obj(random));
  for (const char* real :
       {"/usr/share/assimp/models/OBJ/box.obj", "/usr/share/assimp/models/OBJ/spider.obj"}) {
    LoadedModel model;
    if (standin::load_model_file(real, model).empty()) bases.push_back(lines_of_file(real));
  }
  const std::string ends[] = {"\n", "\r\n", "\r"};
  for (int round = 0; round < 300; ++round) {
    std::vector<std::string> lines = bases[random() % bases.size()];
    const Fault& fault = kObjFaults[random() % std::size(kObjFaults)];
    const std::size_t at = random() % (lines.size() + 1);
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), std::string(fault.line));
    const std::string text = joined(lines, ends[random() % 3], random() % 2 == 0);
    SCOPED_TRACE(::testing::PrintToString(std::string(fault.line)) + " at line " +
                 std::to_string(at + 1));
    expect_error("m.obj", text, "m.obj:" + std::to_string(at + 1) + ": " + fault.reason);
  }
}

TEST(LoadModel, AFaultyVertexOrFaceLineOfAnOffFileIsNamed) {
  std::mt19937 random(13);
  const std::string ends[] = {"\n", "\r\n", "\r"};
  for (int round = 0; round < 200; ++round) {
    const int vertices = 3 + static_cast<int>(random() % 20);
    const int faces = 1 + static_cast<int>(random() % 20);
    std::vector<std::string> lines = {
        "OFF", "# counts next", std::to_string(vertices) + " " + std::to_string(faces) + " 0"};
    const std::size_t first_vertex = lines.size();
    for (int v = 0; v < vertices; ++v)
      lines.push_back(std::to_string(v) + " 1 " + std::to_string(v % 3));
    const std::size_t first_face = lines.size();
    for (int f = 0; f < faces; ++f) {
      const int start = static_cast<int>(random() % (vertices - 2));
      lines.push_back("3 " + std::to_string(start) + " " + std::to_string(start + 1) + " " +
                      std::to_string(start + 2) + (random() % 3 == 0 ? " 255 0 0" : ""));
    }
    const bool in_vertices = random() % 2 == 0;
    const Fault& fault = in_vertices ? kOffVertexFaults[random() % std::size(kOffVertexFaults)]
                                     : kOffFaceFaults[random() % std::size(kOffFaceFaults)];
    const std::size_t at =
        in_vertices ? first_vertex + random() % vertices : first_face + random() % faces;
    lines[at] = std::string(fault.line);
    const std::string text = joined(lines, ends[random() % 3], random() % 2 == 0);
    SCOPED_TRACE(::testing::PrintToString(lines[at]) + " at line " + std::to_string(at + 1));
    expect_error("m.off", text, "m.off:" + std::to_string(at + 1) + ": " + fault.reason);
  }
}

}  // namespace faulty_lines

// Reading stops at the first line that no text file holds, without reading on; statements the
// reader does not know are skipped with one warning a keyword; objects without faces are left
// out with a warning.
TEST(LoadModel, WhatIsNotAModelSaysSoOnOneLine) {
  constexpr char kProgram[] =
      "v 0 0 0\n\x7F"
      "ELF\0\0\1";
  EXPECT_EQ(error_of("m.obj", std::string(kProgram, sizeof kProgram - 1)),
            "m.obj:2: not a text OBJ file");
  EXPECT_EQ(error_of("m.off", std::string("\xFF\xFEO\0F\0F\0", 8)),
            "m.off:1: not a text OFF file (UTF-16)");
  EXPECT_EQ(error_of("m.off", std::string(3, '\0')), "m.off:1: not a text OFF file");
  EXPECT_EQ(error_of("m.obj", "\xEF\xBB\xBF"), "m.obj: the file is empty");
  EXPECT_EQ(error_of("m.obj", "# nothing\n"), "m.obj: the model has no surfaces");
  // The OFF header is checked before the body is read: a body that is not text is not reached.
  EXPECT_EQ(error_of("m.off", std::string("OFF\n99999999999 1 0\n\0\0\0", 24)),
            "m.off:2: vertex count 99999999999 is more than the file holds");
}

}  // namespace
