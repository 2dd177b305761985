#include "tests/scratch_folder.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace testmodels {

namespace {

// Removes the folder when the process ends normally.
struct Scratch {
  std::string path;
  Scratch() : path(std::string(VEXO_TEST_SCRATCH_ROOT) + "/scratch-" + std::to_string(getpid())) {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
    std::filesystem::create_directories(path);
  }
  ~Scratch() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
};

}  // namespace

const std::string& scratch_folder() {
  static const Scratch scratch;
  return scratch.path;
}

}  // namespace testmodels
