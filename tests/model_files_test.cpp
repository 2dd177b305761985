// Reading OBJ and OFF models: the objects and connectivity a file gives, and one-line errors
// naming the file and line for everything malformed.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "model_files/load_model.h"
#include "model_files/text_lines.h"

namespace {

using standin::LoadedModel;
using Loops = std::vector<std::vector<std::uint32_t>>;

Loops loops_of(const standin::Mesh& mesh) {
  Loops loops;
  for (std::uint32_t s = 0; s < mesh.surface_count(); ++s) {
    loops.emplace_back(mesh.loop_vertices.begin() + mesh.loop_offsets[s],
                       mesh.loop_vertices.begin() + mesh.loop_offsets[s + 1]);
  }
  return loops;
}

std::string load(const std::string& name, const std::string& text, LoadedModel& model) {
  return standin::load_model_text(name, text, model);
}

std::string error_of(const std::string& name, const std::string& text) {
  LoadedModel model;
  return load(name, text, model);
}

constexpr char kSquareVertices[] = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nv 2 0 0\nv 2 1 0\n";

TEST(ObjFiles, ObjectsComeFromOThenGThenTheWholeFile) {
  LoadedModel by_o;
  ASSERT_EQ(load("m.obj",
                 std::string(kSquareVertices) +
                     "f 1 2 3\no left\ng ignored\nf 1 3 4\no right\nf 2 5 6 3\n",
                 by_o),
            "");
  ASSERT_EQ(by_o.objects.size(), 3u);
  EXPECT_EQ(by_o.objects[0].name, "m");  // faces before the first `o`
  EXPECT_EQ(by_o.objects[1].name, "left");
  EXPECT_EQ(by_o.objects[2].name, "right");

  LoadedModel by_g;
  ASSERT_EQ(
      load("dir/m.obj", std::string(kSquareVertices) + "g a b\nf 1 2 3\ng c\nf 1 3 4\n", by_g), "");
  ASSERT_EQ(by_g.objects.size(), 2u);
  EXPECT_EQ(by_g.objects[0].name, "a b");
  EXPECT_EQ(by_g.objects[1].name, "c");

  LoadedModel whole;
  ASSERT_EQ(load("dir/whole.obj", std::string(kSquareVertices) + "f 1 2 3\nf 1 3 4\n", whole), "");
  ASSERT_EQ(whole.objects.size(), 1u);
  EXPECT_EQ(whole.objects[0].name, "whole");
}

TEST(ObjFiles, IndicesResolveRelativeAndIgnoreTextureAndNormal) {
  LoadedModel model;
  ASSERT_EQ(load("m.obj",
                 std::string(kSquareVertices) +
                     "vt 0 0\nvn 0 0 1\nf 1/1/1 2/1/1 3/1/1\nf -6//1 -4//1 -3//1\n",
                 model),
            "");
  ASSERT_EQ(model.objects.size(), 1u);
  // Each object keeps the vertices it uses, numbered in order of first use.
  EXPECT_EQ(loops_of(model.objects[0]), (Loops{{0, 1, 2}, {0, 2, 3}}));
  EXPECT_EQ(model.objects[0].vertices.size(), 4u);
}

TEST(ObjFiles, RepeatedVertexIsDroppedWithAWarningNamingTheLine) {
  LoadedModel model;
  ASSERT_EQ(load("m.obj", std::string(kSquareVertices) + "f 1 2 2 3\n", model), "");
  EXPECT_EQ(loops_of(model.objects[0]), (Loops{{0, 1, 2}}));
  EXPECT_EQ(model.warnings,
            std::vector<std::string>{"m.obj:7: face repeats a vertex; repeat dropped"});
}

TEST(ObjFiles, MalformedInputNamesTheFileAndLine) {
  const std::string v = kSquareVertices;
  EXPECT_EQ(error_of("m.obj", v + "f 1 2 7\n"),
            "m.obj:7: vertex index 7 is out of range (6 vertices)");
  EXPECT_EQ(error_of("m.obj", v + "f 1 2 -7\n"),
            "m.obj:7: vertex index -7 is out of range (6 vertices)");
  EXPECT_EQ(error_of("m.obj", v + "f 1 2\n"), "m.obj:7: a face needs three vertices");
  EXPECT_EQ(error_of("m.obj", v + "f 1 1 2\n"), "m.obj:7: a face needs three different vertices");
  EXPECT_EQ(error_of("m.obj", v + "f 1 x 3\n"), "m.obj:7: face vertex 'x' is not a vertex index");
  EXPECT_EQ(error_of("m.obj", v + "f 0 1 2\n"), "m.obj:7: face vertex '0' is not a vertex index");
  EXPECT_EQ(error_of("m.obj", "v 0 nan 0\n"),
            "m.obj:1: vertex coordinate 'nan' is not a finite number");
  EXPECT_EQ(error_of("m.obj", "v 0 1e300 0\n"),
            "m.obj:1: vertex coordinate '1e300' is out of range");
  EXPECT_EQ(error_of("m.obj", "v 0 1\n"), "m.obj:1: a vertex needs three coordinates");
  EXPECT_EQ(error_of("m.obj", v), "m.obj: the model has no surfaces");
  EXPECT_EQ(error_of("m.obj", ""), "m.obj: the file is empty");
  EXPECT_EQ(error_of("m.stl", v), "m.stl: unknown model format (expected .obj or .off)");
}

TEST(ObjFiles, IndicesMayNameVerticesFurtherDownAndAreCheckedBeforeALaterMalformedLine) {
  // The file is read once, so a face's forward references are settled after the last line; a
  // bad one still comes before a malformed line further down, and a malformed vertex line
  // still counts as one of the file's vertices.
  const std::string three = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";
  LoadedModel forward;
  EXPECT_EQ(load("m.obj", "f 1 2 3\n" + three, forward), "");
  EXPECT_EQ(error_of("m.obj", "f 1 2 5\n" + three + "v 1 1\n"),
            "m.obj:1: vertex index 5 is out of range (4 vertices)");
  EXPECT_EQ(error_of("m.obj", "f 1 2 4\n" + three + "v 1 1\n"),
            "m.obj:5: a vertex needs three coordinates");
  EXPECT_EQ(error_of("m.obj", three + "f 1 9 x\n"),
            "m.obj:4: vertex index 9 is out of range (3 vertices)");
}

// Files written on other systems end lines with CR LF, or with CR alone: either is one line end,
// so errors name the same line as in the LF file, and no CR is left on a word.
TEST(ModelFiles, CrAndCrLfLineEndsCountLinesAsLfDoes) {
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
TEST(ObjFiles, LinesMayStartWithAnyBlank) {
  LoadedModel model;
  EXPECT_EQ(load("m.obj", "\tv 0 0 0\n\fv 1 0 0\n\vv 0 1 0\n \f f 1 2 3\n", model), "");
  ASSERT_EQ(model.objects.size(), 1u);
  EXPECT_EQ(model.objects[0].surface_count(), 1u);
}

TEST(ObjFiles, AByteOrderMarkIsNotPartOfTheFirstLine) {
  LoadedModel model;
  EXPECT_EQ(load("m.obj", "\xEF\xBB\xBFv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n", model), "");
  LoadedModel off;
  EXPECT_EQ(load("m.off", "\xEF\xBB\xBFOFF\n3 1 0\n0 0 0\n1 0 0\n0 1 0\n3 0 1 2\n", off), "");
}

TEST(ObjFiles, PolygonsOfMoreThan255CornersSurvive) {
  std::string text;
  for (int k = 0; k < 300; ++k)
    text += "v " + std::to_string(k) + " " + std::to_string(k * k % 17) + " 0\n";
  text += "f";
  for (int k = 1; k <= 300; ++k) text += " " + std::to_string(k);
  text += "\n";
  LoadedModel model;
  ASSERT_EQ(load("big.obj", text, model), "");
  EXPECT_EQ(loops_of(model.objects[0])[0].size(), 300u);
}

TEST(OffFiles, ReadsHeaderCountsAndIgnoresColours) {
  LoadedModel model;
  ASSERT_EQ(
      load("dir/quad.off",
           "OFF 4 2 0\n# comment\n0 0 0\n1 0 0\n1 1 0\n0 1 0\n3 0 1 2 255 0 0\n3 0 2 3\n", model),
      "");
  ASSERT_EQ(model.objects.size(), 1u);
  EXPECT_EQ(model.objects[0].name, "quad");
  EXPECT_EQ(loops_of(model.objects[0]), (Loops{{0, 1, 2}, {0, 2, 3}}));
  LoadedModel plain;
  EXPECT_EQ(load("p.off", "3 1 0\n0 0 0\n1 0 0\n0 1 0\n3 0 1 2\n", plain), "");
}

TEST(OffFiles, MalformedInputNamesTheFileAndLine) {
  EXPECT_EQ(error_of("m.off", "OFF\n99999999999 1 0\n0 0 0\n"),
            "m.off:2: vertex count 99999999999 is more than the file holds");
  EXPECT_EQ(error_of("m.off", "OFF\n3 1 0\n0 0 0\n1 0 0\n0 1 0\n3 0 1 3\n"),
            "m.off:6: vertex index '3' is out of range (3 vertices)");
  EXPECT_EQ(error_of("m.off", "OFF\n3 1 0\n0 0 0\n1 0 0\n0 1 0\n2 0 1\n"),
            "m.off:6: a face needs three vertices");
  EXPECT_EQ(error_of("m.off", "OFF\n3 1 0\n0 0 0\n1 0 0\n"),
            "m.off: the file ends after 2 of 3 vertices");
  EXPECT_EQ(error_of("m.off", "OFF\n3 1 0\n0 0 0\n1 inf 0\n0 1 0\n3 0 1 2\n"),
            "m.off:4: vertex coordinate 'inf' is not a finite number");
  EXPECT_EQ(error_of("m.off", "OFF\nthree 1 0\n"), "m.off:2: expected the vertex and face counts");
  EXPECT_EQ(error_of("m.off", ""), "m.off: the file is empty");
  EXPECT_EQ(error_of("m.off", "OFF\n3 0 0\n0 0 0\n1 0 0\n0 1 0\n"),
            "m.off: the model has no surfaces");
}

// The sample models Debian ships (assimp-testmodels), some deliberately malformed: each either
// loads or gives one line naming the file.
TEST(RealModelFiles, EveryFileLoadsOrFailsWithOneLineStartingWithItsPath) {
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

}  // namespace

// Reading a file a block at a time must see the same lines as reading it whole, wherever the
// blocks end: inside a word, between the CR and LF of one line end, or on a NUL byte.
namespace block_reading {

// The text as a file read `block_size` bytes at a time.
std::string load_in_blocks(const std::string& name, const std::string& text, std::size_t block,
                           LoadedModel& model) {
  std::FILE* file = std::tmpfile();
  std::fwrite(text.data(), 1, text.size(), file);
  std::rewind(file);
  const std::string error =
      standin::load_model_stream(name, file, text.size(), model, nullptr, block);
  std::fclose(file);
  return error;
}

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

// Loads the text whole and in blocks of a few bytes; both must give `expected` exactly.
void expect_error(const std::string& name, const std::string& text, const std::string& expected) {
  LoadedModel whole;
  const std::string error = standin::load_model_text(name, text, whole);
  EXPECT_EQ(error.substr(0, expected.size()), expected) << error;
  LoadedModel in_blocks;
  EXPECT_EQ(block_reading::load_in_blocks(name, text, 5, in_blocks), error);
}

TEST(ModelFiles, AFaultyLineAnywhereIsTheErrorNamingItsLine) {
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

TEST(ModelFiles, AFaultyVertexOrFaceLineOfAnOffFileIsNamed) {
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
TEST(ModelFiles, WhatIsNotAModelSaysSoOnOneLine) {
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

TEST(ObjFiles, UnknownStatementsAndEmptyObjectsAreSkippedWithAWarning) {
  LoadedModel model;
  ASSERT_EQ(load("m.obj",
                 "hello world\nvx 1 2\nv 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl red\ns 1\n"
                 "o empty\no tri\nf 1 2 3\nhello again\nl 1 2\no\n",
                 model),
            "");
  ASSERT_EQ(model.objects.size(), 1u);
  EXPECT_EQ(model.objects[0].name, "tri");
  EXPECT_EQ(model.warnings,
            (std::vector<std::string>{
                "m.obj:1: unknown statement 'hello' skipped (and 1 more lines like it)",
                "m.obj:2: unknown statement 'vx' skipped",
                "m.obj:8: 2 objects without faces left out, the first here ('empty'); indices "
                "count only objects with faces"}));
}
