// A peer of the command from the field's own libraries: CGAL's connected_component on a
// Surface_mesh, timed on the same models in the same run. Built only where CGAL is installed
// (Debian's libcgal-dev); the benchmark prints "n/a" for it elsewhere, and no test needs it.
#ifndef BENCHMARKS_CGAL_PEER_H
#define BENCHMARKS_CGAL_PEER_H

#include <cstddef>

#include "benchmarks/benchmark_models.h"

struct PeerFigures {
  bool measured = false;  // false: CGAL is not built in, or an object is not a manifold mesh
  double best_ms = 0;     // the connected_component calls only, best of the runs
  std::size_t selected = 0;
};

// Builds a Surface_mesh of each object (not timed), then times connected_component from each of
// its seeds not reached yet, best of `repeat` runs.
PeerFigures time_cgal_connected_component(const Model& model, int repeat);

#endif  // BENCHMARKS_CGAL_PEER_H
