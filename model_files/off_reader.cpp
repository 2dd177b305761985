#include "model_files/off_reader.h"

#include <algorithm>
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

bool ends_with_off(std::string_view word) {
  return word.size() >= 3 && word.substr(word.size() - 3) == "OFF";
}

// The next line that has words, or false at the end of the text.
bool next_words(TextLines& lines, std::vector<std::string_view>& words) {
  std::string_view line;
  while (lines.next(line)) {
    split_words(line, words);
    if (!words.empty()) return true;
  }
  return false;
}

struct OffCounts {
  long long vertices = 0;
  long long faces = 0;
  std::size_t line = 0;  // where the counts were read
};

// The header word's prefixes, as the format's variants write them before "OFF": ST (texture
// coordinates), C (colours), N (normals), 4 (a fourth coordinate) and n (the dimension follows).
// Colours, normals and texture coordinates follow the three coordinates on a vertex line and are
// not used; a fourth coordinate, or a dimension other than 3, are not read.
struct OffHeader {
  bool dimension_follows = false;  // "n": the next number is the dimension
  bool four_dimensional = false;   // "4"
};

std::string read_header_word(std::string_view word, OffHeader& header) {
  const std::string_view prefix = word.substr(0, word.size() - 3);
  for (char c : prefix) {
    if (c == 'n') header.dimension_follows = true;
    if (c == '4') header.four_dimensional = true;
  }
  if (header.four_dimensional && !header.dimension_follows) {
    return "4OFF (vertices of four coordinates) is not read; only three-dimensional OFF is";
  }
  return "";
}

// The words after the header word, from the header's own line on, one at a time.
class HeaderWords {
 public:
  HeaderWords(TextLines& lines, std::vector<std::string_view>& words, std::size_t first)
      : lines_(lines), words_(words), next_(first) {}
  // The next word, or false at the end of the text.
  bool next(std::string_view& word) {
    while (next_ == words_.size()) {
      if (!next_words(lines_, words_)) return false;
      next_ = 0;
    }
    word = words_[next_++];
    return true;
  }

 private:
  TextLines& lines_;
  std::vector<std::string_view>& words_;
  std::size_t next_;
};

// The dimension after an "nOFF" header (one more for "4nOFF"): only 3 is read.
std::string read_dimension(const std::string& name, TextLines& lines, HeaderWords& words,
                           const OffHeader& header) {
  std::string_view word;
  long long dimension = 0;
  if (!words.next(word)) return name + ": the file ends before the dimension of its nOFF header";
  if (!parse_integer(word, dimension)) {
    return at_line(name, lines.line_number(), "expected the dimension of the nOFF header");
  }
  if (header.four_dimensional) ++dimension;
  if (dimension != 3) {
    return at_line(name, lines.line_number(),
                   "nOFF of dimension " + std::to_string(dimension) +
                       " is not read; only three-dimensional OFF is");
  }
  return "";
}

// Checks the counts against the file's size, when it has one: a vertex line takes at least six
// bytes ("0 0 0\n") and a face line eight ("3 0 1 2\n"). A stream's counts are checked when its
// body ends early, against the size it turned out to have, so that it is answered as the same
// file would be.
std::string check_counts(const std::string& name, std::uint64_t size, const OffCounts& counts) {
  const auto room =
      static_cast<long long>(std::min<std::uint64_t>(size, std::numeric_limits<long long>::max()));
  if (counts.vertices < 0 || counts.vertices > room / 6) {
    return at_line(
        name, counts.line,
        "vertex count " + std::to_string(counts.vertices) + " is more than the file holds");
  }
  if (counts.faces < 0 || counts.faces > room / 8) {
    return at_line(name, counts.line,
                   "face count " + std::to_string(counts.faces) + " is more than the file holds");
  }
  return "";
}

// Where a body ended before the `held`-th of `count` vertices or faces.
std::string ended_early(const std::string& name, const TextLines& lines, const OffCounts& counts,
                        long long held, long long count, const char* one, const char* many) {
  if (!lines.problem().empty()) return reading_stopped(name, lines);
  if (!lines.size_known()) {
    const std::string problem = check_counts(name, lines.offset(), counts);
    if (!problem.empty()) return problem;
  }
  return name + ": the file ends after " + std::to_string(held) + " of " +
         counted(static_cast<std::uint64_t>(count), one, many);
}

