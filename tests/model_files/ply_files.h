// PLY files made for the tests: a small model every scalar type holds exactly, written as ASCII
// or binary of either byte order, with its coordinates, counts and indices of any type.
#ifndef TESTS_MODEL_FILES_PLY_FILES_H
#define TESTS_MODEL_FILES_PLY_FILES_H

#include <cstdint>
#include <string>
#include <vector>

#include "tests/model_files/model_file_checks.h"

namespace ply_files {

struct PlyType {
  const char* name;
  int bytes;
  bool floating;
  bool is_signed;
};

// char, uchar, short, ushort, int, uint, float, double.
extern const PlyType kTypes[8];
// The same types' other names, as other writers give them: int8 ... float64.
extern const char* const kOtherNames[8];

enum class Body { kAscii, kLittleEndian, kBigEndian };

// "format ascii 1.0\n" and the like.
const char* format_line(Body body);

// The three coordinates and the faces of a small model every type can hold exactly.
struct Model {
  std::vector<std::vector<double>> vertices = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {0, 1, 0},
                                               {1, 1, 1}, {2, 1, 0}, {0, 2, 3}};
  model_file_checks::Loops faces = {{0, 1, 4, 3}, {1, 2, 5, 4}, {3, 4, 6}};
};

struct Layout {
  Body body = Body::kAscii;
  PlyType coordinate = kTypes[6];
  PlyType count = kTypes[1];
  PlyType index = kTypes[4];
  bool faces_first = false;  // the face element before the vertex element
  bool extras = false;       // other properties, and another element with a list
};

// The model as a PLY file laid out so.
std::string ply_file(const Model& model, const Layout& layout);

}  // namespace ply_files

#endif  // TESTS_MODEL_FILES_PLY_FILES_H
