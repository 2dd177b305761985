#include "vexo_sim/demo_scene.h"

#include "mesh/mesh_generators.h"

namespace standin {
namespace {

Mesh make_box() {
  Mesh box;
  box.name = "box";
  for (int k = 0; k < 8; ++k) box.add_vertex(k & 1, (k >> 1) & 1, (k >> 2) & 1);
  box.add_surface({0, 2, 3, 1});  // bottom
  box.add_surface({4, 5, 7, 6});  // top
  box.add_surface({0, 1, 5, 4});  // front
  box.add_surface({2, 6, 7, 3});  // back
  box.add_surface({0, 4, 6, 2});  // left
  box.add_surface({1, 3, 7, 5});  // right
  return box;
}

// A 2 x 2 grid of quads, and apart from it a strip of two quads with vertices of its own.
Mesh make_two_piece_plane() {
  Mesh plane;
  plane.name = "plane";
  append_part(plane, quad_grid("", 2, 2), Vec3{2, 0, 0});
  append_part(plane, quad_grid("", 2, 1), Vec3{5.5, 0, 0});
  return plane;
}

// A gabled roof whose base lies exactly on the box's top face, with vertices of its own.
Mesh make_roof() {
  Mesh roof;
  roof.name = "roof";
  roof.add_vertex(0, 0, 1);
  roof.add_vertex(1, 0, 1);
  roof.add_vertex(1, 1, 1);
  roof.add_vertex(0, 1, 1);
  roof.add_vertex(0, 0.5, 1.6);
  roof.add_vertex(1, 0.5, 1.6);
  roof.add_surface({0, 3, 2, 1});  // base
  roof.add_surface({0, 1, 5, 4});  // front slope
  roof.add_surface({2, 3, 4, 5});  // back slope
  roof.add_surface({0, 4, 3});     // left gable
  roof.add_surface({1, 2, 5});     // right gable
  return roof;
}

}  // namespace

void build_demo_scene(Host& host) {
  host.add_object(make_box());
  host.add_object(make_two_piece_plane());
  host.add_object(make_roof());
  host.selection().select_surface(0, 0);
  host.selection().select_surface(1, 0);
  host.selection().select_vertex(2, 4);
  host.selection().set_mode(kSurfaceMode);
}

}  // namespace standin
