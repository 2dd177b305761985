// The geometry of one object as the stand-in host is given it: vertices, and surfaces as loops of
// vertex indices. This is the input to Host::add_object and what the model loaders produce.
#ifndef STAND_IN_HOST_MESH_H
#define STAND_IN_HOST_MESH_H

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
  void add_surface(std::initializer_list<std::uint32_t> loop);
  void add_surface(const std::vector<std::uint32_t>& loop);
};

}  // namespace standin

#endif  // STAND_IN_HOST_MESH_H
