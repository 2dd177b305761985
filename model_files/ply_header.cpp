#include "model_files/ply_header.h"

#include <limits>
#include <string_view>

#include "messages/counts.h"
#include "messages/excerpt.h"
#include "model_files/reader_helpers.h"

namespace standin {

namespace {

struct NamedType {
  const char* name;
  PlyType type;
};

constexpr NamedType kTypeNames[] = {
    {"char", PlyType::kInt8},      {"int8", PlyType::kInt8},       {"uchar", PlyType::kUint8},
    {"uint8", PlyType::kUint8},    {"short", PlyType::kInt16},     {"int16", PlyType::kInt16},
    {"ushort", PlyType::kUint16},  {"uint16", PlyType::kUint16},   {"int", PlyType::kInt32},
    {"int32", PlyType::kInt32},    {"uint", PlyType::kUint32},     {"uint32", PlyType::kUint32},
    {"float", PlyType::kFloat32},  {"float32", PlyType::kFloat32}, {"double", PlyType::kFloat64},
    {"float64", PlyType::kFloat64}};

bool type_named(std::string_view word, PlyType& type) {
  for (const NamedType& named : kTypeNames) {
    if (word == named.name) {
      type = named.type;
      return true;
    }
  }
  return false;
}

// The fewest bytes one item of the element takes in the body: in binary, its scalars and its
// lists' counts; in ASCII, one character and one separator per value.
std::uint64_t smallest_item_bytes(const PlyElement& element, PlyFormat format) {
  std::uint64_t bytes = 0;
  for (const PlyProperty& property : element.properties) {
    if (format == PlyFormat::kAscii) {
      bytes += 2;
    } else {
      bytes += ply_type_size(property.is_list ? property.count_type : property.type);
    }
  }
  return bytes;
}

// A header read line by line: where it is and what it has found so far.
class HeaderReader {
 public:
  HeaderReader(const std::string& name, TextLines& lines, PlyHeader& header)
      : name_(name), lines_(lines), header_(header) {}

  std::string read() {
    std::string problem = read_start();
    std::string_view line;
    while (problem.empty()) {
      if (!lines_.next(line)) return ends_early();
      split_words(line, words_);
      if (words_.empty()) continue;
      if (words_[0] == "end_header") return words_.size() == 1 ? "" : extra("end_header");
      problem = read_line(line);
    }
    return problem;
  }

 private:
  std::string here(const std::string& reason) const {
    return at_line(name_, lines_.line_number(), reason);
  }

  std::string ends_early() const {
    if (!lines_.problem().empty()) return reading_stopped(name_, lines_);
    return name_ + ": the file ends before the header's end_header line";
  }

  std::string extra(const char* keyword) const {
    return here(std::string("the ") + keyword + " line holds more than it should");
  }

  // The "ply" line, then the format line.
  std::string read_start() {
    std::string_view line;
    if (!lines_.next(line)) {
      if (!lines_.problem().empty()) return reading_stopped(name_, lines_);
      return name_ + ": the file is empty";
    }
    split_words(line, words_);
    if (words_.size() != 1 || words_[0] != "ply") return here("not a PLY file (no 'ply' line)");
    if (!lines_.next(line)) return ends_early();
    split_words(line, words_);
    if (words_.empty() || words_[0] != "format") {
      return here("expected the format line after 'ply'");
    }
    if (words_.size() != 3) return here("the format line needs a format and a version");
    if (words_[1] == "ascii") {
      header_.format = PlyFormat::kAscii;
    } else if (words_[1] == "binary_little_endian") {
      header_.format = PlyFormat::kBinaryLittleEndian;
    } else if (words_[1] == "binary_big_endian") {
      header_.format = PlyFormat::kBinaryBigEndian;
    } else {
      return here("unknown format '" + excerpt(words_[1]) +
                  "' (ascii, binary_little_endian or binary_big_endian)");
    }
    if (words_[2] != "1.0") return here("unknown version '" + excerpt(words_[2]) + "' (1.0)");
    return "";
  }

