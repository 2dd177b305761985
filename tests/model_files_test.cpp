// Reading OBJ and OFF models: the objects and connectivity a file gives, and one-line errors
// naming the file and line for everything malformed.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "model_files/model_file.h"

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
  EXPECT_EQ(error_of("m.obj", ""), "m.obj: the model has no surfaces");
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
