// Edges with many users: a book of faces on one hinge, and the same polygons stacked on the same
// vertices. The walk appends each surface it reaches to its queue once and never a seed, so the
// modeller sees exactly one append per surface reached beyond the seeds.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "select_connected/select_connected.h"
#include "test_support/failing_allocations.h"
#include "tests/checked_host_fixture.h"

namespace {

using standin::EventKind;
using Indices = std::vector<std::uint32_t>;

Indices all_of(std::uint32_t count) {
  Indices all(count);
  for (std::uint32_t s = 0; s < count; ++s) all[s] = s;
  return all;
}

// `count` books of `pages` pages each, side by side in one object, sharing nothing.
standin::Mesh books_side_by_side(std::uint32_t count, std::uint32_t pages) {
  standin::Mesh mesh;
  mesh.name = "books";
  for (std::uint32_t b = 0; b < count; ++b) {
    const standin::Mesh book = standin::book("book", pages);
    const auto first = static_cast<std::uint32_t>(mesh.vertices.size());
    for (const standin::Vec3& v : book.vertices) mesh.add_vertex(v.x + 3.0 * b, v.y, v.z);
    for (std::uint32_t s = 0; s < book.surface_count(); ++s) {
      std::vector<std::uint32_t> loop;
      for (std::uint32_t k = book.loop_offsets[s]; k < book.loop_offsets[s + 1]; ++k) {
        loop.push_back(first + book.loop_vertices[k]);
      }
      mesh.add_surface(loop);
    }
  }
  return mesh;
}

class FloodFillSurfaces : public testmodels::CheckedHostTest {
 protected:
  // Runs the command from `seeds` of object 0 and checks that it selected every surface of it,
  // with one append per surface that was not a seed.
  void expect_all_reached_with_one_append_each(const Indices& seeds) {
    for (std::uint32_t s : seeds) host_.selection().select_surface(0, s);
    run();
    const std::uint32_t count = host_.model().object(0).surface_count();
    EXPECT_EQ(host_.selection().selected_surfaces(0), all_of(count));
    EXPECT_EQ(host_.events().texts(EventKind::kMessage),
              std::vector<std::string>{"Selected " + std::to_string(count) + " surfaces"});
    EXPECT_EQ(host_.statistics().appends(), count - seeds.size());
    expect_host_clean();
  }
};

TEST_F(FloodFillSurfaces, ABookAppendsEachPageOnceAndNoSeed) {
  host_.add_object(standin::book("book", 50));
  // Page 10 is a seed on the hinge that page 3, processed first, walks in full.
  expect_all_reached_with_one_append_each({3, 10});
}

TEST_F(FloodFillSurfaces, StackedCopiesAppendEachCopyOnce) {
  // Five copies of a six-triangle fan: spokes of ten users, rim edges of five.
  host_.add_object(standin::stacked_fans("fans", 6, 5));
  expect_all_reached_with_one_append_each({0, 6});
}

TEST_F(FloodFillSurfaces, AnEdgeOfThreeUsersIsWalkedFromEachOfThem) {
  // Three pages are not crowded: each page walks the hinge again, which finds nothing new.
  host_.add_object(standin::book("book", 3));
  expect_all_reached_with_one_append_each({1});
}

// A modeller that refuses one append (out of list nodes) leaves that page unqueued. The hinge is
// then not taken as walked, so the next page that walks it appends the page after all.
TEST_F(FloodFillSurfaces, APageWhoseAppendWasRefusedIsAppendedFromTheNextPage) {
  host_.add_object(standin::book("book", 6));
  host_.faults().refused_list_add_item = 0;
  host_.selection().select_surface(0, 0);
  run();
  EXPECT_EQ(host_.selection().selected_surfaces(0), all_of(6));
  EXPECT_EQ(host_.statistics().appends(), 5u);
  EXPECT_EQ(host_.faults().inconsistent_answers, 1);  // the one append was refused
  expect_host_clean();
}

// Edges of two or three users are walked again rather than remembered: looking them up would
// cost more. So the set of walked edges fills, and asks for memory beyond its own first table,
// only when edges of four users or more are walked: here 40 hinges, each of 3 or 4 pages.
TEST_F(FloodFillSurfaces, OnlyEdgesOfFourUsersOrMoreAreRemembered) {
  for (std::uint32_t pages : {3u, 4u}) {
    SCOPED_TRACE(pages);
    standin::Host host(true);
    standin::ActiveHost active(host);
    const standin::Mesh books = books_side_by_side(40, pages);
    host.add_object(books);
    for (std::uint32_t s = 0; s < books.surface_count(); ++s) host.selection().select_surface(0, s);
    failing_allocations::reset();
    adjsurf::select_connected_go();
    // The table and its index; then a larger table for the walked edges.
    EXPECT_EQ(failing_allocations::asked, pages < 4 ? 2 : 3);
    EXPECT_EQ(host.selection().selected_surfaces(0), all_of(books.surface_count()));
  }
}

}  // namespace
