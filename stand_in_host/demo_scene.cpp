#include "stand_in_host/demo_scene.h"

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
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) plane.add_vertex(2.0 + column, row, 0);
  }
  for (std::uint32_t row = 0; row < 2; ++row) {
    for (std::uint32_t column = 0; column < 2; ++column) {
      const std::uint32_t corner = row * 3 + column;
      plane.add_surface({corner, corner + 1, corner + 4, corner + 3});
    }
  }
  const std::uint32_t strip = plane.add_vertex(5.5, 0, 0);
  for (int k = 1; k < 6; ++k) plane.add_vertex(5.5 + (k % 3), k / 3, 0);
  plane.add_surface({strip, strip + 1, strip + 4, strip + 3});
  plane.add_surface({strip + 1, strip + 2, strip + 5, strip + 4});
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
  host.select_surface(0, 0);
  host.select_surface(1, 0);
  host.select_vertex(2, 4);
  host.set_select_mode(kSurfaceMode);
}

}  // namespace standin
