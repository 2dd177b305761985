#include "benchmarks/benchmark_models.h"

#include <numeric>
#include <random>
#include <utility>

#include "benchmarks/linear_floods.h"
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

std::string grid_name(const std::string& kind, std::uint32_t columns, std::uint32_t rows,
                      HandleOrder order) {
  return kind + " " + short_count(std::uint64_t{columns} * rows) + order_suffix(order);
}

Model grid(const std::string& kind, std::uint32_t columns, std::uint32_t rows,
           HandleOrder order = HandleOrder::kFileOrder) {
  return single(grid_name(kind, columns, rows, order), standin::quad_grid(kind, columns, rows), {0},
                order);
}

ModelRecipe grid_recipe(const std::string& kind, std::uint32_t columns, std::uint32_t rows,
                        HandleOrder order = HandleOrder::kFileOrder) {
  return {grid_name(kind, columns, rows, order), false,
          [=] { return grid(kind, columns, rows, order); }};
}

std::string wholly_selected_objects_name(std::uint32_t objects, std::uint32_t side) {
  return "objects " + std::to_string(objects) + " x " + std::to_string(side * side) +
         ", all selected";
}

Model wholly_selected_objects(std::uint32_t objects, std::uint32_t side) {
  Model model;
  model.name = wholly_selected_objects_name(objects, side);
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

// A model the speed layers are judged on: the ordinary models of a million surfaces, in each
// handle order and shape, and the many objects.
ModelRecipe judging_layers(ModelRecipe recipe) {
  recipe.measures_speed_layers = true;
  return recipe;
}

}  // namespace

std::vector<ModelRecipe> model_recipes(bool quick) {
  const std::uint32_t scale = quick ? 10 : 1;
  const std::uint32_t rings = 1000 / scale;
  std::vector<ModelRecipe> recipes = {grid_recipe("grid", 100, 100), grid_recipe("grid", 400, 250),
                                      judging_layers(grid_recipe("grid", 1000, 1000 / scale))};
  if (!quick) recipes.push_back(grid_recipe("grid", 2000, 1000));
  recipes.push_back(
      judging_layers(grid_recipe("grid", 1000, 1000 / scale, HandleOrder::kShuffled)));
  recipes.push_back(judging_layers({"rings 1000 x " + std::to_string(rings), false, [rings] {
                                      return single("rings 1000 x " + std::to_string(rings),
                                                    standin::ringed_polygon("rings", 1000, rings),
                                                    {0});
                                    }}));
  recipes.push_back(judging_layers(grid_recipe("strip", 1000000 / scale, 1)));
  recipes.push_back(
      judging_layers({wholly_selected_objects_name(10000 / scale, 10), false,
                      [scale] { return wholly_selected_objects(10000 / scale, 10); }}));
  return recipes;
}

std::vector<Family> make_families(bool quick) {
  constexpr std::uint32_t kFanTriangles = 998;
  std::vector<Family> families;
  const auto book = [](std::uint32_t pages) {
    return single("book " + short_count(pages), standin::book("book", pages), {0});
  };
  const auto fans = [](std::uint32_t copies) {
    return single("fans x " + std::to_string(copies),
                  standin::stacked_fans("fans", kFanTriangles, copies), {0});
  };
  const std::uint32_t pages = quick ? 1000u : 3000u;
  const std::uint32_t copies = quick ? 3u : 30u;
  families.push_back({"book of quads on one edge", "pages", pages, book});
  families.push_back(
      {"book, its first append refused", "pages", pages, book, Refusal::kFirstAppend});
  families.push_back({"998-triangle fans stacked", "copies", copies, fans});
  families.push_back({"stacked fans, the walk's calloc refused", "copies", copies, fans,
                      Refusal::kCallocOfTheWalk});
  // Crowded edges in proportion to the model: the set of walked edges grows with it.
  families.push_back(
      {"grid stacked 4 times", "quads a copy", quick ? 2500u : 10000u, [](std::uint32_t quads) {
         return single("grid " + short_count(quads) + " x 4",
                       standin::stacked(standin::quad_grid("grid", 100, quads / 100), 4), {0});
       }});
  families.push_back(
      // (The same sizes when quick: below about 10,000 objects the modeller's own records still
      // fit the processor's caches, which alone makes the time per surface grow 3 times.)
      {"objects with one seed each", "objects", 10000u, one_seed_objects});
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
  // Every family is measured against the flood that stays linear on a crowded edge.
  for (Family& family : families) {
    family.make = [make = std::move(family.make), refusal = family.refusal](std::uint32_t size) {
      Model model = make(size);
      model.yardstick = Yardstick::kThroughEdges;
      model.refusal = refusal;
      return model;
    };
  }
  return families;
}

std::vector<std::vector<std::uint8_t>> yardstick_flood(const Model& model) {
  std::vector<std::vector<std::uint8_t>> reached;
  for (std::size_t o = 0; o < model.meshes.size(); ++o) {
    reached.push_back(model.yardstick == Yardstick::kThroughVertices
                          ? flood_through_vertices(model.meshes[o], model.seeds[o])
                          : flood_through_edges(model.meshes[o], model.seeds[o]));
  }
  return reached;
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
