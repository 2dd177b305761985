#include "benchmarks/cgal_peer.h"

#ifdef VEXO_WITH_CGAL

#include <CGAL/Polygon_mesh_processing/connected_components.h>
#include <CGAL/Simple_cartesian.h>
#include <CGAL/Surface_mesh.h>

#include <algorithm>
#include <chrono>
#include <iterator>
#include <optional>
#include <vector>

namespace {

using Point = CGAL::Simple_cartesian<double>::Point_3;
using SurfaceMesh = CGAL::Surface_mesh<Point>;
using Face = SurfaceMesh::Face_index;

// The object as a Surface_mesh, face i for surface i; nothing when CGAL refuses a face (an edge
// of more than two faces, or two faces stepping one edge the same way).
std::optional<SurfaceMesh> surface_mesh_of(const standin::Mesh& mesh) {
  SurfaceMesh result;
  std::vector<SurfaceMesh::Vertex_index> vertices;
  vertices.reserve(mesh.vertices.size());
  for (const standin::Vec3& v : mesh.vertices)
    vertices.push_back(result.add_vertex(Point(v.x, v.y, v.z)));
  std::vector<SurfaceMesh::Vertex_index> loop;
  for (std::uint32_t s = 0; s < mesh.surface_count(); ++s) {
    loop.clear();
    for (std::uint32_t k = mesh.loop_offsets[s]; k < mesh.loop_offsets[s + 1]; ++k) {
      loop.push_back(vertices[mesh.loop_vertices[k]]);
    }
    if (result.add_face(loop) == SurfaceMesh::null_face()) return std::nullopt;
  }
  return result;
}

// One run over every object: the faces reached from its seeds.
std::size_t connected_from_seeds(const std::vector<SurfaceMesh>& meshes, const Model& model) {
  std::size_t selected = 0;
  std::vector<Face> component;
  for (std::size_t o = 0; o < meshes.size(); ++o) {
    std::vector<bool> reached(meshes[o].number_of_faces(), false);
    for (std::uint32_t seed : model.seeds[o]) {
      if (reached[seed]) continue;
      component.clear();
      CGAL::Polygon_mesh_processing::connected_component(Face(seed), meshes[o],
                                                         std::back_inserter(component));
      for (Face face : component) reached[face] = true;
      selected += component.size();
    }
  }
  return selected;
}

}  // namespace

PeerFigures time_cgal_connected_component(const Model& model, int repeat) {
  PeerFigures figures;
  std::vector<SurfaceMesh> meshes;
  for (const standin::Mesh& mesh : model.meshes) {
    std::optional<SurfaceMesh> built = surface_mesh_of(mesh);
    if (!built) return figures;
    meshes.push_back(std::move(*built));
  }
  figures.best_ms = 1e300;
  for (int round = 0; round < repeat; ++round) {
    const auto start = std::chrono::steady_clock::now();
    figures.selected = connected_from_seeds(meshes, model);
    const std::chrono::duration<double, std::milli> spent =
        std::chrono::steady_clock::now() - start;
    figures.best_ms = std::min(figures.best_ms, spent.count());
  }
  figures.measured = true;
  return figures;
}

#else

PeerFigures time_cgal_connected_component(const Model&, int) {
  return PeerFigures{};
}

#endif
