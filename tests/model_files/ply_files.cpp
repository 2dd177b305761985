#include "tests/model_files/ply_files.h"

#include <cstdio>
#include <cstring>

namespace ply_files {

const PlyType kTypes[8] = {{"char", 1, false, true},  {"uchar", 1, false, false},
                           {"short", 2, false, true}, {"ushort", 2, false, false},
                           {"int", 4, false, true},   {"uint", 4, false, false},
                           {"float", 4, true, true},  {"double", 8, true, true}};
const char* const kOtherNames[8] = {"int8",  "uint8",  "int16",   "uint16",
                                    "int32", "uint32", "float32", "float64"};

const char* format_line(Body body) {
  switch (body) {
    case Body::kAscii:
      return "format ascii 1.0\n";
    case Body::kLittleEndian:
      return "format binary_little_endian 1.0\n";
    default:
      return "format binary_big_endian 1.0\n";
  }
}

namespace {

// A value of `type` in the body, as text or as bytes in the body's order.
void put(std::string& out, Body body, const PlyType& type, double value) {
  if (body == Body::kAscii) {
    char text[64];
    std::snprintf(text, sizeof text, type.floating ? "%.9g " : "%.0f ", value);
    out += text;
    return;
  }
  unsigned char bytes[8] = {};
  if (type.floating && type.bytes == 4) {
    const float single = static_cast<float>(value);
    std::memcpy(bytes, &single, 4);
  } else if (type.floating) {
    std::memcpy(bytes, &value, 8);
  } else {
    const auto integer = static_cast<std::uint64_t>(static_cast<long long>(value));
    for (int i = 0; i < type.bytes; ++i) bytes[i] = static_cast<unsigned char>(integer >> (8 * i));
  }
  // The bytes above are little-endian on this machine and by construction.
  for (int i = 0; i < type.bytes; ++i) {
    out += static_cast<char>(bytes[body == Body::kBigEndian ? type.bytes - 1 - i : i]);
  }
}

void end_item(std::string& out, Body body) {
  if (body == Body::kAscii) out.back() = '\n';
}

std::string vertex_element(const Model& model, const Layout& layout, std::string& body) {
  const PlyType& c = layout.coordinate;
  std::string header = "element vertex " + std::to_string(model.vertices.size()) + "\n";
  if (layout.extras) header += "property uchar red\n";
  for (const char* axis : {"x", "y", "z"})
    header += std::string("property ") + c.name + " " + axis + "\n";
  if (layout.extras) header += "property list uchar float uv\nproperty double nx\n";
  for (const std::vector<double>& v : model.vertices) {
    if (layout.extras) put(body, layout.body, kTypes[1], 200);
    for (double value : v) put(body, layout.body, c, value);
    if (layout.extras) {
      put(body, layout.body, kTypes[1], 2);
      put(body, layout.body, kTypes[6], 0.5);
      put(body, layout.body, kTypes[6], -0.25);
      put(body, layout.body, kTypes[7], -1);
    }
    end_item(body, layout.body);
  }
  return header;
}

std::string face_element(const Model& model, const Layout& layout, std::string& body) {
  std::string header = "element face " + std::to_string(model.faces.size()) + "\n";
  header += std::string("property list ") + layout.count.name + " " + layout.index.name +
            " vertex_indices\n";
  if (layout.extras) header += "property int flags\n";
  for (const std::vector<std::uint32_t>& face : model.faces) {
    put(body, layout.body, layout.count, static_cast<double>(face.size()));
    for (std::uint32_t v : face) put(body, layout.body, layout.index, v);
    if (layout.extras) put(body, layout.body, kTypes[4], -7);
    end_item(body, layout.body);
  }
  return header;
}

std::string edge_element(const Layout& layout, std::string& body) {
  std::string header = "element edge 2\nproperty int vertex1\nproperty list ushort int pair\n";
  for (int e = 0; e < 2; ++e) {
    put(body, layout.body, kTypes[4], e);
    put(body, layout.body, kTypes[3], 2);
    put(body, layout.body, kTypes[4], e);
    put(body, layout.body, kTypes[4], e + 1);
    end_item(body, layout.body);
  }
  return header;
}

}  // namespace

std::string ply_file(const Model& model, const Layout& layout) {
  std::string vertices;
  std::string faces;
  std::string edges;
  const std::string vertex_header = vertex_element(model, layout, vertices);
  const std::string face_header = face_element(model, layout, faces);
  std::string header = std::string("ply\n") + format_line(layout.body) + "comment made here\n";
  std::string body;
  if (layout.faces_first) {
    header += face_header + vertex_header;
    body = faces + vertices;
  } else {
    header += vertex_header + face_header;
    body = vertices + faces;
  }
  if (layout.extras) {
    header += "obj_info an element of edges\n" + edge_element(layout, edges);
    body += edges;
  }
  return header + "end_header\n" + body;
}

}  // namespace ply_files