  std::string read_line(std::string_view line) {
    const std::string_view keyword = words_[0];
    if (keyword == "comment" || keyword == "obj_info") return "";
    if (keyword == "element") return read_element();
    if (keyword == "property") return read_property();
    if (header_.unknown_lines++ == 0) {
      header_.first_unknown_line = lines_.line_number();
      header_.first_unknown_text = excerpt(line);
    }
    return "";
  }

  std::string read_element() {
    if (words_.size() != 3) return here("an element line needs a name and a count");
    long long count = 0;
    if (!parse_integer(words_[2], count) || count < 0) {
      return here("element count '" + excerpt(words_[2]) + "' is not a count");
    }
    for (const PlyElement& element : header_.elements) {
      if (element.name == words_[1]) {
        return here("a second element '" + excerpt(words_[1]) + "'");
      }
    }
    PlyElement element;
    element.name = std::string(words_[1]);
    element.count = static_cast<std::uint64_t>(count);
    element.line = lines_.line_number();
    header_.elements.push_back(std::move(element));
    return "";
  }

  std::string read_property() {
    if (header_.elements.empty()) return here("a property before any element");
    PlyProperty property;
    std::size_t name_word = 2;
    if (words_.size() >= 2 && words_[1] == "list") {
      if (words_.size() != 5) {
        return here("a list property needs a count type, an item type and a name");
      }
      property.is_list = true;
      if (!type_named(words_[2], property.count_type)) return unknown_type(words_[2]);
      if (!ply_type_is_integral(property.count_type)) {
        return here("a list's count type must be an integer type, not '" + excerpt(words_[2]) +
                    "'");
      }
      if (!type_named(words_[3], property.type)) return unknown_type(words_[3]);
      name_word = 4;
    } else {
      if (words_.size() != 3) return here("a property line needs a type and a name");
      if (!type_named(words_[1], property.type)) return unknown_type(words_[1]);
    }
    property.name = std::string(words_[name_word]);
    PlyElement& element = header_.elements.back();
    if (element.property_index(property.name) >= 0) {
      return here("a second property '" + excerpt(property.name) + "' in element '" +
                  excerpt(element.name) + "'");
    }
    element.properties.push_back(std::move(property));
    return "";
  }

  std::string unknown_type(std::string_view word) const {
    return here("unknown type '" + excerpt(word) +
                "' (char, uchar, short, ushort, int, uint, float, double, or int8 to float64)");
  }

  const std::string& name_;
  TextLines& lines_;
  PlyHeader& header_;
  std::vector<std::string_view> words_;
};

}  // namespace

std::size_t ply_type_size(PlyType type) {
  switch (type) {
    case PlyType::kInt8:
    case PlyType::kUint8:
      return 1;
    case PlyType::kInt16:
    case PlyType::kUint16:
      return 2;
    case PlyType::kInt32:
    case PlyType::kUint32:
    case PlyType::kFloat32:
      return 4;
    case PlyType::kFloat64:
      return 8;
  }
  return 8;
}

bool ply_type_is_integral(PlyType type) {
  return type != PlyType::kFloat32 && type != PlyType::kFloat64;
}

int PlyElement::property_index(const std::string& property) const {
  for (std::size_t p = 0; p < properties.size(); ++p) {
    if (properties[p].name == property) return static_cast<int>(p);
  }
  return -1;
}

std::string read_ply_header(const std::string& name, TextLines& lines, PlyHeader& header) {
  return HeaderReader(name, lines, header).read();
}

bool ply_counts_fit(const TextLines& lines, const PlyHeader& header) {
  if (!lines.size_known()) return false;
  const std::uint64_t room = lines.size() - lines.offset();
  std::uint64_t needed = 0;
  for (const PlyElement& element : header.elements) {
    const std::uint64_t item = smallest_item_bytes(element, header.format);
    if (item != 0 && element.count > (room - needed) / item) return false;
    needed += element.count * item;
  }
  return true;
}

}  // namespace standin
