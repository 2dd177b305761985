// The generated models the benchmark runs the command on: single models of set sizes, and
// families, each a shape made at two sizes ten times apart, so that the growth of the time per
// surface shows whether some loop runs k^2 times on that shape.
#ifndef BENCHMARKS_BENCHMARK_MODELS_H
#define BENCHMARKS_BENCHMARK_MODELS_H

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "mesh/mesh.h"
#include "modeller/host_state.h"

// The address order of an object's surface records, which is the order the table is sorted by.
enum class HandleOrder {
  kFileOrder,  // records in file order: the table arrives as ascending runs
  kShuffled,   // random
  kOrganPipe,  // every other slot rising, then the rest falling (reference::organ_pipe_slots)
  kMiddlePivotWorst,  // a middle-pivot quicksort's worst case
};

// The flood the command is measured against: the fastest honest method for the shape.
enum class Yardstick {
  kThroughVertices,  // ordinary models: neighbours found around each vertex
  kThroughEdges,     // shapes that crowd an edge or a vertex: loop steps grouped into edges
};

// What the modeller or the C library refuses the command in every run.
enum class Refusal {
  kNothing,
  kFirstAppend,     // the first list_add_item call leaves the queue as it was
  kCallocOfTheWalk  // every calloc while the command runs: the lookup memo, the walked edges
};

struct Model {
  std::string name;
  std::vector<standin::Mesh> meshes;
  std::vector<std::vector<std::uint32_t>> seeds;  // per mesh
  HandleOrder order = HandleOrder::kFileOrder;
  Yardstick yardstick = Yardstick::kThroughVertices;
  Refusal refusal = Refusal::kNothing;
};

// A model not made yet: its name, and how to make it.
struct ModelRecipe {
  std::string name;
  bool measures_speed_layers;  // one of the models the speed layers are judged on
  std::function<Model()> make;
};

// The model's yardstick flood: per mesh, 1 for each surface it reaches from the mesh's seeds.
std::vector<std::vector<std::uint8_t>> yardstick_flood(const Model& model);

// A shape at a given size; the size counts what the family's unit names.
struct Family {
  std::string name;
  std::string unit;          // what the size counts: pages, copies, objects, ...
  std::uint32_t small_size;  // the large size is ten times this
  std::function<Model(std::uint32_t size)> make;
  Refusal refusal = Refusal::kNothing;  // what the models it makes refuse the command
};

// The single models: grids of 10k to 2M quads, shuffled handles, rings, a strip and many
// objects wholly selected. quick: a tenth of the size where it is large, and no 2M grid.
std::vector<ModelRecipe> model_recipes(bool quick);

// The families: a book, also with its first append refused, stacked fans, also with the walk's
// calloc refused, a stacked grid, many one-seed objects, a huge polygon ringed by quads, and
// grids in organ-pipe and worst-case handle order. quick: smaller sizes, for the test suite.
std::vector<Family> make_families(bool quick);

// A grid of `surfaces` quads (rounded to whole rows of 1000, or one row when fewer), seeded at
// its first surface: the yardstick a family's large size is compared with.
Model grid_of(std::uint32_t surfaces);

// Adds the model's objects to `host` (which works out their edges, as a modeller keeps them with
// the model, so that they are not part of the command's time) and selects the seeds.
void build_scene(standin::Host& host, const Model& model);

#endif  // BENCHMARKS_BENCHMARK_MODELS_H
