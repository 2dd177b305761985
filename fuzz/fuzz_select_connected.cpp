// Fuzzes the command against a checked stand-in modeller whose data may be inconsistent: surface
// counts that disagree with the surface lists, repeated or null entries in those lists, edges
// naming surfaces of other objects, made-up or null handles, repeated or made-up seeds, objects
// without surfaces or without edges. After every run it checks that the command gave back every
// list it was handed exactly once and freed nothing it was only lent, and that the selection it
// handed over holds each surface once, only surfaces of seed objects, and every seed whose
// object owns it. Then it compares the selection with a reference flood over the lists exactly
// as the modeller hands them over (see expected_selection). Any violation aborts, so the fuzzer
// reports it with the input.
//
// The last bytes of the input may also add objects with crowded edges (a book of pages on one
// hinge, or copies of one polygon stacked on the same vertices), make the command's own
// allocations fail (the table, a wider table, the table's index, the set of walked edges), make an
// object claim a surface count no machine could hold a table for, and make the host refuse to
// join edge lists or to append one item to a list.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "mesh/mesh.h"
#include "mesh/mesh_generators.h"
#include "modeller/host_state.h"
#include "select_connected/select_connected.h"
#include "test_support/failing_allocations.h"
#include "test_support/reference_walk.h"

namespace {

using namespace adjsurf;

void require(bool condition, const std::string& what) {
  if (condition) return;
  std::fprintf(stderr, "invariant broken: %s\n", what.c_str());
  std::abort();
}

Surface made_up_handle(FuzzedDataProvider& data) {
  return reinterpret_cast<Surface>(static_cast<std::uintptr_t>(data.ConsumeIntegralInRange(1, 64)) *
                                   16);
}

standin::Mesh random_mesh(FuzzedDataProvider& data, int number) {
  standin::Mesh mesh;
  mesh.name = "object" + std::to_string(number);
  const auto vertices = data.ConsumeIntegralInRange<std::uint32_t>(3, 24);
  for (std::uint32_t v = 0; v < vertices; ++v) mesh.add_vertex(v, v % 3, v % 5);
  // Up to 16 surfaces over few vertices: one-surface objects, and edges with many users.
  const auto surfaces = data.ConsumeIntegralInRange<std::uint32_t>(0, 16);
  for (std::uint32_t s = 0; s < surfaces; ++s) {
    // Up to 24 corners, so that a surface may have more edges than two lookup batches take.
    std::vector<std::uint32_t> loop(data.ConsumeIntegralInRange<std::size_t>(3, 24));
    for (auto& v : loop) v = data.ConsumeIntegralInRange<std::uint32_t>(0, vertices - 1);
    mesh.add_surface(loop);
  }
  return mesh;
}

// Some surface of the model, or null when it has none.
Surface any_surface(FuzzedDataProvider& data, standin::Host& host) {
  const auto o = data.ConsumeIntegralInRange<std::size_t>(0, host.model().object_count() - 1);
  const auto count = host.model().object(o).surface_count();
  if (count == 0) return nullptr;
  return host.model().surface(o, data.ConsumeIntegralInRange<std::uint32_t>(0, count - 1));
}

void make_inconsistent(FuzzedDataProvider& data, standin::Host& host, std::size_t o) {
  auto& faults = host.model().object(o).inconsistencies;
  const std::uint32_t count = host.model().object(o).surface_count();
  switch (data.ConsumeIntegralInRange(0, 5)) {
    case 1:
      faults.reported_surface_count = static_cast<int>(count) + data.ConsumeIntegralInRange(1, 9);
      break;
    case 2:
      faults.reported_surface_count = data.ConsumeIntegralInRange(-3, static_cast<int>(count));
      break;
    case 3:
      faults.disowned = true;
      break;
    case 4:
      faults.edges_withheld = true;
      break;
    default:
      break;
  }
  for (int extra = data.ConsumeIntegralInRange(0, 3); extra > 0; --extra) {
    Surface surface = nullptr;
    switch (data.ConsumeIntegralInRange(0, 2)) {
      case 0:
        surface = made_up_handle(data);
        break;
      case 1:
        surface = any_surface(data, host);
        break;
      default:
        break;
    }
    faults.extra_edge_surfaces.emplace_back(data.ConsumeIntegralInRange<std::uint32_t>(0, 40),
                                            surface);
  }
  // Repeats of its own surfaces, or null, in the object's own list.
  for (int extra = data.ConsumeIntegralInRange(0, 2); extra > 0; --extra) {
    const bool repeat = count > 0 && data.ConsumeBool();
    host.model().list_extra_surface(
        o, repeat
               ? host.model().surface(o, data.ConsumeIntegralInRange<std::uint32_t>(0, count - 1))
               : nullptr);
  }
}

// A book of 4 to 40 pages on one hinge, or 4 to 40 copies of one polygon of 3 to 8 corners on
// the same vertices: edges with many users. A few random loops over the same vertices join in.
standin::Mesh crowded_mesh(FuzzedDataProvider& data, int number) {
  const auto users = data.ConsumeIntegralInRange<std::uint32_t>(4, 40);
  standin::Mesh mesh =
      data.ConsumeBool() ? standin::book("book", users)
                         : standin::stacked_fans("stack", data.ConsumeIntegralInRange(1, 6), users);
  mesh.name = "crowded" + std::to_string(number);
  const auto vertices = static_cast<std::uint32_t>(mesh.vertices.size());
  for (int extra = data.ConsumeIntegralInRange(0, 3); extra > 0; --extra) {
    std::vector<std::uint32_t> loop(data.ConsumeIntegralInRange<std::size_t>(3, 6));
    for (auto& v : loop) v = data.ConsumeIntegralInRange<std::uint32_t>(0, vertices - 1);
    mesh.add_surface(loop);
  }
  return mesh;
}

// Objects with crowded edges, decided after everything else so that inputs from before they
// existed still decode to the same model: some of their surfaces seeded, some inconsistent.
void add_crowded_objects(FuzzedDataProvider& data, standin::Host& host) {
  for (int added = data.ConsumeIntegralInRange(0, 2); added > 0; --added) {
    const std::size_t o = host.model().object_count();
    host.add_object(crowded_mesh(data, static_cast<int>(o)));
    if (data.ConsumeBool()) make_inconsistent(data, host, o);
    for (std::uint32_t s = 0; s < host.model().object(o).surface_count(); ++s) {
      if (data.ConsumeIntegralInRange(0, 15) == 0) host.selection().select_surface(o, s);
    }
  }
}

void build(FuzzedDataProvider& data, standin::Host& host) {
  const int objects = data.ConsumeIntegralInRange(1, 4);
  for (int o = 0; o < objects; ++o) host.add_object(random_mesh(data, o));
  for (std::size_t o = 0; o < host.model().object_count(); ++o) {
    make_inconsistent(data, host, o);
    for (std::uint32_t s = 0; s < host.model().object(o).surface_count(); ++s) {
      if (data.ConsumeIntegralInRange(0, 7) == 0) host.selection().select_surface(o, s);
    }
    if (data.ConsumeIntegralInRange(0, 5) == 0) host.selection().select_vertex(o, 0);
  }
  // Up to ten extra seeds, so that a full batch of lookups can meet an empty or tiny table.
  for (int extra = data.ConsumeIntegralInRange(0, 10); extra > 0; --extra) {
    switch (data.ConsumeIntegralInRange(0, 2)) {
      case 0:
        host.faults().extra_whole_surfaces.push_back(nullptr);
        break;
      case 1:
        host.faults().extra_whole_surfaces.push_back(made_up_handle(data));
        break;
      default:
        host.faults().extra_whole_surfaces.push_back(any_surface(data, host));
        break;
    }
  }
  const int modes[] = {standin::kSurfaceMode, standin::kVertexMode, standin::kSurfaceMode,
                       standin::kObjectMode, standin::kEdgeMode};
  host.selection().set_mode(modes[data.ConsumeIntegralInRange(0, 4)]);
  // Decided last, so that inputs from before these existed still decode to the same model.
  if (data.ConsumeBool()) {
    const auto o = data.ConsumeIntegralInRange<std::size_t>(0, host.model().object_count() - 1);
    host.model().object(o).inconsistencies.reported_surface_count =
        std::numeric_limits<int>::max() - data.ConsumeIntegralInRange(0, 2);
  }
  add_crowded_objects(data, host);
}

// Whether the seeds' objects list more surfaces than they count, so that the command asks for a
// wider table than the first.
bool asks_for_a_wider_table(const std::vector<Surface>& seeds) {
  std::set<ModelObject> objects;
  for (Surface seed : seeds) {
    if (ModelObject owner = object_of_surface(seed)) objects.insert(owner);
  }
  std::int64_t counted = 0;
  std::int64_t listed = 0;
  for (ModelObject object : objects) {
    counted += std::max(0, vx_object_get_num_surfaces(object));
    for (const List* node = vx_object_get_surfacelist(object); node != nullptr; node = node->next) {
      ++listed;
    }
  }
  return listed > counted;
}

void check_result(standin::Host& host, const std::vector<Surface>& seeds) {
  const std::vector<std::string> problems = host.problems();
  require(problems.empty(), problems.empty() ? "" : problems.front());
  if (host.events().texts(standin::EventKind::kSelect).empty()) return;
  std::set<ModelObject> seed_objects;
  for (Surface seed : seeds) {
    if (host.model().owns_surface(seed) && !seed->owner->inconsistencies.disowned)
      seed_objects.insert(seed->owner);
  }
  const std::vector<Surface>& listed = host.selection().last_selected_list();
  const std::set<Surface> unique(listed.begin(), listed.end());
  require(unique.size() == listed.size(), "a surface is selected twice");
  for (Surface surface : listed) {
    require(seed_objects.count(surface->owner) != 0,
            "a surface of an object without seeds is selected");
  }
  // A seed beyond an object's reported count has a place in the table only when the wider
  // table could be had.
  if (failing_allocations::refused != 0 && asks_for_a_wider_table(seeds)) return;
  for (Surface seed : seeds) {
    if (!host.model().owns_surface(seed) || seed->owner->inconsistencies.disowned) continue;
    require(unique.count(seed) != 0, "a seed its object owns is not selected");
  }
}

// Left out of the comparison with the reference walk are runs where the modeller refused to join
// an edge list, and runs where the wider table may have been refused: a refused join leaves that
// object's edges out of the walk, and a refused wider table leaves out the surfaces listed beyond
// an object's count, both by design, with the answer then depending on which call failed. A
// refused append leaves that surface to be appended from another edge, which the reference walk
// does as well; a refused index or set of walked edges must not change the answer at all. Those
// runs are compared.
void check_against_reference(standin::Host& host, const std::vector<Surface>& seeds) {
  if (host.events().texts(standin::EventKind::kSelect).empty()) return;
  if (host.faults().list_appends_refused != 0) return;
  if (failing_allocations::refused != 0 && asks_for_a_wider_table(seeds)) return;
  std::vector<Surface> selected = host.selection().last_selected_list();
  std::sort(selected.begin(), selected.end());
  const auto appends = static_cast<std::size_t>(host.faults().list_add_items_seen);
  const reference::Walk expected =
      reference::walk_as_the_command_must(seeds, host.faults().refused_list_add_item);
  require(selected == expected.reached,
          "the selection is not the reference walk's: " + std::to_string(selected.size()) +
              " selected, " + std::to_string(expected.reached.size()) + " expected");
  require(appends == expected.appends, "the queue took " + std::to_string(appends) +
                                           " appends, the reference walk " +
                                           std::to_string(expected.appends));
  const std::vector<std::string> problems = host.problems();
  require(problems.empty(), problems.empty() ? "" : "reference: " + problems.front());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  standin::Host host(true);
  standin::ActiveHost active(host);
  build(data, host);
  const std::vector<Surface> seeds = reference::seeds_handed_over();
  host.faults().list_appends_left = data.ConsumeIntegralInRange(-1, 2);
  failing_allocations::reset();
  // Nothing larger than 64 MiB is granted, as on a small machine, so that an absurd surface
  // count fails as it would there.
  failing_allocations::largest = std::size_t{64} << 20;
  failing_allocations::left = data.ConsumeIntegralInRange(-1, 3);
  host.faults().refused_list_add_item = data.ConsumeIntegralInRange(-1, 40);
  adjsurf::select_connected_go();
  // Only the command's allocations may fail; libFuzzer's own, linked into this program, not.
  failing_allocations::allow_all();
  check_result(host, seeds);
  check_against_reference(host, seeds);
  return 0;
}
