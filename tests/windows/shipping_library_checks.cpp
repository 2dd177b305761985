// Checks the shipping Windows library as the modeller runs it: this program is a stand-in
// modeller named vexo.exe, so the library's imports bind to it, and it loads the library by path
// for every check, the way the modeller loads it, and runs the command from the Tools menu.
//
//   vexo.exe PLUGIN [PRELOAD-DLL]
//
// It runs every check once; then, given PRELOAD-DLL (a shared MinGW runtime, as another plug-in
// of the modeller would bring in), it loads that DLL into the process and runs them all again,
// since the library must behave the same whatever runtime DLLs the modeller already holds. It
// prints one line per check and "N passed, M failed", and exits 1 when any failed. A check that
// takes the process down ends the run without that line.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "mesh/mesh_generators.h"
#include "messages/index_ranges.h"
#include "modeller/host_state.h"
#include "plugin_loader/plugin_loader.h"
#include "test_support/shared_scenes.h"
#include "vexo_sim/demo_scene.h"
#include "vexo_sim/session.h"

namespace {

using reference::Indices;
using standin::EventKind;

std::string g_plugin_path;

// Texts as {"a", "b"}, for a failure message.
std::string quoted(const std::vector<std::string>& texts) {
  std::string joined;
  for (const std::string& text : texts) joined += (joined.empty() ? "\"" : ", \"") + text + "\"";
  return "{" + joined + "}";
}

struct MenuPick {
  standin::Host* host;
  std::string error;
};

DWORD WINAPI pick_menu_item_on_thread(LPVOID argument) {
  MenuPick& pick = *static_cast<MenuPick*>(argument);
  pick.error = pick.host->pick_menu_item(standin::kSelectConnectedMenuLabel);
  return 0;
}

// Loads the plug-in into `host` (which must be active), picks the menu item, and unloads it.
// With `stack_size`, the item is picked on a thread of its own with a stack of that size.
std::string run_command(standin::Host& host, SIZE_T stack_size = 0) {
  std::string error;
  std::unique_ptr<standin::LoadedPlugin> plugin = standin::load_plugin(g_plugin_path, &error);
  if (plugin == nullptr) return error;
  if (stack_size == 0) return host.pick_menu_item(standin::kSelectConnectedMenuLabel);
  MenuPick job{&host, ""};
  HANDLE thread = CreateThread(nullptr, stack_size, pick_menu_item_on_thread, &job,
                               STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
  if (thread == nullptr) return "cannot start a thread";
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  return job.error;
}

std::string expect_clean(const standin::Host& host) {
  const std::vector<std::string> problems = host.problems();
  return problems.empty() ? "" : "the host objected: " + quoted(problems);
}

std::string check_demo_scene() {
  standin::Host host(true);
  standin::ActiveHost active(host);
  standin::build_demo_scene(host);
  std::string error = run_command(host);
  if (!error.empty()) return error;
  const auto messages = host.events().texts(EventKind::kMessage);
  if (messages != std::vector<std::string>{"Selected 10 surfaces"}) {
    return "messages " + quoted(messages);
  }
  if (host.selection().selected_surfaces(0) != Indices{0, 1, 2, 3, 4, 5} ||
      host.selection().selected_surfaces(1) != Indices{0, 1, 2, 3}) {
    return "selected " + standin::format_index_ranges(host.selection().selected_surfaces(0)) +
           " and " + standin::format_index_ranges(host.selection().selected_surfaces(1));
  }
  return expect_clean(host);
}

std::string check_random_models() {
  std::mt19937 random(20261209);
  for (int round = 0; round < 40; ++round) {
    standin::Host host(true);
    standin::ActiveHost active(host);
    const reference::RandomScene scene = reference::add_random_scene(random, host);
    const std::string error = run_command(host);
    if (!error.empty()) return error;
    const std::string where = "round " + std::to_string(round) + ": ";
    const std::string differences = reference::differences_from(scene, host);
    if (!differences.empty()) return where + differences;
    const std::string problems = expect_clean(host);
    if (!problems.empty()) return where + problems;
  }
  return "";
}

// An object that claims `surfaces` surfaces: the table for them cannot be had. The user sees
// the message; the seed and object lists go back; no undo step and no selection change.
std::string check_table_cannot_be_had(int surfaces) {
  standin::Host host(true);
  standin::ActiveHost active(host);
  host.add_object(standin::quad_grid("huge", 3, 3));
  host.model().object(0).inconsistencies.reported_surface_count = surfaces;
  host.selection().select_surface(0, 4);
  const std::string error = run_command(host);
  if (!error.empty()) return error;
  const auto dialogs = host.events().texts(EventKind::kDialog);
  if (dialogs != std::vector<std::string>{"adjsurfaces : Not enough memory"}) {
    return "dialogs " + quoted(dialogs);
  }
  if (!host.events().texts(EventKind::kMessage).empty()) return "a count message was shown";
  if (!host.selection().undo_steps().empty()) return "an undo step was recorded";
  if (host.selection().selected_surfaces(0) != Indices{4}) {
    return "the selection changed to " +
           standin::format_index_ranges(host.selection().selected_surfaces(0));
  }
  return expect_clean(host);
}

// The command on a thread with a 1 MiB stack, over handles in a quicksort's worst-case order.
std::string check_worst_case_order_on_small_stack() {
  standin::Host host(true);
  standin::ActiveHost active(host);
  reference::add_worst_case_strip(host);
  const std::string error = run_command(host, 1024 * 1024);
  if (!error.empty()) return error;
  const std::string outcome = reference::worst_case_strip_outcome(host);
  return outcome.empty() ? expect_clean(host) : outcome;
}

// A model whose edges have many users: every surface of it must be selected from surface 0,
// with one append per surface beyond the seed. Appending a surface again each time a neighbour
// met it took the 32-bit modeller down on a book of 30,000 pages, out of list nodes.
std::string check_crowded_model(const standin::Mesh& mesh) {
  standin::Host host(true);
  standin::ActiveHost active(host);
  host.add_object(mesh);
  host.selection().select_surface(0, 0);
  const std::string error = run_command(host);
  if (!error.empty()) return error;
  const std::uint32_t count = mesh.surface_count();
  const auto messages = host.events().texts(EventKind::kMessage);
  if (messages != std::vector<std::string>{"Selected " + std::to_string(count) + " surfaces"}) {
    return "messages " + quoted(messages);
  }
  if (host.statistics().appends() != count - 1) {
    return std::to_string(host.statistics().appends()) + " appends for " + std::to_string(count) +
           " surfaces";
  }
  return expect_clean(host);
}

struct Tally {
  int passed = 0;
  int failed = 0;
};

void run_check(Tally& tally, const std::string& name, const std::function<std::string()>& check) {
  std::fflush(stdout);  // what ran before is on record if this check takes the process down
  const std::string error = check();
  if (error.empty()) {
    ++tally.passed;
    std::printf("ok    %s\n", name.c_str());
  } else {
    ++tally.failed;
    std::printf("FAIL  %s: %s\n", name.c_str(), error.c_str());
  }
  std::fflush(stdout);
}

void run_all_checks(Tally& tally, const std::string& setting) {
  run_check(tally, "demo scene" + setting, check_demo_scene);
  run_check(tally, "random models agree with a union-find" + setting, check_random_models);
  if (sizeof(void*) == 4) {
    // 2^29 entries of 8 bytes make a size that wraps around to 0; 400 million entries make
    // 3.2 GB, which a 32-bit process cannot have.
    run_check(tally, "2^29 surfaces: not enough memory" + setting,
              [] { return check_table_cannot_be_had(1 << 29); });
    run_check(tally, "400,000,000 surfaces: not enough memory" + setting,
              [] { return check_table_cannot_be_had(400000000); });
  }
  run_check(tally, "worst-case handle order on a 1 MiB stack" + setting,
            check_worst_case_order_on_small_stack);
  run_check(tally, "a book of 30,000 quads on one edge" + setting,
            [] { return check_crowded_model(standin::book("book", 30000)); });
  run_check(tally, "100 copies of a 998-triangle fan" + setting,
            [] { return check_crowded_model(standin::stacked_fans("fans", 998, 100)); });
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: vexo.exe PLUGIN [PRELOAD-DLL]\n");
    return 2;
  }
  g_plugin_path = argv[1];
  Tally tally;
  run_all_checks(tally, "");
  if (argc == 3) {
    if (LoadLibraryA(argv[2]) == nullptr) {
      std::printf("FAIL  cannot load %s: Windows error %lu\n", argv[2], GetLastError());
      ++tally.failed;
    } else {
      const std::string preloaded = argv[2];
      run_all_checks(tally,
                     ", with " + preloaded.substr(preloaded.find_last_of("\\/") + 1) + " loaded");
    }
  }
  std::printf("%d passed, %d failed\n", tally.passed, tally.failed);
  return tally.failed == 0 ? 0 : 1;
}
