// Fuzzes the OBJ, OFF and PLY readers: any input is read as each format, and must give either a
// model or a one-line error naming the file, never a crash, a hang or a sanitizer report. An error
// that names a line must name one the input has. The same input read from a file a few bytes at a
// time must give the same answer as read whole. A model that reads is handed to a stand-in
// modeller so that its surfaces and edges are built too.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "model_files/load_model.h"
#include "modeller/host_state.h"

namespace {

[[noreturn]] void fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "%s: %s\n", what, detail.c_str());
  std::abort();
}

// How many lines the text has, counting LF, CR LF and a lone CR each as one line end, and a last
// line without an end.
std::size_t line_count(const std::string& text) {
  std::size_t lines = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
      ++lines;
    }
  }
  const char last = text.empty() ? '\n' : text.back();
  return lines + (last != '\n' && last != '\r');
}

// The line an error "NAME:LINE: reason" names; 0 for "NAME: reason".
std::size_t line_named(const std::string& error, const std::string& name) {
  std::size_t at = name.size() + 1;
  std::size_t line = 0;
  while (at < error.size() && error[at] >= '0' && error[at] <= '9') {
    line = line * 10 + static_cast<std::size_t>(error[at++] - '0');
  }
  return at < error.size() && error[at] == ':' ? line : 0;
}

// The same text as a file read five bytes at a time (a stream over the bytes in memory, so that
// no input costs a system call).
std::string read_in_blocks(const std::string& name, std::string text) {
  std::FILE* file = fmemopen(text.data(), text.size(), "rb");
  if (file == nullptr) fail("fmemopen", std::to_string(text.size()));
  standin::LoadedModel model;
  const std::string error = standin::load_model_stream(name, file, text.size(), model, nullptr, 5);
  std::fclose(file);
  return error;
}

void read_as(const std::string& name, const std::string& text) {
  standin::LoadedModel model;
  const std::string error = standin::load_model_text(name, text, model);
  if (!text.empty() && read_in_blocks(name, text) != error) {
    fail("read in blocks, the answer differs", error);
  }
  if (!error.empty()) {
    if (error.rfind(name, 0) != 0 || error.find('\n') != std::string::npos) {
      fail("error does not name the file on one line", error);
    }
    if (line_named(error, name) > line_count(text)) fail("error names a line past the end", error);
    if (error.compare(name.size(), 3, ":0:") == 0) fail("error names line 0", error);
    return;
  }
  // Nothing here hands lists to a plug-in, so the host's ledger of them would check nothing.
  standin::Host host(false);
  // Adding an object works out its edges, which must hold for any mesh a reader makes.
  for (standin::Mesh& mesh : model.objects) host.add_object(std::move(mesh));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(bytes), size);
  read_as("fuzz.obj", text);
  read_as("fuzz.off", text);
  read_as("fuzz.ply", text);
  return 0;
}
