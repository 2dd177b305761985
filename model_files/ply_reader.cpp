#include "model_files/ply_reader.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>
#include <vector>

#include "messages/counts.h"
#include "messages/excerpt.h"
#include "model_files/face_loop.h"
#include "model_files/ply_header.h"
#include "model_files/reader_helpers.h"

namespace standin {
namespace {

// The values of one item at a time from an ASCII body: one item a line, its values the line's
// words in the order of the element's properties.
class AsciiItems {
 public:
  AsciiItems(const std::string& name, TextLines& lines) : name_(name), lines_(lines) {}

  // Moves to the next line that has words; false at the end of the text or where reading
  // stopped.
  bool next_item() {
    std::string_view line;
    while (lines_.next(line)) {
      split_words(line, words_);
      next_word_ = 0;
      if (!words_.empty()) return true;
    }
    return false;
  }

  // The next value, as a number of `type`. Returns empty, or why it is not one.
  std::string value(PlyType type, double& value) {
    std::string_view word;
    if (!next_word(word)) return missing();
    if (ply_type_is_integral(type)) {
      long long integer = 0;
      if (!parse_integer(word, integer) || !fits(type, integer)) {
        return "'" + excerpt(word) + "' is not a whole number of its type";
      }
      value = static_cast<double>(integer);
      return "";
    }
    if (!parse_finite(word, value)) return "'" + excerpt(word) + "' is not a finite number";
    return "";
  }

  // Passes over the next value, unread.
  std::string pass_over(PlyType) {
    std::string_view word;
    return next_word(word) ? "" : missing();
  }

  // Whether `count` list items can follow: an ASCII list must stand on its item's line.
  std::string room_for(double count, PlyType) const {
    if (count > static_cast<double>(words_.size() - next_word_)) {
      return "the list counts " + counted(static_cast<std::uint64_t>(count), "item", "items") +
             ", more than its line holds";
    }
    return "";
  }

  // An ASCII item that falls short says so on its own line.
  bool ended() const { return false; }

  std::string finish_item() const {
    if (next_word_ == words_.size()) return "";
    return "more values than the element's properties ('" + excerpt(words_[next_word_]) + "')";
  }

  std::string where(const PlyElement&, std::uint64_t) const {
    return name_ + ":" + std::to_string(lines_.line_number());
  }

  // Text after the last element: an error, so that an item the header's count leaves out is
  // never lost without a word.
  std::string finish_body(std::vector<std::string>&) {
    if (next_item()) {
      return at_line(name_, lines_.line_number(),
                     "more lines than the header's elements hold (or other text after the last)");
    }
    return "";
  }

 private:
  bool next_word(std::string_view& word) {
    if (next_word_ == words_.size()) return false;
    word = words_[next_word_++];
    return true;
  }

  static std::string missing() { return "the line ends before the element's last property"; }

  static bool fits(PlyType type, long long value) {
    switch (type) {
      case PlyType::kInt8:
        return value >= -128 && value <= 127;
      case PlyType::kUint8:
        return value >= 0 && value <= 255;
      case PlyType::kInt16:
        return value >= -32768 && value <= 32767;
      case PlyType::kUint16:
        return value >= 0 && value <= 65535;
      case PlyType::kInt32:
        return value >= std::numeric_limits<std::int32_t>::min() &&
               value <= std::numeric_limits<std::int32_t>::max();
      case PlyType::kUint32:
        return value >= 0 && value <= std::numeric_limits<std::uint32_t>::max();
      default:
        return true;
    }
  }

  const std::string& name_;
  TextLines& lines_;
  std::vector<std::string_view> words_;
  std::size_t next_word_ = 0;
};

// The values of one item at a time from a binary body, of either byte order.
class BinaryItems {
 public:
  BinaryItems(const std::string& name, TextLines& lines, bool big_endian)
      : name_(name), lines_(lines), big_endian_(big_endian) {}

  bool next_item() {
    item_offset_ = lines_.offset();
    return true;
  }

  std::string value(PlyType type, double& value) {
    unsigned char bytes[8];
    const std::size_t size = ply_type_size(type);
    if (lines_.read_bytes(reinterpret_cast<char*>(bytes), size) != size) {
      ended_ = lines_.problem().empty();
      return lines_.problem();
    }
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < size; ++i) {
      const unsigned char byte = bytes[big_endian_ ? i : size - 1 - i];
      bits = (bits << 8) | byte;
    }
    value = decoded(type, bits);
    return "";
  }

