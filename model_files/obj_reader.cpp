// One pass over the text. Vertices are read as they come; each face keeps its corners as
// written (positive indices may name vertices defined further down, so they are checked once
// the pass knows how many there are), with the line it is on, the number of vertices before it
// and the `o` and `g` lines before it. After the pass, the corners are checked in file order,
// objects are decided (by `o`, else by `g`, else the whole file) and built.
//
// This is our own reader rather than tinyobjloader: a modeller's user needs every error to name
// its line, the object rule above, polygons of any size and no line that is silently skipped or
// repaired, and tinyobjloader gives none of these (it reports no line numbers, groups by its own
// rules and keeps a face's corner count in a byte).
#include "model_files/obj_reader.h"

#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

#include "model_files/face_loop.h"
#include "model_files/model_reading.h"
#include "model_files/text_lines.h"

namespace standin {
namespace {

struct ObjCorner {
  std::string_view text;  // the corner as written, such as "12/4/7"
  long long raw;          // its vertex index as written: 1-based, or negative (relative)
};

struct ObjFace {
  std::size_t line;
  std::size_t vertices_before;  // vertices read before this face's line
  std::size_t o_lines_before;   // `o` lines before it: 0 for the file's own object
  std::size_t g_lines_before;
  std::size_t first_corner;  // into ObjText::corners; the face's corners run to the next face's
};

struct ObjText {
  std::vector<Vec3> vertices;
  std::vector<ObjFace> faces;
  std::vector<ObjCorner> corners;
  std::vector<std::string> o_names;
  std::vector<std::string> g_names;

