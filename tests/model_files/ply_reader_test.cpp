// Reading PLY: ASCII and binary of both byte orders, every scalar type for coordinates, counts
// and indices, elements in any order, and one-line errors that name the header line, the body's
// line, or the item and its byte.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "model_files/load_model.h"
#include "tests/model_files/model_file_checks.h"
#include "tests/model_files/ply_files.h"

namespace {

using namespace model_file_checks;

using namespace ply_files;

void expect_model(const std::string& text, const Model& expected) {
  LoadedModel model;
  ASSERT_EQ(load("dir/model.ply", text, model), "");
  ASSERT_EQ(model.objects.size(), 1u);
  const standin::Mesh& mesh = model.objects[0];
  EXPECT_EQ(mesh.name, "model");
  EXPECT_EQ(loops_of(mesh), expected.faces);
  ASSERT_EQ(mesh.vertices.size(), expected.vertices.size());
  for (std::size_t v = 0; v < expected.vertices.size(); ++v) {
    EXPECT_EQ(mesh.vertices[v].x, expected.vertices[v][0]) << v;
    EXPECT_EQ(mesh.vertices[v].y, expected.vertices[v][1]) << v;
    EXPECT_EQ(mesh.vertices[v].z, expected.vertices[v][2]) << v;
  }
  // The same read a few bytes at a time, as a file and as a stream of unknown size.
  LoadedModel in_blocks;
  ASSERT_EQ(load_in_blocks("dir/model.ply", text, 3, in_blocks), "");
  EXPECT_EQ(loops_of(in_blocks.objects.at(0)), expected.faces);
  LoadedModel streamed;
  ASSERT_EQ(load_as_stream("dir/model.ply", text, 7, streamed), "");
  EXPECT_EQ(loops_of(streamed.objects.at(0)), expected.faces);
  EXPECT_EQ(streamed.objects.at(0).vertices.size(), expected.vertices.size());
}

TEST(PlyReader, EveryTypeOfCoordinateCountAndIndexInEachBodyAndOrder) {
  const Model model;
  int files = 0;
  for (Body body : {Body::kAscii, Body::kLittleEndian, Body::kBigEndian}) {
    for (const PlyType& coordinate : kTypes) {
      for (const PlyType& count : kTypes) {
        if (count.floating) continue;  // a list's count is a whole number by type
        for (const PlyType& index : kTypes) {
          Layout layout{body, coordinate, count, index};
          layout.faces_first = files % 2 == 1;
          layout.extras = files % 3 == 0;
          SCOPED_TRACE(std::string(format_line(body)) + coordinate.name + " " + count.name + " " +
                       index.name + (layout.faces_first ? " faces first" : "") +
                       (layout.extras ? " with extras" : ""));
          expect_model(ply_file(model, layout), model);
          ++files;
        }
      }
    }
  }
  EXPECT_EQ(files, 3 * 8 * 6 * 8);
}

TEST(PlyReader, TypesGoByEitherName) {
  const Model model;
  for (int t = 0; t < 8; ++t) {
    SCOPED_TRACE(kOtherNames[t]);
    std::string text = ply_file(model, Layout{Body::kLittleEndian, kTypes[t]});
    for (const char* axis : {" x\n", " y\n", " z\n"}) {
      const std::string declared = std::string("property ") + kTypes[t].name + axis;
      text.replace(text.find(declared), declared.size(),
                   std::string("property ") + kOtherNames[t] + axis);
    }
    expect_model(text, model);
  }
}

// Header lines the format does not know (old exporters wrote a bare sentence) are passed over
// with one warning naming the first; comments and obj_info lines silently.
TEST(PlyReader, AnUnknownHeaderLineIsPassedOverWithOneWarning) {
  const Model model;
  std::string text = ply_file(model, Layout{});
  text.insert(text.find("comment"), "Created by an old exporter\nanother odd line\n");
  LoadedModel loaded;
  ASSERT_EQ(load("m.ply", text, loaded), "");
  EXPECT_EQ(loaded.warnings,
            std::vector<std::string>{"m.ply:3: header line 'Created by an old exporter' is not "
                                     "PLY; passed over (and 1 more line like it)"});
}

// A file whose header declares no faces is no model: its body is not read at all.
TEST(PlyReader, AFileWithoutFacesHasNoSurfaces) {
  EXPECT_EQ(error_of("points.ply",
                     "ply\nformat binary_little_endian 1.0\nelement vertex 1000000000\n"
                     "property float x\nproperty float y\nproperty float z\nend_header\n"),
            "points.ply: the model has no surfaces");
  EXPECT_EQ(error_of("none.ply",
                     "ply\nformat ascii 1.0\nelement vertex 3\nproperty float x\n"
                     "property float y\nproperty float z\nelement face 0\n"
                     "property list uchar int vertex_indices\nend_header\n0 0 0\n"),
            "none.ply: the model has no surfaces");
  EXPECT_EQ(error_of("misplaced.ply",
                     "ply\nformat ascii 1.0\nelement vertex 3\nproperty float x\n"
                     "property float y\nproperty float z\nproperty list uchar int vertex_indices\n"
                     "end_header\n0 0 0\n"),
            "misplaced.ply:3: the list vertex_indices stands in element 'vertex', not in a face "
            "element: the model has no surfaces");
}

constexpr char kTriangleHeader[] =
    "ply\nformat ascii 1.0\nelement vertex 3\nproperty float x\nproperty float y\n"
    "property float z\nelement face 1\nproperty list uchar int vertex_indices\nend_header\n";

TEST(PlyReader, AHeaderAtFaultIsNamedByItsLine) {
  const std::string start = "ply\nformat ascii 1.0\n";
  const std::string vertex =
      "element vertex 3\nproperty float x\nproperty float y\nproperty float z\n";
  expect_error("h.ply", "PLY\n", "h.ply:1: not a PLY file (no 'ply' line)");
  expect_error("h.ply", "ply\nformat ascii 2.0\n", "h.ply:2: unknown version '2.0' (1.0)");
  expect_error("h.ply", "ply\nformat binary_middle_endian 1.0\n",
               "h.ply:2: unknown format 'binary_middle_endian' (ascii, binary_little_endian or "
               "binary_big_endian)");
  expect_error("h.ply", start + "element vertex 3\nproperty float128 x\n",
               "h.ply:4: unknown type 'float128'");
  expect_error("h.ply", start + "property float x\n", "h.ply:3: a property before any element");
  expect_error("h.ply", start + "element vertex -3\n",
               "h.ply:3: element count '-3' is not a count");
  expect_error("h.ply", start + vertex + "element face 1\nproperty list float int vertex_indices\n",
               "h.ply:8: a list's count type must be an integer type, not 'float'");
  expect_error("h.ply",
               start + vertex + "element face 1\nproperty int vertex_indices\nend_header\n",
               "h.ply:7: the face element has no list vertex_indices (or vertex_index)");
  expect_error("h.ply",
               start +
                   "element vertex 3\nproperty float x\nproperty float y\n"
                   "element face 1\nproperty list uchar int vertex_indices\nend_header\n",
               "h.ply:3: the vertex element has no property z");
  expect_error("h.ply", start + vertex, "h.ply: the file ends before the header's end_header line");
  expect_error("h.ply", std::string(kTriangleHeader).replace(4, 16, "format ascii 1.0\0", 17),
               "h.ply:2: not a text PLY file");
}

// Claims the file cannot hold are not set aside for: the body is read as far as it goes, and
// then says how much of the claim it held; a list's count beyond what is left of the file is
// refused before its items are read.
TEST(PlyReader, ClaimsTheFileCannotHoldEndWithWhatItHeld) {
  expect_error("big.ply",
               "ply\nformat binary_little_endian 1.0\nelement vertex 1000000000\n"
               "property float x\nproperty float y\nproperty float z\nelement face 1\n"
               "property list uchar int vertex_indices\nend_header\n" +
                   std::string(24, '\0'),
               "big.ply: the file ends after 2 of 1,000,000,000 vertices");
  // A list's count beyond what is left of the file, in a binary body.
  std::string text =
      "ply\nformat binary_little_endian 1.0\nelement vertex 3\nproperty uchar x\n"
      "property uchar y\nproperty uchar z\nelement face 1\nproperty list uint uchar "
      "vertex_indices\nend_header\n";
  text += std::string("\0\0\0\1\0\0\0\1\0", 9);
  text += std::string("\0\xCA\x9A\x3B", 4);  // 1,000,000,000 little-endian
  text += std::string("\0\1\2", 3);
  expect_error("big.ply", text,
               "big.ply: the file ends after 0 of 1 face (the next: its list counts "
               "1,000,000,000 items, more than the rest of the file holds)");
}

TEST(PlyReader, BodyErrorsNameTheLineOrTheItemAndItsByte) {
  const std::string header = kTriangleHeader;
  expect_error("b.ply", header + "0 0 0\n1 0 0\n0 1 0\n3 0 1 3\n",
               "b.ply:13: vertex index 3 is out of range (3 vertices)");
  expect_error("b.ply", header + "0 0 0\n1 0 0\n0 1 0\n2 0 1\n",
               "b.ply:13: a face needs three vertices");
  expect_error("b.ply", header + "0 0 0\n1 nan 0\n0 1 0\n3 0 1 2\n",
               "b.ply:11: coordinate y: 'nan' is not a finite number");
  expect_error("b.ply", header + "0 0 0 9\n1 0 0\n0 1 0\n3 0 1 2\n",
               "b.ply:10: more values than the element's properties ('9')");
  expect_error("b.ply", header + "0 0\n",
               "b.ply:10: coordinate z: the line ends before the element's last property");
  expect_error("b.ply", header + "0 0 0\n1 0 0\n0 1 0\n3 0 1 2\n3 0 1 2\n",
               "b.ply:14: more lines than the header's elements hold");
  expect_error("b.ply", header + "0 0 0\n1 0 0\n", "b.ply: the file ends after 2 of 3 vertices");
  expect_error(
      "b.ply", header + "0 0 0\n1 0 0\n0 1 0\n300 0 1 2\n",
      "b.ply:13: the count of list vertex_indices: '300' is not a whole number of its type");

  const Model model;
  const std::string binary = ply_file(model, Layout{Body::kBigEndian});
  const std::size_t body = binary.find("end_header\n") + 11;
  // Cut inside the second face: the file held one of three faces.
  const std::size_t first_face = body + 7 * 12 + 1 + 4 * 4;
  expect_error("t.ply", binary.substr(0, first_face + 3),
               "t.ply: the file ends after 1 of 3 faces (the next: its list counts 4 items, "
               "more than the rest of the file holds)");
  expect_error("t.ply", binary.substr(0, first_face + 1),
               "t.ply: the file ends after 1 of 3 faces");
  // The second face's third index made 7, out of range: named by the face and its byte.
  std::string bad = binary;
  bad[first_face + 1 + 4 * 3 - 1] = 7;
  expect_error("t.ply", bad,
               "t.ply: face 1 (byte " + std::to_string(first_face) +
                   "): vertex index 7 is out of range (7 vertices)");
}

// A face that repeats a vertex is read with the repeat dropped, and all such faces of a file
// give one warning, naming the first.
TEST(PlyReader, FacesThatRepeatAVertexGiveOneWarning) {
  std::string text = std::string(kTriangleHeader)
                         .replace(std::string(kTriangleHeader).find("face 1"), 6, "face 3");
  text += "0 0 0\n1 0 0\n0 1 0\n4 0 1 2 2\n4 0 0 1 2\n3 0 1 2\n";
  LoadedModel model;
  ASSERT_EQ(load("r.ply", text, model), "");
  EXPECT_EQ(loops_of(model.objects[0]), (Loops{{0, 1, 2}, {0, 1, 2}, {0, 1, 2}}));
  EXPECT_EQ(model.warnings,
            std::vector<std::string>{"r.ply:13: face repeats a vertex; repeat dropped (and 1 more "
                                     "face like it)"});
}

// The PLY samples Debian ships (assimp-testmodels): those with faces load; the point clouds have
// no surfaces; the file whose face list stands in its vertex element is refused in one line.
TEST(PlyReader, TheSampleModels) {
  const std::string root = "/usr/share/assimp/models/PLY/";
  LoadedModel probe;
  if (standin::load_model_file(root + "cube.ply", probe).find("cannot open") != std::string::npos) {
    GTEST_SKIP() << "assimp-testmodels is not installed";
  }
  const struct {
    const char* file;
    std::size_t surfaces;
    std::size_t vertices;
  } with_faces[] = {{"cube.ply", 6, 8},
                    {"cube_binary.ply", 12, 8},
                    {"cube_uv.ply", 6, 24},
                    {"float-color.ply", 1, 3},
                    {"Wuson.ply", 3732, 11184}};
  for (const auto& sample : with_faces) {
    SCOPED_TRACE(sample.file);
    LoadedModel model;
    ASSERT_EQ(standin::load_model_file(root + sample.file, model), "");
    ASSERT_EQ(model.objects.size(), 1u);
    EXPECT_EQ(model.objects[0].surface_count(), sample.surfaces);
    EXPECT_EQ(model.objects[0].vertices.size(), sample.vertices);
  }
  for (const char* cloud : {"points.ply", "pond.0.ply"}) {
    LoadedModel model;
    EXPECT_EQ(standin::load_model_file(root + cloud, model),
              root + cloud + ": the model has no surfaces");
  }
  LoadedModel misplaced;
  const std::string error = standin::load_model_file(root + "issue623.ply", misplaced);
  EXPECT_EQ(error, root +
                       "issue623.ply:4: the list vertex_indices stands in element 'vertex', "
                       "not in a face element: the model has no surfaces");
}

}  // namespace