  std::string pass_over(PlyType type) {
    double ignored = 0;
    return value(type, ignored);
  }

  // Whether the rest of the file can hold `count` items of `type`, where its size is known: a
  // list that cannot be whole means the body ends inside its item.
  std::string room_for(double count, PlyType type) {
    if (!lines_.size_known()) return "";
    const std::uint64_t left = lines_.size() - lines_.offset();
    if (count > static_cast<double>(left / ply_type_size(type))) {
      ended_ = true;
      return "its list counts " + counted(static_cast<std::uint64_t>(count), "item", "items") +
             ", more than the rest of the file holds";
    }
    return "";
  }

  // Whether the body ended inside the item in hand.
  bool ended() const { return ended_; }

  std::string finish_item() const { return ""; }

  std::string where(const PlyElement& element, std::uint64_t item) const {
    return name_ + ": " + excerpt(element.name) + " " + grouped_digits(item) + " (byte " +
           grouped_digits(item_offset_) + ")";
  }

  // Bytes after the last element are passed over, with a word.
  std::string finish_body(std::vector<std::string>& warnings) {
    std::uint64_t extra = 0;
    char block[4096];
    for (std::size_t got; (got = lines_.read_bytes(block, sizeof block)) > 0;) extra += got;
    if (!lines_.problem().empty()) return reading_stopped(name_, lines_);
    if (extra > 0) {
      warnings.push_back(name_ + ": " + grouped_digits(extra) +
                         " bytes after the last element passed over");
    }
    return "";
  }

 private:
  static double decoded(PlyType type, std::uint64_t bits) {
    switch (type) {
      case PlyType::kInt8:
        return static_cast<std::int8_t>(bits);
      case PlyType::kUint8:
        return static_cast<std::uint8_t>(bits);
      case PlyType::kInt16:
        return static_cast<std::int16_t>(bits);
      case PlyType::kUint16:
        return static_cast<std::uint16_t>(bits);
      case PlyType::kInt32:
        return static_cast<std::int32_t>(bits);
      case PlyType::kUint32:
        return static_cast<std::uint32_t>(bits);
      case PlyType::kFloat32: {
        const auto word = static_cast<std::uint32_t>(bits);
        float value = 0;
        std::memcpy(&value, &word, sizeof value);
        return value;
      }
      case PlyType::kFloat64: {
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        return value;
      }
    }
    return 0;
  }

  const std::string& name_;
  TextLines& lines_;
  bool big_endian_;
  std::uint64_t item_offset_ = 0;
  bool ended_ = false;
};

// What the reader takes from the elements it knows: the vertex element's x, y and z, and the
// face element's list of vertex indices.
struct Roles {
  int vertex_element = -1;
  int coordinates[3] = {-1, -1, -1};
  int face_element = -1;
  int indices = -1;
  std::uint64_t vertex_count = 0;
};

std::string find_roles(const std::string& name, const PlyHeader& header, Roles& roles) {
  for (std::size_t e = 0; e < header.elements.size(); ++e) {
    const PlyElement& element = header.elements[e];
    if (element.name == "vertex") {
      roles.vertex_element = static_cast<int>(e);
      roles.vertex_count = element.count;
      const char* axes[] = {"x", "y", "z"};
      for (int axis = 0; axis < 3; ++axis) {
        const int p = element.property_index(axes[axis]);
        if (p < 0 || element.properties[p].is_list) {
          return at_line(name, element.line,
                         std::string("the vertex element has no property ") + axes[axis]);
        }
        roles.coordinates[axis] = p;
      }
      if (element.count > std::numeric_limits<std::uint32_t>::max()) {
        return at_line(name, element.line, "more vertices than a model may have (2^32 - 1)");
      }
    } else if (element.name == "face") {
      roles.face_element = static_cast<int>(e);
      int p = element.property_index("vertex_indices");
      if (p < 0) p = element.property_index("vertex_index");
      if (p < 0 || !element.properties[p].is_list) {
        return at_line(name, element.line,
                       "the face element has no list vertex_indices (or vertex_index)");
      }
      roles.indices = p;
    }
  }
  return "";
}

// Reads the body item by item, element by element, into one mesh.
template <typename Items>
class BodyReader {
 public:
  BodyReader(const std::string& name, const PlyHeader& header, const Roles& roles, Items& items,
             TextLines& lines, LoadedModel& model, const LoadProgress& progress)
      : name_(name),
        header_(header),
        roles_(roles),
        items_(items),
        lines_(lines),
        model_(model),
        progress_(progress) {}

