// The geometry of one object as the stand-in host is given it: vertices, and surfaces as loops of
// vertex indices. This is the input to Host::add_object and what the model loaders produce.
#ifndef MESH_MESH_H
#define MESH_MESH_H

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace standin {

struct Vec3 {
  double x = 0;
  double y = 0;
  double z = 0;
};

struct Mesh {
  std::string name;
  std::vector<Vec3> vertices;
  // Surface s is the loop loop_vertices[loop_offsets[s] .. loop_offsets[s + 1]).
  std::vector<std::uint32_t> loop_offsets{0};
  std::vector<std::uint32_t> loop_vertices;

  std::uint32_t surface_count() const {
    return static_cast<std::uint32_t>(loop_offsets.size() - 1);
  }
  std::uint32_t add_vertex(double x, double y, double z);

  // Calls step(a, b) for each step of surface s's loop from one vertex to a different one,
  // closing the loop: these are the surface's edges (a step to the same vertex is none).
  template <typename Step>
  void for_each_edge_step(std::uint32_t s, Step step) const {
    const std::uint32_t begin = loop_offsets[s];
    const std::uint32_t end = loop_offsets[s + 1];
    for (std::uint32_t k = begin; k < end; ++k) {
      const std::uint32_t a = loop_vertices[k];
      const std::uint32_t b = loop_vertices[k + 1 < end ? k + 1 : begin];
      if (a != b) step(a, b);
    }
  }
  void add_surface(std::initializer_list<std::uint32_t> loop);
  void add_surface(const std::vector<std::uint32_t>& loop);
};

}  // namespace standin

#endif  // MESH_MESH_H