  std::size_t corner_end(std::size_t face) const {
    return face + 1 < faces.size() ? faces[face + 1].first_corner : corners.size();
  }
};

std::string joined_name(const std::vector<std::string_view>& words) {
  std::string name;
  for (std::size_t i = 1; i < words.size(); ++i) {
    if (!name.empty()) name += ' ';
    name += words[i];
  }
  return name;
}

// The vertex part of a corner ("v", "v/vt", "v//vn" or "v/vt/vn") as an index as written.
bool read_corner(std::string_view word, long long& raw) {
  return parse_integer(word.substr(0, word.find('/')), raw) && raw != 0;
}

// Reads one line into `text`. Returns empty, or why the line is malformed.
std::string read_line(const std::vector<std::string_view>& words, std::size_t line, ObjText& text) {
  if (words[0] == "v") {
    Vec3 position;
    const std::string problem = read_vertex(words, 1, position);
    if (problem.empty()) text.vertices.push_back(position);
    return problem;
  }
  if (words[0] == "f") {
    if (words.size() < 4) return "a face needs three vertices";
    // The face is kept even when a corner is malformed: the corners before that one are still
    // checked, and a bad index among them is the error the line reports.
    text.faces.push_back({line, text.vertices.size(), text.o_names.size(), text.g_names.size(),
                          text.corners.size()});
    for (std::size_t i = 1; i < words.size(); ++i) {
      long long raw = 0;
      if (!read_corner(words[i], raw)) {
        return "face vertex '" + std::string(words[i]) + "' is not a vertex index";
      }
      text.corners.push_back({words[i], raw});
    }
    return "";
  }
  (words[0] == "o" ? text.o_names : text.g_names).push_back(joined_name(words));
  return "";
}

// The 0-based vertex a corner names, or the reason it names none.
std::string resolve_corner(const ObjCorner& corner, const ObjFace& face, std::size_t vertex_total,
                           std::uint32_t& index) {
  const std::size_t limit = corner.raw > 0 ? vertex_total : face.vertices_before;
  const long long resolved =
      corner.raw > 0 ? corner.raw - 1 : static_cast<long long>(face.vertices_before) + corner.raw;
  if (resolved < 0 || resolved >= static_cast<long long>(limit)) {
    return "vertex index " + std::string(corner.text.substr(0, corner.text.find('/'))) +
           " is out of range (" + std::to_string(limit) + " vertices)";
  }
  index = static_cast<std::uint32_t>(resolved);
  return "";
}

// Counts the vertex lines from the current line on, without reading them: after a malformed
// line, positive indices before it are still checked against every vertex of the file.
std::size_t count_remaining_vertices(TextLines& lines) {
  std::size_t count = 0;
  std::string_view line;
  while (lines.next(line)) count += first_word(line) == "v";
  return count;
}

// Reads every line; stops at the first malformed one. Returns: empty, or "NAME:LINE: reason",
// with `vertex_total` the number of vertex lines of the whole file either way.
std::string read_lines(const std::string& name, std::string_view contents, ObjText& text,
                       std::size_t& vertex_total, const LoadProgress& progress) {
  TextLines lines(contents);
  std::string_view line;
  std::vector<std::string_view> words;
  while (lines.next(line)) {
    if (progress && lines.line_number() % 65536 == 0) progress(0.8 * lines.fraction_read());
    const std::string_view keyword = first_word(line);
    if (keyword != "v" && keyword != "f" && keyword != "o" && keyword != "g") continue;
    split_words(line, words);
    const std::string problem = read_line(words, lines.line_number(), text);
    if (!problem.empty()) {
      // Every vertex line counts, the malformed one included.
      vertex_total = text.vertices.size() + (keyword == "v") + count_remaining_vertices(lines);
      return at_line(name, lines.line_number(), problem);
    }
  }
  vertex_total = text.vertices.size();
  return "";
}

// Resolves every face's corners, in file order; the first that names no vertex is the error.
std::string resolve_faces(const std::string& name, const ObjText& text, std::size_t vertex_total,
                          std::vector<std::uint32_t>& resolved) {
  resolved.resize(text.corners.size());
  for (std::size_t f = 0; f < text.faces.size(); ++f) {
    for (std::size_t c = text.faces[f].first_corner; c < text.corner_end(f); ++c) {
      const std::string problem =
          resolve_corner(text.corners[c], text.faces[f], vertex_total, resolved[c]);
      if (!problem.empty()) return at_line(name, text.faces[f].line, problem);
    }
  }
  return "";
}

// Builds one mesh per object; each keeps the vertices its faces use, in first-use order, and
// each face keeps the first of repeated vertices (with a warning). An object's faces follow one
// another in the file (a face belongs to the `o` or `g` line before it), so one array numbers
// the vertices of each object in turn and is cleared of just the entries that object used: the
// work is linear in the file, however many objects it has.
// Returns: empty, or the first face, in file order, left with fewer than three vertices.
std::string build_objects(const std::string& name, const ObjText& text,
                          const std::vector<std::uint32_t>& resolved, LoadedModel& model) {
  const bool by_o = !text.o_names.empty();
  const bool by_g = !by_o && !text.g_names.empty();
  std::vector<Mesh> meshes(1 + (by_o ? text.o_names.size() : by_g ? text.g_names.size() : 0));
  meshes[0].name = stem_of(name);
  for (std::size_t o = 1; o < meshes.size(); ++o) {
    const std::string& named = by_o ? text.o_names[o - 1] : text.g_names[o - 1];
    meshes[o].name = named.empty() ? stem_of(name) : named;
  }
  constexpr std::uint32_t kUnused = std::numeric_limits<std::uint32_t>::max();
  std::vector<std::uint32_t> local(text.vertices.size(), kUnused);
  std::vector<std::uint32_t> used;  // the file's vertices the current object has numbered
  std::vector<long long> loop;
  std::vector<std::uint32_t> surface;
  std::size_t current = 0;
  for (std::size_t f = 0; f < text.faces.size(); ++f) {
    const ObjFace& face = text.faces[f];
    const std::size_t object = by_o ? face.o_lines_before : by_g ? face.g_lines_before : 0;
    if (object != current) {
      for (std::uint32_t v : used) local[v] = kUnused;
      used.clear();
      current = object;
    }
    loop.assign(resolved.begin() + face.first_corner, resolved.begin() + text.corner_end(f));
    const std::string problem = drop_repeated_vertices(loop, surface);
    if (!problem.empty()) return at_line(name, face.line, problem);
    if (surface.size() != loop.size()) {
      model.warnings.push_back(at_line(name, face.line, "face repeats a vertex; repeat dropped"));
    }
    Mesh& mesh = meshes[object];
    for (std::uint32_t& v : surface) {
      if (local[v] == kUnused) {
        local[v] = mesh.add_vertex(text.vertices[v].x, text.vertices[v].y, text.vertices[v].z);
        used.push_back(v);
      }
      v = local[v];
    }
    mesh.add_surface(surface);
  }
  for (Mesh& mesh : meshes) {
    if (mesh.surface_count() > 0) model.objects.push_back(std::move(mesh));
  }
  return "";
}

}  // namespace

std::string read_obj(const std::string& name, std::string_view contents, LoadedModel& model,
                     const LoadProgress& progress) {
  ObjText text;
  std::size_t vertex_total = 0;
  const std::string line_error = read_lines(name, contents, text, vertex_total, progress);
  // A face before a malformed line may name a vertex that is not there: that comes first.
  std::vector<std::uint32_t> resolved;
  const std::string corner_error = resolve_faces(name, text, vertex_total, resolved);
  if (!corner_error.empty()) return corner_error;
  if (!line_error.empty()) return line_error;
  if (progress) progress(0.9);
  return build_objects(name, text, resolved, model);
}

}  // namespace standin