  std::string read(Mesh& mesh) {
    // Faces may come before the vertices: each vertex goes to its place when it comes. The
    // vertex array is made whole at once only when the file can hold what the header claims.
    if (ply_counts_fit(lines_, header_)) mesh.vertices.resize(roles_.vertex_count);
    for (std::size_t e = 0; e < header_.elements.size(); ++e) {
      const std::string problem = read_element(static_cast<int>(e), mesh);
      if (!problem.empty()) return problem;
    }
    repeats_.warn(model_.warnings);
    return items_.finish_body(model_.warnings);
  }

 private:
  std::string read_element(int e, Mesh& mesh) {
    const PlyElement& element = header_.elements[e];
    // An element of no properties takes no bytes and holds nothing to read.
    if (element.properties.empty()) return "";
    for (std::uint64_t item = 0; item < element.count; ++item) {
      if (!items_.next_item()) return ended(element, item);
      std::string problem = read_item(e, item, mesh);
      if (problem.empty()) problem = items_.finish_item();
      if (items_.ended()) return ended(element, item, problem);
      if (!problem.empty()) {
        if (!lines_.problem().empty()) return reading_stopped(name_, lines_);
        return items_.where(element, item) + ": " + problem;
      }
      if (progress_ && item % 65536 == 0) progress_(lines_.fraction_read());
    }
    return "";
  }

  // The body ended before the element's last item; `why`, when given, says how it showed.
  std::string ended(const PlyElement& element, std::uint64_t held,
                    const std::string& why = "") const {
    if (!lines_.problem().empty()) return reading_stopped(name_, lines_);
    const std::string of = element.name == "vertex" ? counted(element.count, "vertex", "vertices")
                           : element.name == "face"
                               ? counted(element.count, "face", "faces")
                               : counted(element.count, "item", "items") + " of element '" +
                                     excerpt(element.name) + "'";
    return name_ + ": the file ends after " + grouped_digits(held) + " of " + of +
           (why.empty() ? "" : " (the next: " + why + ")");
  }

  std::string read_item(int e, std::uint64_t item, Mesh& mesh) {
    const PlyElement& element = header_.elements[e];
    double coordinates[3] = {0, 0, 0};
    for (std::size_t p = 0; p < element.properties.size(); ++p) {
      const PlyProperty& property = element.properties[p];
      std::string problem;
      if (property.is_list) {
        const bool indices = e == roles_.face_element && static_cast<int>(p) == roles_.indices;
        problem = read_list(property, indices);
      } else if (e == roles_.vertex_element) {
        problem = read_coordinate(property, static_cast<int>(p), coordinates);
      } else {
        problem = items_.pass_over(property.type);
      }
      if (!problem.empty()) return problem;
    }
    if (e == roles_.vertex_element) place_vertex(item, coordinates, mesh);
    if (e == roles_.face_element) return add_face(item, mesh);
    return "";
  }

  std::string read_coordinate(const PlyProperty& property, int p, double* coordinates) {
    for (int axis = 0; axis < 3; ++axis) {
      if (roles_.coordinates[axis] != p) continue;
      std::string problem = items_.value(property.type, coordinates[axis]);
      if (!problem.empty()) return "coordinate " + property.name + ": " + problem;
      if (!usable_coordinate(coordinates[axis])) {
        return "coordinate " + property.name + " is out of range or not a finite number";
      }
      return "";
    }
    return items_.pass_over(property.type);
  }

  void place_vertex(std::uint64_t item, const double* coordinates, Mesh& mesh) {
    // A stream's vertex array grows only as its vertices are read.
    if (mesh.vertices.size() <= item) mesh.vertices.resize(item + 1);
    mesh.vertices[item] = Vec3{coordinates[0], coordinates[1], coordinates[2]};
  }

