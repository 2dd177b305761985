// vexo-sim: the stand-in modeller on the command line. It loads a plug-in the way the modeller
// does, builds the demo scene, picks "Select connected surfaces" from the Tools menu and prints
// what a user would see.
#include <cstring>
#include <iostream>
#include <string>

#include "stand_in_host/demo_scene.h"
#include "stand_in_host/host.h"
#include "stand_in_host/plugin_loader.h"
#include "stand_in_host/transcript.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

constexpr char kMenuLabel[] = "Select connected surfaces";

// The plug-in beside this program, as the build lays them out.
std::string default_plugin_path() {
  char buffer[4096] = {};
#if defined(_WIN32)
  const DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer - 1);
  std::string self(buffer, length);
  const auto slash = self.find_last_of("\\/");
#else
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  std::string self(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
  const auto slash = self.find_last_of('/');
#endif
  if (slash == std::string::npos) return "build/adjsurf.p";
  return self.substr(0, slash + 1) + "adjsurf.p";
}

void print_usage(std::ostream& out) {
  out << "usage: vexo-sim [--plugin PATH]\n"
         "Loads the plug-in (default: adjsurf.p beside this program), builds the demo scene,\n"
         "picks \"" << kMenuLabel << "\" from the Tools menu and prints what the user sees.\n";
}

}  // namespace

int main(int argc, char** argv) {
  std::string plugin_path = default_plugin_path();
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--plugin") == 0 && i + 1 < argc) {
      plugin_path = argv[++i];
    } else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      print_usage(std::cout);
      return 0;
    } else {
      std::cerr << "vexo-sim: unknown argument '" << argv[i] << "'\n";
      print_usage(std::cerr);
      return 2;
    }
  }

  standin::Host host;
  standin::ActiveHost active(host);
  std::string error;
  auto plugin = standin::load_plugin(plugin_path, &error);
  if (!plugin) {
    std::cerr << "vexo-sim: " << error << "\n";
    return 1;
  }
  standin::print_plugin(std::cout, *plugin);
  standin::print_tools_menu(std::cout, host);

  standin::build_demo_scene(host);
  std::cout << "\nDemo scene, selection before:\n";
  standin::print_selection(std::cout, host);

  std::cout << "\nTools > " << kMenuLabel << "\n";
  const std::size_t first_event = host.events().size();
  error = host.pick_menu_item(kMenuLabel);
  if (!error.empty()) {
    std::cerr << "vexo-sim: " << error << "\n";
    return 1;
  }
  standin::print_events(std::cout, host, first_event);

  std::cout << "\nSelection after:\n";
  standin::print_selection(std::cout, host);
  return 0;
}