std::string read_counts(const std::string& name, TextLines& lines, OffCounts& counts) {
  std::vector<std::string_view> words;
  if (!next_words(lines, words)) return name + ": the file is empty";
  std::size_t first = 0;
  OffHeader header;
  if (ends_with_off(words[0])) {
    if (words.size() > 1 && words[1] == "BINARY") {
      return at_line(name, lines.line_number(),
                     "binary OFF is not read; only OFF written as text is");
    }
    const std::string problem = read_header_word(words[0], header);
    if (!problem.empty()) return at_line(name, lines.line_number(), problem);
    first = 1;
  }
  HeaderWords header_words(lines, words, first);
  if (header.dimension_follows) {
    const std::string problem = read_dimension(name, lines, header_words, header);
    if (!problem.empty()) return problem;
  }
  std::string_view vertices;
  std::string_view faces;
  if (!header_words.next(vertices)) {
    return name + ": the file ends before the vertex and face counts";
  }
  if (!parse_integer(vertices, counts.vertices) || !header_words.next(faces) ||
      !parse_integer(faces, counts.faces)) {
    return at_line(name, lines.line_number(), "expected the vertex and face counts");
  }
  counts.line = lines.line_number();
  if (counts.vertices < 0 || counts.faces < 0 || lines.size_known()) {
    return check_counts(name, lines.size_known() ? lines.size() : 0, counts);
  }
  return "";
}

// A face's loop as read, and as kept, reused from face to face so that reading allocates once;
// and the faces that repeat a vertex, for one warning.
struct FaceBuffers {
  std::vector<long long> loop;
  std::vector<std::uint32_t> kept;
  RepeatedVertexFaces repeats;
};

std::string read_face(const std::string& name, const std::vector<std::string_view>& words,
                      std::size_t line, long long vertex_count, FaceBuffers& buffers, Mesh& mesh) {
  long long corners = 0;
  if (!parse_integer(words[0], corners) || corners < 3) {
    return at_line(name, line, "a face needs three vertices");
  }
  if (static_cast<long long>(words.size()) - 1 < corners) {
    return at_line(name, line, "the face lists fewer vertices than its count says");
  }
  std::vector<long long>& loop = buffers.loop;
  loop.resize(static_cast<std::size_t>(corners));
  for (long long k = 0; k < corners; ++k) {
    const std::string_view word = words[static_cast<std::size_t>(k) + 1];
    if (!parse_integer(word, loop[k]) || loop[k] < 0 || loop[k] >= vertex_count) {
      return at_line(name, line,
                     "vertex index '" + excerpt(word) + "' is out of range (" +
                         counted(static_cast<std::uint64_t>(vertex_count), "vertex", "vertices") +
                         ")");
    }
  }
  std::vector<std::uint32_t>& kept = buffers.kept;
  const std::string problem = drop_repeated_vertices(loop, kept);
  if (!problem.empty()) return at_line(name, line, problem);
  if (kept.size() != loop.size()) {
    buffers.repeats.add([&] { return name + ":" + std::to_string(line); });
  }
  mesh.add_surface(kept);
  return "";
}

}  // namespace

std::string read_off(const std::string& name, TextLines& lines, LoadedModel& model,
                     const LoadProgress& progress) {
  OffCounts counts;
  std::string error = read_counts(name, lines, counts);
  if (!lines.problem().empty()) return reading_stopped(name, lines);
  if (!error.empty()) return error;

  Mesh mesh;
  mesh.name = stem_of(name);
  // A stream's counts are not checked against a size: what it holds grows only as it is read.
  if (lines.size_known()) mesh.vertices.reserve(static_cast<std::size_t>(counts.vertices));
  std::vector<std::string_view> words;
  FaceBuffers buffers;
  for (long long v = 0; v < counts.vertices; ++v) {
    if (!next_words(lines, words)) {
      return ended_early(name, lines, counts, v, counts.vertices, "vertex", "vertices");
    }
    Vec3 position;
    error = read_vertex(words, 0, position);
    if (!error.empty()) return at_line(name, lines.line_number(), error);
    mesh.add_vertex(position.x, position.y, position.z);
    if (progress && v % 65536 == 0) progress(lines.fraction_read());
  }
  for (long long f = 0; f < counts.faces; ++f) {
    if (!next_words(lines, words)) {
      return ended_early(name, lines, counts, f, counts.faces, "face", "faces");
    }
    error = read_face(name, words, lines.line_number(), counts.vertices, buffers, mesh);
    if (!error.empty()) return error;
    if (progress && f % 65536 == 0) progress(lines.fraction_read());
  }
  // A face the header does not count would otherwise be lost without a word.
  if (next_words(lines, words)) {
    return at_line(name, lines.line_number(),
                   "more faces than the header's count of " + std::to_string(counts.faces) +
                       " (or other text after the last face)");
  }
  if (!lines.problem().empty()) return reading_stopped(name, lines);
  buffers.repeats.warn(model.warnings);
  model.objects.push_back(std::move(mesh));
  return "";
}

}  // namespace standin