  std::string read_list(const PlyProperty& property, bool indices) {
    double count = 0;
    std::string problem = items_.value(property.count_type, count);
    if (!problem.empty()) return "the count of list " + property.name + ": " + problem;
    if (count < 0) return "list " + property.name + " has a negative count";
    problem = items_.room_for(count, property.type);
    if (!problem.empty()) return problem;
    const auto items = static_cast<std::uint64_t>(count);
    if (indices) loop_.clear();
    for (std::uint64_t i = 0; i < items; ++i) {
      if (!indices) {
        problem = items_.pass_over(property.type);
      } else {
        double index = 0;
        problem = items_.value(property.type, index);
        if (problem.empty()) problem = check_index(index);
        if (problem.empty()) loop_.push_back(static_cast<long long>(index));
      }
      if (!problem.empty()) return problem;
    }
    return "";
  }

  std::string check_index(double index) const {
    if (index != std::floor(index) || index < 0 ||
        index >= static_cast<double>(roles_.vertex_count)) {
      char shown[32];
      std::snprintf(shown, sizeof shown, "%.17g", index);
      return std::string("vertex index ") + shown + " is out of range (" +
             counted(roles_.vertex_count, "vertex", "vertices") + ")";
    }
    return "";
  }

  std::string add_face(std::uint64_t item, Mesh& mesh) {
    if (loop_.size() < 3) return "a face needs three vertices";
    std::string problem = drop_repeated_vertices(loop_, kept_);
    if (!problem.empty()) return problem;
    if (kept_.size() != loop_.size()) {
      repeats_.add([&] { return items_.where(header_.elements[roles_.face_element], item); });
    }
    if (mesh.loop_vertices.size() + kept_.size() > std::numeric_limits<std::uint32_t>::max()) {
      return "more face corners than a model may have (2^32 - 1)";
    }
    mesh.add_surface(kept_);
    return "";
  }

  const std::string& name_;
  const PlyHeader& header_;
  const Roles& roles_;
  Items& items_;
  TextLines& lines_;
  LoadedModel& model_;
  const LoadProgress& progress_;
  std::vector<long long> loop_;
  std::vector<std::uint32_t> kept_;
  RepeatedVertexFaces repeats_;
};

bool has_faces(const PlyHeader& header) {
  for (const PlyElement& element : header.elements) {
    if (element.name == "face") return element.count > 0;
  }
  return false;
}

// A file without faces is no model, whatever its body holds, so its body is not read: a point
// cloud of any size is answered at once. Where a face list stands in another element (an
// exporter's mistake), the answer names it.
std::string no_faces(const std::string& name, const PlyHeader& header) {
  for (const PlyElement& element : header.elements) {
    for (const char* list : {"vertex_indices", "vertex_index"}) {
      if (element.name != "face" && element.property_index(list) >= 0) {
        return at_line(name, element.line,
                       std::string("the list ") + list + " stands in element '" +
                           excerpt(element.name) +
                           "', not in a face element: the model has no surfaces");
      }
    }
  }
  return "";
}

template <typename Items>
std::string read_body(const std::string& name, const PlyHeader& header, const Roles& roles,
                      Items& items, TextLines& lines, LoadedModel& model,
                      const LoadProgress& progress, Mesh& mesh) {
  return BodyReader<Items>(name, header, roles, items, lines, model, progress).read(mesh);
}

}  // namespace

std::string read_ply(const std::string& name, TextLines& lines, LoadedModel& model,
                     const LoadProgress& progress) {
  PlyHeader header;
  std::string error = read_ply_header(name, lines, header);
  if (!error.empty()) return error;
  if (header.unknown_lines > 0) {
    model.warnings.push_back(
        at_line(name, header.first_unknown_line,
                "header line '" + header.first_unknown_text + "' is not PLY; passed over" +
                    (header.unknown_lines > 1
                         ? " (and " + counted(header.unknown_lines - 1, "more line", "more lines") +
                               " like it)"
                         : std::string())));
  }
  if (!has_faces(header)) return no_faces(name, header);
  Roles roles;
  error = find_roles(name, header, roles);
  if (!error.empty()) return error;
  Mesh mesh;
  mesh.name = stem_of(name);
  if (header.format == PlyFormat::kAscii) {
    AsciiItems items(name, lines);
    error = read_body(name, header, roles, items, lines, model, progress, mesh);
  } else {
    BinaryItems items(name, lines, header.format == PlyFormat::kBinaryBigEndian);
    error = read_body(name, header, roles, items, lines, model, progress, mesh);
  }
  if (!error.empty()) return error;
  model.objects.push_back(std::move(mesh));
  return "";
}

}  // namespace standin
