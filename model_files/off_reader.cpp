#include "model_files/off_reader.h"

#include <string_view>
#include <vector>

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
};

std::string read_counts(const std::string& name, TextLines& lines, OffCounts& counts) {
  std::vector<std::string_view> words;
  if (!next_words(lines, words)) return name + ": the file is empty";
  std::size_t first = 0;
  if (ends_with_off(words[0])) {
    if (words.size() > 1) {
      first = 1;  // the counts follow the header word on its line
    } else if (!next_words(lines, words)) {
      return name + ": the file ends before the vertex and face counts";
    }
  }
  if (words.size() < first + 2 || !parse_integer(words[first], counts.vertices) ||
      !parse_integer(words[first + 1], counts.faces)) {
    return at_line(name, lines.line_number(), "expected the vertex and face counts");
  }
  // A vertex line takes at least six bytes ("0 0 0\n") and a face line eight ("3 0 1 2\n").
  const auto room = static_cast<long long>(lines.size());
  if (counts.vertices < 0 || counts.vertices > room / 6) {
    return at_line(
        name, lines.line_number(),
        "vertex count " + std::to_string(counts.vertices) + " is more than the file holds");
  }
  if (counts.faces < 0 || counts.faces > room / 8) {
    return at_line(name, lines.line_number(),
                   "face count " + std::to_string(counts.faces) + " is more than the file holds");
  }
  return "";
}

// A face's loop as read, and as kept; reused from face to face so that reading allocates once.
struct FaceBuffers {
  std::vector<long long> loop;
  std::vector<std::uint32_t> kept;
};

std::string read_face(const std::string& name, const std::vector<std::string_view>& words,
                      std::size_t line, long long vertex_count, FaceBuffers& buffers, Mesh& mesh,
                      std::vector<std::string>& warnings) {
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
                     "vertex index '" + std::string(word) + "' is out of range (" +
                         std::to_string(vertex_count) + " vertices)");
    }
  }
  std::vector<std::uint32_t>& kept = buffers.kept;
  const std::string problem = drop_repeated_vertices(loop, kept);
  if (!problem.empty()) return at_line(name, line, problem);
  if (kept.size() != loop.size()) {
    warnings.push_back(at_line(name, line, "face repeats a vertex; repeat dropped"));
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
  mesh.vertices.reserve(static_cast<std::size_t>(counts.vertices));
  std::vector<std::string_view> words;
  FaceBuffers buffers;
  for (long long v = 0; v < counts.vertices; ++v) {
    if (!next_words(lines, words)) {
      if (!lines.problem().empty()) return reading_stopped(name, lines);
      return name + ": the file ends after " + std::to_string(v) + " of " +
             std::to_string(counts.vertices) + " vertices";
    }
    Vec3 position;
    error = read_vertex(words, 0, position);
    if (!error.empty()) return at_line(name, lines.line_number(), error);
    mesh.add_vertex(position.x, position.y, position.z);
    if (progress && v % 65536 == 0) progress(lines.fraction_read());
  }
  for (long long f = 0; f < counts.faces; ++f) {
    if (!next_words(lines, words)) {
      if (!lines.problem().empty()) return reading_stopped(name, lines);
      return name + ": the file ends after " + std::to_string(f) + " of " +
             std::to_string(counts.faces) + " faces";
    }
    error =
        read_face(name, words, lines.line_number(), counts.vertices, buffers, mesh, model.warnings);
    if (!error.empty()) return error;
    if (progress && f % 65536 == 0) progress(lines.fraction_read());
  }
  model.objects.push_back(std::move(mesh));
  return "";
}

}  // namespace standin
