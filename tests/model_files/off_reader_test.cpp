// Reading OFF: the header and its variants, the counts, and one-line errors naming the file and
// the line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/model_files/model_file_checks.h"

namespace {

using namespace model_file_checks;

TEST(OffReader, ReadsHeaderCountsAndIgnoresColours) {
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

TEST(OffReader, MalformedInputNamesTheFileAndLine) {
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
constexpr char kSquareBody[] = "4 2 0\n0 0 0\n1 0 0\n1 1 0\n0 1 0\n3 0 1 2\n3 0 2 3\n";

// The header word's prefixes: colours, normals and texture coordinates after a vertex's
// coordinates are passed over; "n" takes a dimension, which must come to three coordinates.
// What is not read says so.
TEST(OffReader, HeaderVariantsAreReadOrRefusedSayingWhy) {
  for (const std::string header :
       {"OFF\n", "COFF\n", "STOFF\n", "nOFF\n3\n", "nOFF 3\n", "nOFF\n\n3 ", "4nOFF 2\n"}) {
    SCOPED_TRACE(header);
    LoadedModel model;
    ASSERT_EQ(load("m.off", header + kSquareBody, model), "");
    EXPECT_EQ(loops_of(model.objects[0]), (Loops{{0, 1, 2}, {0, 2, 3}}));
  }
  LoadedModel normals;
  ASSERT_EQ(load("m.off", "NOFF\n3 1 0\n0 0 0 0 0 1\n1 0 0 0 0 1\n0 1 0 0 0 1\n3 0 1 2\n", normals),
            "");
  EXPECT_EQ(normals.objects[0].vertices[1].x, 1);
  expect_error("m.off", std::string("nOFF\n4\n") + kSquareBody,
               "m.off:2: nOFF of dimension 4 is not read; only three-dimensional OFF is");
  expect_error("m.off", std::string("4nOFF 3\n") + kSquareBody,
               "m.off:1: nOFF of dimension 4 is not read; only three-dimensional OFF is");
  expect_error("m.off", std::string("4OFF\n") + kSquareBody,
               "m.off:1: 4OFF (vertices of four coordinates) is not read; only three-dimensional "
               "OFF is");
  expect_error("m.off", std::string("OFF BINARY\n") + kSquareBody,
               "m.off:1: binary OFF is not read; only OFF written as text is");
  expect_error("m.off", "nOFF\nthree\n", "m.off:2: expected the dimension of the nOFF header");
}

// A face the header's count leaves out is an error naming its line, not a face lost without a
// word; blank and comment lines after the last face are fine.
TEST(OffReader, TextAfterTheCountedFacesIsAnErrorNamingItsLine) {
  expect_error("m.off", "OFF\n4 1 0\n0 0 0\n1 0 0\n1 1 0\n0 1 0\n3 0 1 2\n3 0 2 3\n",
               "m.off:8: more faces than the header's count of 1");
  LoadedModel model;
  EXPECT_EQ(load("m.off", std::string("OFF\n") + kSquareBody + "\n# the end\n\n", model), "");
}

// A stream has no size to check the counts against: they are checked as the body is read, and
// nothing is set aside for them beforehand.
// A stream's counts cannot be checked against a size before its body is read: nothing is set
// aside for them, and a body that ends early is answered as the same file would have been, by
// the line of its counts when the counts are more than its size could hold.
TEST(OffReader, AStreamsCountsAreCheckedWhenItEndsAsAFileWouldBe) {
  LoadedModel model;
  EXPECT_EQ(load_as_stream("stdin.off", std::string("OFF\n") + kSquareBody, 3, model), "");
  ASSERT_EQ(model.objects.size(), 1u);
  EXPECT_EQ(model.objects[0].surface_count(), 2u);
  for (const std::string& text :
       {std::string("OFF\n4000000000 4000000000 0\n0 0 0\n"),
        std::string("OFF\n1000000000 1 0\n0 0 0\n1 0 0\n0 1 0\n3 0 1 2\n"),
        std::string("OFF\n3 1 0\n0 0 0\n1 0 0\n"),
        std::string("OFF 3 2 0\n0 0 0\n1 0 0\n0 1 0\n3 0 1 2\n")}) {
    SCOPED_TRACE(text);
    LoadedModel streamed;
    LoadedModel whole;
    EXPECT_EQ(load_as_stream("m.off", text, 3, streamed), load("m.off", text, whole));
    EXPECT_EQ(streamed.objects.size(), 0u);
  }
  LoadedModel huge;
  EXPECT_EQ(load_as_stream("stdin.off", "OFF\n1000000000 1 0\n0 0 0\n", 3, huge),
            "stdin.off:2: vertex count 1000000000 is more than the file holds");
}

}  // namespace
