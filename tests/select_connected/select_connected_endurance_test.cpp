// The command as a modeller runs it for hours: on a main thread with a small stack, and a
// thousand times in one process, alternating with undo, without the host's memory growing.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "mesh/mesh_generators.h"
#include "select_connected/select_connected.h"
#include "test_support/heap_meter.h"
#include "test_support/shared_scenes.h"
#include "test_support/small_stack.h"
#include "tests/checked_host_fixture.h"
#include "vexo_sim/demo_scene.h"

namespace {

using namespace adjsurf;

TEST(SelectConnectedEndurance, WorstCaseHandleOrderRunsOnAOneMebibyteStack) {
  standin::Host host;
  standin::ActiveHost active(host);
  reference::add_worst_case_strip(host);
  ASSERT_TRUE(test_support::run_on_small_stack(1024 * 1024, [&host] {
    standin::ActiveHost on_this_thread(host);
    adjsurf::select_connected_go();
  }));
  EXPECT_EQ(reference::worst_case_strip_outcome(host), "");
}

// Runs the command and undo `rounds` times; returns the heap in use after the first round and
// after the last. One run and undo beforehand settle the host's selection vectors, which scene
// building left with spare capacity and the first undo replaces by exact copies.
std::pair<std::size_t, std::size_t> soak(standin::Host& host, int rounds) {
  adjsurf::select_connected_go();
  host.selection().undo();
  host.events().clear();
  std::size_t after_first = 0;
  for (int round = 0; round < rounds; ++round) {
    adjsurf::select_connected_go();
    EXPECT_TRUE(host.selection().undo());
    host.events().clear();  // what the user was shown is not the host's working memory
    if (round == 0) after_first = heap_meter::bytes_in_use();
  }
  return {after_first, heap_meter::bytes_in_use()};
}

TEST(SelectConnectedEndurance, AThousandRunsWithUndoLeaveTheHostsMemoryAsAfterTheFirst) {
  {
    standin::Host demo;
    standin::ActiveHost active(demo);
    standin::build_demo_scene(demo);
    const auto [first, last] = soak(demo, 1000);
    EXPECT_EQ(first, last);
    EXPECT_TRUE(demo.problems().empty());
  }
  standin::Host random_model;
  standin::ActiveHost active(random_model);
  std::mt19937 random(99);
  for (int o = 0; o < 3; ++o) {
    standin::Mesh mesh = standin::quad_grid("grid" + std::to_string(o), 20 + o, 15);
    for (int extra = 0; extra < 30; ++extra) {
      mesh.add_surface({static_cast<std::uint32_t>(random() % mesh.vertices.size()),
                        static_cast<std::uint32_t>(random() % mesh.vertices.size()),
                        static_cast<std::uint32_t>(random() % mesh.vertices.size())});
    }
    random_model.add_object(mesh);
    random_model.selection().select_surface(
        o, static_cast<std::uint32_t>(random() % mesh.surface_count()));
  }
  const auto [first, last] = soak(random_model, 1000);
  EXPECT_EQ(first, last);
  EXPECT_TRUE(random_model.problems().empty());
}

}  // namespace
