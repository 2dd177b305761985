// Reading Wavefront OBJ: the objects and connectivity a file gives, and one-line errors naming
// the file and the line for everything malformed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/model_files/model_file_checks.h"

namespace {

using namespace model_file_checks;

TEST(ObjReader, ObjectsComeFromOThenGThenTheWholeFile) {
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

TEST(ObjReader, IndicesResolveRelativeAndIgnoreTextureAndNormal) {
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

TEST(ObjReader, RepeatedVertexIsDroppedWithAWarningNamingTheLine) {
  LoadedModel model;
  ASSERT_EQ(load("m.obj", std::string(kSquareVertices) + "f 1 2 2 3\n", model), "");
  EXPECT_EQ(loops_of(model.objects[0]), (Loops{{0, 1, 2}}));
  EXPECT_EQ(model.warnings,
            std::vector<std::string>{"m.obj:7: face repeats a vertex; repeat dropped"});
}

TEST(ObjReader, MalformedInputNamesTheFileAndLine) {
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
  EXPECT_EQ(error_of("m.stl", v),
            "m.stl: unknown model format (expected .obj, .off or .ply, or --format)");
}

TEST(ObjReader, IndicesMayNameVerticesFurtherDownAndAreCheckedBeforeALaterMalformedLine) {
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

TEST(ObjReader, LinesMayStartWithAnyBlank) {
  LoadedModel model;
  EXPECT_EQ(load("m.obj", "\tv 0 0 0\n\fv 1 0 0\n\vv 0 1 0\n \f f 1 2 3\n", model), "");
  ASSERT_EQ(model.objects.size(), 1u);
  EXPECT_EQ(model.objects[0].surface_count(), 1u);
}

TEST(ObjReader, AByteOrderMarkIsNotPartOfTheFirstLine) {
  LoadedModel model;
  EXPECT_EQ(load("m.obj", "\xEF\xBB\xBFv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n", model), "");
  LoadedModel off;
  EXPECT_EQ(load("m.off", "\xEF\xBB\xBFOFF\n3 1 0\n0 0 0\n1 0 0\n0 1 0\n3 0 1 2\n", off), "");
}

TEST(ObjReader, PolygonsOfMoreThan255CornersSurvive) {
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

TEST(ObjReader, UnknownStatementsAndEmptyObjectsAreSkippedWithAWarning) {
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
                "m.obj:1: unknown statement 'hello' skipped (and 1 more line like it)",
                "m.obj:2: unknown statement 'vx' skipped",
                "m.obj:8: 2 objects without faces left out, the first here ('empty'); indices "
                "count only objects with faces"}));
}

// A line that ends in a backslash goes on in the next, as exporters write long faces; an error
// names the line that holds the fault, whatever the line ends.
TEST(ObjReader, ContinuedLinesJoinAndErrorsNameTheLineOfTheFault) {
  for (const std::string end : {"\n", "\r\n", "\r"}) {
    SCOPED_TRACE(end == "\n" ? "LF" : end == "\r" ? "CR" : "CR LF");
    const std::string square =
        "v 0 0 0" + end + "v 1 0 0" + end + "v 1 1 0" + end + "v 0 1 0" + end;
    LoadedModel model;
    ASSERT_EQ(load("m.obj", square + "f 1 2 \\" + end + "3 \\" + end + "4" + end, model), "");
    EXPECT_EQ(loops_of(model.objects[0]), (Loops{{0, 1, 2, 3}}));
    expect_error("m.obj", square + "f 1 \\" + end + "2 \\" + end + "1/x 3" + end,
                 "m.obj:7: face vertex '1/x' is not a vertex index");
    // Found only once every vertex is known: still the line of the corner.
    expect_error("m.obj", square + "f 1 2 \\" + end + "9 3" + end,
                 "m.obj:6: vertex index 9 is out of range (4 vertices)");
    expect_error("m.obj", square + "v 1 \\" + end + "zz 0" + end + "f 1 2 3" + end,
                 "m.obj:6: vertex coordinate 'zz' is not a finite number");
    // A comment ends at its line's end, backslash or not; a last line may end in one.
    LoadedModel commented;
    ASSERT_EQ(load("m.obj", square + "# note \\" + end + "f 1 2 3 \\" + end, commented), "");
    EXPECT_EQ(loops_of(commented.objects[0]), (Loops{{0, 1, 2}}));
  }
}

// A corner is "v", "v/vt", "v//vn" or "v/vt/vn", each part a whole number: texture and normal
// indices are not used, but a corner that is none of these forms is refused, not read in part.
TEST(ObjReader, CornersHaveAtMostThreePartsEachAWholeNumber) {
  for (const char* corner : {"1", "1/2", "1//3", "1/2/3", "-3/-1/-2"}) {
    SCOPED_TRACE(corner);
    LoadedModel model;
    EXPECT_EQ(load("m.obj", std::string(kSquareVertices) + "f " + corner + " 5 6\n", model), "");
  }
  for (const char* corner : {"1/x", "1/1/1/1", "1/2/x", "1//x", "x/1", "0/1"}) {
    SCOPED_TRACE(corner);
    EXPECT_EQ(error_of("m.obj", std::string(kSquareVertices) + "f 2 " + corner + " 3\n"),
              std::string("m.obj:7: face vertex '") + corner + "' is not a vertex index");
  }
}

}  // namespace
