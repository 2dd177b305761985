// One pass over the text. Vertices are read as they come; each face keeps its corners' indices
// as written (positive indices may name vertices defined further down, so they are checked once
// the pass knows how many there are), with the line it is on, the number of vertices before it
// and the `o` and `g` lines before it. After the pass, the corners are resolved in place, in
// file order, objects are decided (by `o`, else by `g`, else the whole file) and built. Only
// numbers are kept from the text, never the text itself, so that the file can be read a block
// at a time.
//
// This is our own reader rather than tinyobjloader: a modeller's user needs every error to name
// its line, the object rule above, polygons of any size and no line that is silently skipped or
// repaired, and tinyobjloader gives none of these (it reports no line numbers, groups by its own
// rules and keeps a face's corner count in a byte).
#include "model_files/obj_reader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iterator>
#include <limits>
#include <string_view>
#include <vector>

#include "messages/counts.h"
#include "messages/excerpt.h"
#include "model_files/face_loop.h"
#include "model_files/reader_helpers.h"
#include "model_files/text_lines.h"

namespace standin {
namespace {

struct ObjFace {
  std::size_t line;
  std::size_t first_corner;       // into ObjText::corners; the face's run to the next face's
  std::uint32_t vertices_before;  // vertices read before this face's line
  std::uint32_t o_lines_before;   // `o` lines before it: 0 for the file's own object
  std::uint32_t g_lines_before;
};

// An `o` or `g` line: the name it gives and where it is.
struct ObjName {
  std::string name;
  std::size_t line;
};

// Where a corner of a face continued over several lines stands: corners from `first_corner` on
// are on `line`, up to the next entry's. Only continued faces have entries, so that a plain file
// keeps no line per corner.
struct CornerLine {
  std::size_t first_corner;
  std::size_t line;
};

struct ObjText {
  std::vector<Vec3> vertices;
  std::vector<ObjFace> faces;
  std::vector<CornerLine> corner_lines;  // ascending by first_corner
  // Each corner's vertex index: as written (1-based, or negative for relative) while reading,
  // then resolved in place to the 0-based vertex it names.
  std::vector<long long> corners;
  std::vector<ObjName> o_names;
  std::vector<ObjName> g_names;

  std::size_t corner_end(std::size_t face) const {
    return face + 1 < faces.size() ? faces[face + 1].first_corner : corners.size();
  }

  // The line a corner of `face` is on.
  std::size_t line_of_corner(std::size_t face, std::size_t corner) const {
    std::size_t line = faces[face].line;
    auto after = std::upper_bound(
        corner_lines.begin(), corner_lines.end(), corner,
        [](std::size_t c, const CornerLine& entry) { return c < entry.first_corner; });
    if (after != corner_lines.begin() &&
        std::prev(after)->first_corner >= faces[face].first_corner) {
      line = std::prev(after)->line;
    }
    return line;
  }
};

// A statement continued over several lines, each but the last ending in a backslash, joined into
// one text with a blank for each backslash, and where each line's part of it begins, so that an
// error names the line that holds the fault.
class ContinuedStatement {
 public:
  // Adds one line's text (without its backslash). False when the statement has grown past the
  // longest line a file may have.
  bool add(std::string_view part, std::size_t line) {
    if (text_.size() + part.size() > TextLines::kLongestLine) return false;
    starts_.push_back({text_.size(), line});
    text_.append(part);
    text_ += ' ';
    return true;
  }
  bool empty() const { return starts_.empty(); }
  std::string_view text() const { return text_; }
  std::size_t first_line() const { return starts_.front().line; }
  // The line that holds byte `offset` of the text.
  std::size_t line_of(std::size_t offset) const {
    std::size_t line = starts_.front().line;
    for (const Part& start : starts_) {
      if (start.offset > offset) break;
      line = start.line;
    }
    return line;
  }
  void clear() {
    text_.clear();
    starts_.clear();
  }

