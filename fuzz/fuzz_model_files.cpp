// Fuzzes the OBJ and OFF readers: any input is read as both formats, and must give either a model
// or a one-line error naming the file, never a crash, a hang or a sanitizer report. A model that
// reads is handed to a stand-in modeller so that its surfaces and edges are built too.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "model_files/model_file.h"
#include "modeller/host.h"

namespace {

void read_as(const std::string& name, const std::string& text) {
  standin::LoadedModel model;
  const std::string error = standin::load_model_text(name, text, model);
  if (!error.empty()) {
    if (error.rfind(name, 0) != 0 || error.find('\n') != std::string::npos) {
      std::fprintf(stderr, "error does not name the file on one line: %s\n", error.c_str());
      std::abort();
    }
    return;
  }
  // Nothing here hands lists to a plug-in, so the host's ledger of them would check nothing.
  standin::Host host(false);
  for (standin::Mesh& mesh : model.objects) host.add_object(std::move(mesh));
  for (std::size_t o = 0; o < host.model().object_count(); ++o)
    host.model().object(o).edge_topology();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(bytes), size);
  read_as("fuzz.obj", text);
  read_as("fuzz.off", text);
  return 0;
}
