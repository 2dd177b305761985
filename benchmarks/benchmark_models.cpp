#include "benchmarks/benchmark_models.h"

#include <numeric>
#include <random>
#include <utility>

#include "mesh/mesh_generators.h"
#include "test_support/reference_models.h"

namespace {

// "10k", "1M", "2M" for round surface counts.
std::string short_count(std::uint64_t count) {
  if (count % 1000000 == 0) return std::to_string(count / 1000000) + "M";
  if (count % 1000 == 0) return std::to_string(count / 1000) + "k";
  return std::to_string(count);
}

Model single(const std::string& name, standin::Mesh mesh, std::vector<std::uint32_t> seeds,
             HandleOrder order = HandleOrder::kFileOrder) {
  Model model;
  model.name = name;
  model.meshes.push_back(std::move(mesh));
  model.seeds.push_back(std::move(seeds));
  model.order = order;
  return model;
}

const char* order_suffix(HandleOrder order) {
  switch (order) {
    case HandleOrder::kShuffled:
      return ", shuffled handles";
    case HandleOrder::kOrganPipe:
      return ", organ-pipe handles";
    case HandleOrder::kMiddlePivotWorst:
      return ", worst-case handles";
    default:
      return "";
  }
}

Model grid(const std::string& kind, std::uint32_t columns, std::uint32_t rows,
           HandleOrder order = HandleOrder::kFileOrder) {
  return single(kind + " " + short_count(std::uint64_t{columns} * rows) + order_suffix(order),
                standin::quad_grid(kind, columns, rows), {0}, order);
}

Model wholly_selected_objects(std::uint32_t objects, std::uint32_t side) {
  Model model;
  model.name =
      "objects " + std::to_string(objects) + " x " + std::to_string(side * side) + ", all selected";
  for (std::uint32_t o = 0; o < objects; ++o) {
    model.meshes.push_back(standin::quad_grid("object" + std::to_string(o), side, side));
    std::vector<std::uint32_t> all(side * side);
    std::iota(all.begin(), all.end(), 0);
    model.seeds.push_back(std::move(all));
  }
  return model;
}

// Objects of 2 x 2 quads, each with its first surface seeded.
Model one_seed_objects(std::uint32_t objects) {
  Model model;
  model.name = "objects " + short_count(objects) + " x 4, one seed each";
  for (std::uint32_t o = 0; o < objects; ++o) {
    model.meshes.push_back(standin::quad_grid("object" + std::to_string(o), 2, 2));
    model.seeds.push_back({0});
  }
  return model;
}

std::vector<std::uint32_t> slots_in(HandleOrder order, std::uint32_t count) {
  switch (order) {
    case HandleOrder::kShuffled: {
      std::mt19937 random(42);
      return reference::shuffled_slots(random, count);
    }
    case HandleOrder::kOrganPipe:
      return reference::organ_pipe_slots(count);
    case HandleOrder::kMiddlePivotWorst:
      return reference::middle_pivot_worst_case_slots(count);
    default: {
      std::vector<std::uint32_t> slots(count);
      std::iota(slots.begin(), slots.end(), 0);
      return slots;
    }
  }
}

}  // namespace

std::vector<Model> make_models(bool quick) {
  std::vector<Model> models;
  const std::uint32_t scale = quick ? 10 : 1;
  models.push_back(grid("grid", 100, 100));
  models.push_back(grid("grid", 400, 250));
  models.push_back(grid("grid", 1000, 1000 / scale));
  if (!quick) models.push_back(grid("grid", 2000, 1000));
  models.push_back(grid("grid", 1000, 1000 / scale, HandleOrder::kShuffled));
  models.push_back(single("rings 1000 x " + std::to_string(1000 / scale),
                          standin::ringed_polygon("rings", 1000, 1000 / scale), {0}));
  models.push_back(grid("strip", 1000000 / scale, 1));
  models.push_back(wholly_selected_objects(10000 / scale, 10));
  return models;
}

std::vector<Family> make_families(bool quick) {
  constexpr std::uint32_t kFanTriangles = 998;
  std::vector<Family> families;
  families.push_back(
      {"book of quads on one edge", "pages", quick ? 1000u : 3000u, [](std::uint32_t pages) {
         return single("book " + short_count(pages), standin::book("book", pages), {0});
       }});
  families.push_back(
      {"998-triangle fans stacked", "copies", quick ? 3u : 30u, [](std::uint32_t copies) {
         return single("fans x " + std::to_string(copies),
                       standin::stacked_fans("fans", kFanTriangles, copies), {0});
       }});
  // Crowded edges in proportion to the model: the set of walked edges grows with it.
  families.push_back(
      {"grid stacked 4 times", "quads a copy", quick ? 2500u : 10000u, [](std::uint32_t quads) {
         return single("grid " + short_count(quads) + " x 4",
                       standin::stacked(standin::quad_grid("grid", 100, quads / 100), 4), {0});
       }});
  families.push_back(
      {"objects with one seed each", "objects", quick ? 3000u : 10000u, one_seed_objects});
  families.push_back(
      {"polygon ringed by quads", "corners", quick ? 3000u : 10000u, [](std::uint32_t corners) {
         return single("polygon of " + short_count(corners) + " corners",
                       standin::ringed_polygon("polygon", corners, 1), {1});
       }});
  for (HandleOrder order : {HandleOrder::kOrganPipe, HandleOrder::kMiddlePivotWorst}) {
    families.push_back(
        {std::string("grid") + order_suffix(order), "surfaces", quick ? 10000u : 100000u,
         [order](std::uint32_t surfaces) { return grid("grid", 1000, surfaces / 1000, order); }});
  }
  return families;
}

Model grid_of(std::uint32_t surfaces) {
  std::uint32_t columns = surfaces < 1000 ? surfaces : 1000;
  while (columns > 1 && surfaces % columns != 0) --columns;
  return grid("grid", columns, surfaces / columns);
}

void build_scene(standin::Host& host, const Model& model) {
  for (std::size_t o = 0; o < model.meshes.size(); ++o) {
    const standin::Mesh& mesh = model.meshes[o];
    if (model.order == HandleOrder::kFileOrder) {
      host.add_object(mesh);
    } else {
      const auto slots = slots_in(model.order, mesh.surface_count());
      host.add_object(mesh, &slots);
    }
    for (std::uint32_t s : model.seeds[o]) host.selection().select_surface(o, s);
  }
}