 private:
  struct Part {
    std::size_t offset;  // where the line's text begins in text_
    std::size_t line;
  };
  std::string text_;
  std::vector<Part> starts_;
};

// Whether a line goes on in the next: it ends in a backslash and is not a comment (a comment
// ends where its line ends).
bool continues_on_next_line(std::string_view line) {
  return !line.empty() && line.back() == '\\' && line.find('#') == std::string_view::npos;
}

std::string joined_name(const std::vector<std::string_view>& words) {
  std::string name;
  for (std::size_t i = 1; i < words.size(); ++i) {
    if (!name.empty()) name += ' ';
    name += words[i];
  }
  return name;
}

// Statements of the format that make no surfaces (texture and normal vertices, smoothing,
// materials, lines, points, free-form geometry), skipped without a word.
constexpr std::string_view kSkippedStatements[] = {
    "vt",     "vn",         "s",         "usemtl", "mtllib",   "l",        "p",
    "vp",     "cstype",     "deg",       "bmat",   "step",     "curv",     "curv2",
    "surf",   "parm",       "trim",      "hole",   "scrv",     "sp",       "end",
    "con",    "mg",         "lod",       "bevel",  "c_interp", "d_interp", "usemap",
    "maplib", "shadow_obj", "trace_obj", "ctech",  "stech"};

bool is_skipped_statement(std::string_view keyword) {
  for (std::string_view known : kSkippedStatements) {
    if (keyword == known) return true;
  }
  return false;
}

// Statements the reader does not know: each keyword once, with its first line and how many
// lines it starts, so that a user hears of each without a warning per line. A keyword is kept as
// much of it as a message quotes, with its length and a hash of the whole: a keyword may be as
// long as a line, and two long ones that start alike are still told apart.
class UnknownStatements {
 public:
  void add(std::string_view keyword, std::size_t line) {
    const std::size_t hash = std::hash<std::string_view>{}(keyword);
    for (Seen& seen : listed_) {
      if (seen.length == keyword.size() && seen.hash == hash &&
          seen.start == keyword.substr(0, kKeptBytes)) {
        ++seen.lines;
        return;
      }
    }
    if (listed_.size() < kMostListed) {
      listed_.push_back(
          {std::string(keyword.substr(0, kKeptBytes)), keyword.size(), hash, line, 1});
    } else {
      ++other_lines_;
    }
  }

  void warn(const std::string& name, std::vector<std::string>& warnings) const {
    for (const Seen& seen : listed_) {
      warnings.push_back(at_line(
          name, seen.first_line,
          "unknown statement '" + excerpt(seen.start) + "' skipped" +
              (seen.lines > 1
                   ? " (and " + counted(seen.lines - 1, "more line", "more lines") + " like it)"
                   : "")));
    }
    if (other_lines_ > 0) {
      warnings.push_back(name + ": " + counted(other_lines_, "more line", "more lines") +
                         " of other unknown statements skipped");
    }
  }

