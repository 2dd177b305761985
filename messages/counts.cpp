#include "messages/counts.h"

namespace standin {

std::string grouped_digits(std::uint64_t count) {
  const std::string digits = std::to_string(count);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

std::string counted(std::uint64_t count, const char* one, const char* many) {
  return grouped_digits(count) + " " + (count == 1 ? one : many);
}

}  // namespace standin
