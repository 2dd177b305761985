#include "mesh/mesh.h"

namespace standin {

std::uint32_t Mesh::add_vertex(double x, double y, double z) {
  vertices.push_back(Vec3{x, y, z});
  return static_cast<std::uint32_t>(vertices.size() - 1);
}

void Mesh::add_surface(std::initializer_list<std::uint32_t> loop) {
  loop_vertices.insert(loop_vertices.end(), loop.begin(), loop.end());
  loop_offsets.push_back(static_cast<std::uint32_t>(loop_vertices.size()));
}

void Mesh::add_surface(const std::vector<std::uint32_t>& loop) {
  loop_vertices.insert(loop_vertices.end(), loop.begin(), loop.end());
  loop_offsets.push_back(static_cast<std::uint32_t>(loop_vertices.size()));
}

}  // namespace standin