 private:
  static constexpr std::size_t kMostListed = 8;
  // One byte more than a message quotes, so that a longer keyword is shown cut short.
  static constexpr std::size_t kKeptBytes = kLongestExcerpt + 1;
  struct Seen {
    std::string start;
    std::size_t length;
    std::size_t hash;
    std::size_t first_line;
    std::size_t lines;
  };
  std::vector<Seen> listed_;
  std::size_t other_lines_ = 0;
};

// The vertex part of a corner ("v", "v/vt", "v//vn" or "v/vt/vn") as an index as written. The
// texture and normal parts are not used, but each must be empty or a whole number, and there are
// at most two: "1/x" and "1/1/1/1" are not corners.
bool read_corner(std::string_view word, long long& raw) {
  const std::size_t slash = word.find('/');
  if (!parse_integer(word.substr(0, slash), raw) || raw == 0) return false;
  std::string_view rest = slash == std::string_view::npos ? "" : word.substr(slash + 1);
  for (int part = 0; part < 2 && slash != std::string_view::npos; ++part) {
    const std::size_t next = rest.find('/');
    const std::string_view index = rest.substr(0, next);
    long long ignored = 0;
    if (!index.empty() && !parse_integer(index, ignored)) return false;
    if (next == std::string_view::npos) return true;
    if (part == 1) return false;  // a fourth part
    rest = rest.substr(next + 1);
  }
  return true;
}

// The most vertices, or objects, a file may have: a mesh numbers its vertices, and the reader its
// objects, in 32 bits.
constexpr std::size_t kMostCounted = std::numeric_limits<std::uint32_t>::max();

// Which line a word of the statement in hand is on: the statement's own, or, for one continued
// over several lines, the line of that word.
struct StatementLines {
  const ContinuedStatement* continued;  // null for a statement on one line
  std::string_view text;                // the statement's text
  std::size_t line;                     // its (first) line
  std::size_t of(std::string_view word) const {
    return continued == nullptr
               ? line
               : continued->line_of(static_cast<std::size_t>(word.data() - text.data()));
  }
};

// Reads one statement into `text`. Returns empty, or why it is malformed; `fault_line` is then
// the line that holds the fault.
std::string read_line(const std::vector<std::string_view>& words, const StatementLines& where,
                      ObjText& text, std::size_t& fault_line) {
  fault_line = where.line;
  if (words[0] == "v") {
    Vec3 position;
    std::size_t bad_word = 0;
    const std::string problem = read_vertex(words, 1, position, &bad_word);
    if (!problem.empty()) {
      fault_line = where.of(words[bad_word]);
      return problem;
    }
    if (text.vertices.size() == kMostCounted) return "the file has too many vertices";
    text.vertices.push_back(position);
    return "";
  }
  if (words[0] == "f") {
    if (words.size() < 4) return "a face needs three vertices";
    // The face is kept even when a corner is malformed: the corners before that one are still
    // checked, and a bad index among them is the error the line reports.
    text.faces.push_back({where.line, text.corners.size(),
                          static_cast<std::uint32_t>(text.vertices.size()),
                          static_cast<std::uint32_t>(text.o_names.size()),
                          static_cast<std::uint32_t>(text.g_names.size())});
    std::size_t corner_line = where.line;
    for (std::size_t i = 1; i < words.size(); ++i) {
      long long raw = 0;
      if (!read_corner(words[i], raw)) {
        fault_line = where.of(words[i]);
        return "face vertex '" + excerpt(words[i]) + "' is not a vertex index";
      }
      if (where.of(words[i]) != corner_line) {
        corner_line = where.of(words[i]);
        text.corner_lines.push_back({text.corners.size(), corner_line});
      }
      text.corners.push_back(raw);
    }
    return "";
  }
  std::vector<ObjName>& names = words[0] == "o" ? text.o_names : text.g_names;
  if (names.size() == kMostCounted) return "the file has too many objects";
  names.push_back({joined_name(words), where.line});
  return "";
}

// Resolves a corner's index as written to the 0-based vertex it names. Returns empty, or the
// reason it names none.
std::string resolve_corner(long long& corner, const ObjFace& face, std::size_t vertex_total) {
  const std::size_t limit = corner > 0 ? vertex_total : face.vertices_before;
  const long long resolved =
      corner > 0 ? corner - 1 : static_cast<long long>(face.vertices_before) + corner;
  if (resolved < 0 || resolved >= static_cast<long long>(limit)) {
    return "vertex index " + std::to_string(corner) + " is out of range (" +
           counted(limit, "vertex", "vertices") + ")";
  }
  corner = resolved;
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

// Reads every statement; stops at the first malformed one. A line that ends in a backslash goes
// on in the next. Returns: empty, or "NAME:LINE: reason", with `vertex_total` the number of
// vertex lines of the whole file either way.
std::string read_lines(const std::string& name, TextLines& lines, ObjText& text,
                       std::size_t& vertex_total, std::vector<std::string>& warnings,
                       const LoadProgress& progress) {
  std::string_view line;
  std::vector<std::string_view> words;
  UnknownStatements unknown;
  ContinuedStatement continued;
  // Reads one whole statement; returns the error, or empty.
  const auto read_statement = [&](std::string_view statement, std::size_t first_line) {
    const std::string_view keyword = first_word(statement);
    if (keyword.empty() || is_skipped_statement(keyword)) return std::string();
    if (keyword != "v" && keyword != "f" && keyword != "o" && keyword != "g") {
      unknown.add(keyword, first_line);
      return std::string();
    }
    split_words(statement, words);
    const StatementLines where{continued.empty() ? nullptr : &continued, statement, first_line};
    std::size_t fault_line = first_line;
    const std::string problem = read_line(words, where, text, fault_line);
    if (problem.empty()) return std::string();
    const std::string error = at_line(name, fault_line, problem);
    // Every vertex line counts, the malformed one included.
    vertex_total = text.vertices.size() + (keyword == "v") + count_remaining_vertices(lines);
    unknown.warn(name, warnings);
    return error;
  };
  bool more = true;
  while (more) {
    more = lines.next(line);
    if (more && progress && lines.line_number() % 65536 == 0) {
      progress(0.8 * lines.fraction_read());
    }
    if (more && continues_on_next_line(line)) {
      if (!continued.add(line.substr(0, line.size() - 1), lines.line_number())) {
        return at_line(name, lines.line_number(), "the continued statement is longer than 64 MiB");
      }
      continue;
    }
    std::string error;
    if (!continued.empty()) {
      // The lines before ended in a backslash: this one (if the file goes on) ends the statement.
      if (more && !continued.add(line, lines.line_number())) {
        return at_line(name, lines.line_number(), "the continued statement is longer than 64 MiB");
      }
      error = read_statement(continued.text(), continued.first_line());
      continued.clear();
    } else if (more) {
      error = read_statement(line, lines.line_number());
    }
    if (!error.empty()) return error;
  }
  unknown.warn(name, warnings);
  vertex_total = text.vertices.size();
  return lines.problem().empty() ? "" : reading_stopped(name, lines);
}

// Resolves every face's corners in place, in file order; the first that names no vertex is the
// error.
std::string resolve_faces(const std::string& name, ObjText& text, std::size_t vertex_total) {
  for (std::size_t f = 0; f < text.faces.size(); ++f) {
    for (std::size_t c = text.faces[f].first_corner; c < text.corner_end(f); ++c) {
      const std::string problem = resolve_corner(text.corners[c], text.faces[f], vertex_total);
      if (!problem.empty()) return at_line(name, text.line_of_corner(f, c), problem);
    }
  }
  return "";
}

// The meshes the faces go into, named: the file's own (faces before any `o`) first, then one
// for each `o` line, or, in a file without `o`, for each `g` line.
std::vector<Mesh> named_meshes(const std::string& name, const std::vector<ObjName>& names) {
  std::vector<Mesh> meshes(1 + names.size());
  meshes[0].name = stem_of(name);
  for (std::size_t o = 1; o < meshes.size(); ++o) {
    meshes[o].name = names[o - 1].name.empty() ? stem_of(name) : names[o - 1].name;
  }
  return meshes;
}

// Moves the meshes that have surfaces into the model. Objects named in the file that have no
// faces (exporters often write a bare `g` before vertices) are left out, with one warning that
// names the first: the objects after them take lower indices than their lines would suggest.
void keep_meshes_with_surfaces(const std::string& name, const std::vector<ObjName>& names,
                               std::vector<Mesh>& meshes, LoadedModel& model) {
  std::size_t left_out = 0;
  std::size_t first_left_out = 0;
  for (std::size_t o = 0; o < meshes.size(); ++o) {
    if (meshes[o].surface_count() > 0) {
      model.objects.push_back(std::move(meshes[o]));
    } else if (o > 0 && left_out++ == 0) {
      first_left_out = o;
    }
  }
  if (left_out == 0) return;
  const std::string& first = meshes[first_left_out].name;
  model.warnings.push_back(at_line(
      name, names[first_left_out - 1].line,
      left_out == 1
          ? "object '" + excerpt(first) + "' has no faces; left out"
          : std::to_string(left_out) + " objects without faces left out, the first here ('" +
                excerpt(first) + "'); indices count only objects with faces"));
}

// Builds one mesh per object; each keeps the vertices its faces use, in first-use order, and
// each face keeps the first of repeated vertices (with a warning). An object's faces follow one
// another in the file (a face belongs to the `o` or `g` line before it), so one array numbers
// the vertices of each object in turn and is cleared of just the entries that object used: the
// work is linear in the file, however many objects it has.
// Returns: empty, or the first face, in file order, left with fewer than three vertices.
std::string build_objects(const std::string& name, const ObjText& text, LoadedModel& model) {
  const bool by_o = !text.o_names.empty();
  const bool by_g = !by_o && !text.g_names.empty();
  static const std::vector<ObjName> kNoNames;
  const std::vector<ObjName>& names = by_o ? text.o_names : by_g ? text.g_names : kNoNames;
  std::vector<Mesh> meshes = named_meshes(name, names);
  constexpr std::uint32_t kUnused = std::numeric_limits<std::uint32_t>::max();
  std::vector<std::uint32_t> local(text.vertices.size(), kUnused);
  std::vector<std::uint32_t> used;  // the file's vertices the current object has numbered
  std::vector<long long> loop;
  std::vector<std::uint32_t> surface;
  RepeatedVertexFaces repeats;
  std::size_t current = 0;
  for (std::size_t f = 0; f < text.faces.size(); ++f) {
    const ObjFace& face = text.faces[f];
    const std::size_t object = by_o ? face.o_lines_before : by_g ? face.g_lines_before : 0;
    if (object != current) {
      for (std::uint32_t v : used) local[v] = kUnused;
      used.clear();
      current = object;
    }
    loop.assign(text.corners.begin() + static_cast<std::ptrdiff_t>(face.first_corner),
                text.corners.begin() + static_cast<std::ptrdiff_t>(text.corner_end(f)));
    const std::string problem = drop_repeated_vertices(loop, surface);
    if (!problem.empty()) return at_line(name, face.line, problem);
    if (surface.size() != loop.size()) {
      repeats.add([&] { return name + ":" + std::to_string(face.line); });
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
  repeats.warn(model.warnings);
  keep_meshes_with_surfaces(name, names, meshes, model);
  return "";
}

}  // namespace

std::string read_obj(const std::string& name, TextLines& lines, LoadedModel& model,
                     const LoadProgress& progress) {
  ObjText text;
  std::size_t vertex_total = 0;
  const std::string line_error =
      read_lines(name, lines, text, vertex_total, model.warnings, progress);
  // Reading that stopped early (not text, unreadable) leaves the file's vertex count unknown:
  // the first error found stands.
  if (!lines.problem().empty()) return line_error;
  // A face before a malformed line may name a vertex that is not there: that comes first.
  const std::string corner_error = resolve_faces(name, text, vertex_total);
  if (!corner_error.empty()) return corner_error;
  if (!line_error.empty()) return line_error;
  if (progress) progress(0.9);
  return build_objects(name, text, model);
}

}  // namespace standin
