#include "mesh/mesh_generators.h"

#include <cmath>
#include <vector>

namespace standin {

Mesh quad_grid(const std::string& name, std::uint32_t columns, std::uint32_t rows) {
  Mesh mesh;
  mesh.name = name;
  mesh.vertices.reserve(std::size_t{columns + 1} * (rows + 1));
  mesh.loop_vertices.reserve(std::size_t{4} * columns * rows);
  mesh.loop_offsets.reserve(std::size_t{columns} * rows + 1);
  for (std::uint32_t y = 0; y <= rows; ++y) {
    for (std::uint32_t x = 0; x <= columns; ++x) mesh.add_vertex(x, y, 0);
  }
  for (std::uint32_t y = 0; y < rows; ++y) {
    for (std::uint32_t x = 0; x < columns; ++x) {
      const std::uint32_t corner = y * (columns + 1) + x;
      mesh.add_surface({corner, corner + 1, corner + columns + 2, corner + columns + 1});
    }
  }
  return mesh;
}

Mesh ringed_polygon(const std::string& name, std::uint32_t sides, std::uint32_t rings) {
  Mesh mesh;
  mesh.name = name;
  const double step = 2 * 3.14159265358979323846 / sides;
  for (std::uint32_t ring = 0; ring <= rings; ++ring) {
    for (std::uint32_t k = 0; k < sides; ++k) {
      mesh.add_vertex((1.0 + ring) * std::cos(k * step), (1.0 + ring) * std::sin(k * step), 0);
    }
  }
  std::vector<std::uint32_t> polygon(sides);
  for (std::uint32_t k = 0; k < sides; ++k) polygon[k] = k;
  mesh.add_surface(polygon);
  for (std::uint32_t ring = 0; ring < rings; ++ring) {
    const std::uint32_t inner = ring * sides;
    const std::uint32_t outer = inner + sides;
    for (std::uint32_t k = 0; k < sides; ++k) {
      const std::uint32_t next = (k + 1) % sides;
      mesh.add_surface({inner + k, outer + k, outer + next, inner + next});
    }
  }
  return mesh;
}

Mesh book(const std::string& name, std::uint32_t pages) {
  Mesh mesh;
  mesh.name = name;
  const std::uint32_t hinge_low = mesh.add_vertex(0, 0, 0);
  const std::uint32_t hinge_high = mesh.add_vertex(0, 0, 1);
  const double step = 3.14159265358979323846 / pages;
  for (std::uint32_t page = 0; page < pages; ++page) {
    const double x = std::cos(page * step);
    const double y = std::sin(page * step);
    const std::uint32_t top = mesh.add_vertex(x, y, 1);
    const std::uint32_t bottom = mesh.add_vertex(x, y, 0);
    mesh.add_surface({hinge_low, hinge_high, top, bottom});
  }
  return mesh;
}

Mesh stacked_fans(const std::string& name, std::uint32_t triangles, std::uint32_t copies) {
  Mesh mesh;
  mesh.name = name;
  const std::uint32_t centre = mesh.add_vertex(0, 0, 0);
  const double step = 3.14159265358979323846 / triangles;
  for (std::uint32_t k = 0; k <= triangles; ++k) {
    mesh.add_vertex(std::cos(k * step), std::sin(k * step), 0);
  }
  for (std::uint32_t copy = 0; copy < copies; ++copy) {
    for (std::uint32_t k = 0; k < triangles; ++k) mesh.add_surface({centre, k + 1, k + 2});
  }
  return mesh;
}

Mesh stacked(const Mesh& mesh, std::uint32_t copies) {
  Mesh result;
  result.name = mesh.name;
  result.vertices = mesh.vertices;
  for (std::uint32_t copy = 0; copy < copies; ++copy) {
    for (std::uint32_t s = 0; s < mesh.surface_count(); ++s) {
      result.add_surface(
          std::vector<std::uint32_t>(mesh.loop_vertices.begin() + mesh.loop_offsets[s],
                                     mesh.loop_vertices.begin() + mesh.loop_offsets[s + 1]));
    }
  }
  return result;
}

void append_part(Mesh& mesh, const Mesh& part, const Vec3& offset) {
  const auto first = static_cast<std::uint32_t>(mesh.vertices.size());
  for (const Vec3& p : part.vertices)
    mesh.add_vertex(p.x + offset.x, p.y + offset.y, p.z + offset.z);
  for (std::uint32_t s = 0; s < part.surface_count(); ++s) {
    std::vector<std::uint32_t> loop(part.loop_vertices.begin() + part.loop_offsets[s],
                                    part.loop_vertices.begin() + part.loop_offsets[s + 1]);
    for (std::uint32_t& v : loop) v += first;
    mesh.add_surface(loop);
  }
}

}  // namespace standin
