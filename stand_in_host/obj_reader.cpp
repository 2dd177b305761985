#include "stand_in_host/obj_reader.h"

#define TINYOBJLOADER_IMPLEMENTATION
#include <tiny_obj_loader.h>

#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

#include "stand_in_host/face_loop.h"
#include "stand_in_host/model_reading.h"
#include "stand_in_host/text_lines.h"

namespace standin {
namespace {

struct ScannedFace {
  std::size_t line;
  std::size_t object;
  std::vector<long long> indices;  // resolved, 0-based, in file order, repeats kept
};

struct ObjScan {
  std::vector<std::string> object_names;
  std::vector<ScannedFace> faces;
  std::size_t vertex_count = 0;
};

std::string joined_name(const std::vector<std::string_view>& words) {
  std::string name;
  for (std::size_t i = 1; i < words.size(); ++i) {
    if (!name.empty()) name += ' ';
    name += words[i];
  }
  return name;
}

// What the checking pass needs to know before it starts: which keyword starts objects, and how
// many vertices the file has (positive indices may name vertices defined further down).
struct ObjOutline {
  bool has_o = false;
  bool has_g = false;
  std::size_t vertex_total = 0;
};

ObjOutline outline_of(const std::string& text) {
  ObjOutline outline;
  TextLines lines(text);
  std::string_view line;
  while (lines.next(line)) {
    const std::string_view word = first_word(line);
    if (word == "v") {
      ++outline.vertex_total;
    } else if (word == "o") {
      outline.has_o = true;
    } else if (word == "g") {
      outline.has_g = true;
    }
  }
  return outline;
}

// Resolves the vertex part of one face corner ("v", "v/vt", "v//vn" or "v/vt/vn").
std::string resolve_corner(std::string_view word, std::size_t vertices_so_far,
                           std::size_t vertex_total, long long& index) {
  const std::string_view vertex = word.substr(0, word.find('/'));
  long long raw = 0;
  if (!parse_integer(vertex, raw) || raw == 0) {
    return "face vertex '" + std::string(word) + "' is not a vertex index";
  }
  index = raw > 0 ? raw - 1 : static_cast<long long>(vertices_so_far) + raw;
  const long long limit = static_cast<long long>(raw > 0 ? vertex_total : vertices_so_far);
  if (index < 0 || index >= limit) {
    return "vertex index " + std::string(vertex) + " is out of range (" +
           std::to_string(raw > 0 ? vertex_total : vertices_so_far) + " vertices)";
  }
  return "";
}

// Checks every line and decides which object each face belongs to.
std::string scan_obj(const std::string& name, const std::string& text, ObjScan& scan,
                     const LoadProgress& progress) {
  const ObjOutline outline = outline_of(text);
  const bool objects_by_o = outline.has_o;
  const bool objects_by_g = !outline.has_o && outline.has_g;
  const std::size_t vertex_total = outline.vertex_total;
  scan.object_names.push_back(stem_of(name));
  TextLines lines(text);
  std::string_view line;
  while (lines.next(line)) {
    if (progress && lines.line_number() % 65536 == 0) progress(0.5 * lines.fraction_read());
    const std::string_view keyword = first_word(line);
    if (keyword != "v" && keyword != "f" && keyword != "o" && keyword != "g") continue;
    const auto words = words_of(line);
    if (words[0] == "v") {
      const std::string problem = check_vertex(words, 1);
      if (!problem.empty()) return at_line(name, lines.line_number(), problem);
      ++scan.vertex_count;
    } else if (words[0] == "f") {
      if (words.size() < 4)
        return at_line(name, lines.line_number(), "a face needs three vertices");
      ScannedFace face{lines.line_number(), scan.object_names.size() - 1, {}};
      for (std::size_t i = 1; i < words.size(); ++i) {
        long long index = 0;
        const std::string problem =
            resolve_corner(words[i], scan.vertex_count, vertex_total, index);
        if (!problem.empty()) return at_line(name, lines.line_number(), problem);
        face.indices.push_back(index);
      }
      scan.faces.push_back(std::move(face));
    } else if ((objects_by_o && words[0] == "o") || (objects_by_g && words[0] == "g")) {
      scan.object_names.push_back(words.size() > 1 ? joined_name(words) : stem_of(name));
    }
  }
  return "";
}

// tinyobjloader's reading of the same text: positions and every face's vertex indices.
std::string parse_with_tinyobj(const std::string& name, const std::string& text,
                               tinyobj::ObjReader& reader) {
  tinyobj::ObjReaderConfig config;
  config.triangulate = false;
  config.vertex_color = false;
  if (!reader.ParseFromString(text, "", config)) {
    std::string error = reader.Error();
    while (!error.empty() && (error.back() == '\n' || error.back() == '\r')) error.pop_back();
    return name + ": " + (error.empty() ? "the OBJ reader failed" : error);
  }
  return "";
}

// Builds one mesh per object from the agreed faces; each keeps the vertices it uses.
std::string build_objects(const std::string& name, const ObjScan& scan,
                          const tinyobj::ObjReader& reader, LoadedModel& model) {
  const auto& positions = reader.GetAttrib().vertices;
  if (positions.size() != 3 * scan.vertex_count) {
    return name + ": the OBJ reader found " + std::to_string(positions.size() / 3) +
           " vertices where the file has " + std::to_string(scan.vertex_count);
  }
  std::vector<std::vector<std::uint32_t>> local_index(scan.object_names.size());
  std::vector<Mesh> meshes(scan.object_names.size());
  for (std::size_t o = 0; o < meshes.size(); ++o) meshes[o].name = scan.object_names[o];
  std::size_t face = 0;
  for (const tinyobj::shape_t& shape : reader.GetShapes()) {
    std::size_t corner = 0;
    for (const auto reported_corners : shape.mesh.num_face_vertices) {
      // tinyobjloader keeps a face's corner count in a byte: a polygon of 256 corners or more
      // is reported modulo 256, with all of its indices present.
      const std::size_t corners = face < scan.faces.size() ? scan.faces[face].indices.size() : 0;
      if (face >= scan.faces.size() || (corners & 0xFF) != reported_corners) {
        return name + ": the OBJ reader and the line scanner disagree about face " +
               std::to_string(face + 1);
      }
      const ScannedFace& scanned = scan.faces[face];
      std::vector<long long> loop;
      for (std::size_t k = 0; k < corners; ++k) {
        loop.push_back(shape.mesh.indices[corner + k].vertex_index);
      }
      corner += corners;
      if (loop != scanned.indices) {
        return at_line(name, scanned.line, "the OBJ reader read this face differently");
      }
      std::vector<std::uint32_t> kept;
      const std::string problem = drop_repeated_vertices(loop, kept);
      if (!problem.empty()) return at_line(name, scanned.line, problem);
      if (kept.size() != loop.size()) {
        model.warnings.push_back(
            at_line(name, scanned.line, "face repeats a vertex; repeat dropped"));
      }
      Mesh& mesh = meshes[scanned.object];
      auto& local = local_index[scanned.object];
      if (local.empty()) local.assign(scan.vertex_count, std::numeric_limits<std::uint32_t>::max());
      for (std::uint32_t& v : kept) {
        if (local[v] == std::numeric_limits<std::uint32_t>::max()) {
          local[v] = static_cast<std::uint32_t>(mesh.vertices.size());
          mesh.add_vertex(positions[3 * v], positions[3 * v + 1], positions[3 * v + 2]);
        }
        v = local[v];
      }
      mesh.add_surface(kept);
      ++face;
    }
  }
  if (face != scan.faces.size()) {
    return name + ": the OBJ reader found " + std::to_string(face) + " faces where the file has " +
           std::to_string(scan.faces.size());
  }
  for (Mesh& mesh : meshes) {
    if (mesh.surface_count() > 0) model.objects.push_back(std::move(mesh));
  }
  return "";
}

}  // namespace

std::string read_obj(const std::string& name, const std::string& text, LoadedModel& model,
                     const LoadProgress& progress) {
  ObjScan scan;
  std::string error = scan_obj(name, text, scan, progress);
  if (!error.empty()) return error;
  tinyobj::ObjReader reader;
  error = parse_with_tinyobj(name, text, reader);
  if (!error.empty()) return error;
  if (progress) progress(0.9);
  return build_objects(name, scan, reader, model);
}

}  // namespace standin
