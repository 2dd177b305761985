// The header of a PLY file: its format, and the elements its body holds, in order, each with its
// count and its properties. A property is a scalar of one of eight types, or a list: a count of
// one scalar type followed by that many items of another.
#ifndef MODEL_FILES_PLY_HEADER_H
#define MODEL_FILES_PLY_HEADER_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model_files/text_lines.h"

namespace standin {

enum class PlyFormat { kAscii, kBinaryLittleEndian, kBinaryBigEndian };

// The scalar types, each under both of the names writers use (char or int8, ..., double or
// float64).
enum class PlyType { kInt8, kUint8, kInt16, kUint16, kInt32, kUint32, kFloat32, kFloat64 };

// Bytes a value of the type takes in a binary body.
std::size_t ply_type_size(PlyType type);
bool ply_type_is_integral(PlyType type);

struct PlyProperty {
  std::string name;
  PlyType type;  // a list's item type
  bool is_list = false;
  PlyType count_type = PlyType::kUint8;  // a list's count type
};

struct PlyElement {
  std::string name;
  std::uint64_t count = 0;
  std::vector<PlyProperty> properties;
  std::size_t line = 0;  // the header line that declares it
  // The index of the property with this name, or -1.
  int property_index(const std::string& property) const;
};

struct PlyHeader {
  PlyFormat format = PlyFormat::kAscii;
  std::vector<PlyElement> elements;
  // The header lines the format does not know, passed over: the first, and how many in all.
  std::size_t first_unknown_line = 0;
  std::string first_unknown_text;
  std::size_t unknown_lines = 0;
};

// Reads the header, from the "ply" line to "end_header", leaving `lines` at the body's first
// byte. `comment` and `obj_info` lines are passed over; so is a line the format does not know,
// which the header records for a warning.
//
// Returns: empty, or "NAME:LINE: reason" naming the header line at fault (or "NAME: reason").
std::string read_ply_header(const std::string& name, TextLines& lines, PlyHeader& header);

// Whether the rest of the file can hold the items the element counts claim: false for a stream,
// whose size is not known, and for a header whose counts are more than the file's size allows.
// Only a claim that fits is worth setting memory aside for; others are read item by item, and
// a body that ends early says how many items it held.
bool ply_counts_fit(const TextLines& lines, const PlyHeader& header);

}  // namespace standin

#endif  // MODEL_FILES_PLY_HEADER_H
