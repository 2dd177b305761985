#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/checked_host_fixture.h"

namespace {

using standin::EventKind;

class SelectConnectedPreconditions : public testmodels::CheckedHostTest {
 protected:
  void SetUp() override { host_.add_object(standin::quad_grid("grid", 3, 3)); }

  // The run stopped at a dialog: nothing was called after it and nothing changed.
  void expect_stopped_with(const std::string& dialog) {
    EXPECT_EQ(host_.events().texts(EventKind::kDialog), std::vector<std::string>{dialog});
    EXPECT_EQ(host_.events().calls().back(), "windows_message_dialog");
    EXPECT_EQ(host_.events().entries().size(), 1u);
    EXPECT_TRUE(host_.selection().undo_steps().empty());
    expect_host_clean();
  }
};

TEST_F(SelectConnectedPreconditions, EmptySelectionReportsNothingSelectedWhateverTheMode) {
  for (int mode :
       {standin::kObjectMode, standin::kSurfaceMode, standin::kVertexMode, standin::kEdgeMode}) {
    host_.events().clear();
    host_.selection().set_mode(mode);
    run();
    expect_stopped_with("adjsurfaces : Nothing selected");
    EXPECT_EQ(host_.events().calls(),
              (std::vector<std::string>{"nothing_is_selected", "windows_message_dialog"}));
  }
}

TEST_F(SelectConnectedPreconditions, OtherSelectModesAreRefused) {
  host_.selection().select_surface(0, 4);
  // The stand-in's object and edge modes, and codes no modeller uses.
  for (int mode : std::initializer_list<int>{standin::kObjectMode, standin::kEdgeMode, 0, -1, 99}) {
    host_.events().clear();
    host_.selection().set_mode(mode);
    run();
    expect_stopped_with("adjsurfaces : Must be in Surface or Vertex mode");
    EXPECT_EQ(host_.selection().selected_surfaces(0), std::vector<std::uint32_t>{4});
  }
}

TEST_F(SelectConnectedPreconditions, LoneVerticesWithoutWholeSurfacesAreReported) {
  host_.selection().select_vertex(0, 5);
  for (int mode : {standin::kSurfaceMode, standin::kVertexMode}) {
    host_.events().clear();
    host_.selection().set_mode(mode);
    run();
    expect_stopped_with("adjsurf : no whole surfaces selected");
    EXPECT_TRUE(host_.selection().selected_surfaces(0).empty());
  }
}

TEST_F(SelectConnectedPreconditions, VertexModeRunsLikeSurfaceMode) {
  host_.selection().select_surface(0, 0);
  host_.selection().set_mode(standin::kVertexMode);
  run();
  EXPECT_EQ(host_.events().texts(EventKind::kMessage),
            std::vector<std::string>{"Selected 9 surfaces"});
  EXPECT_TRUE(host_.events().texts(EventKind::kDialog).empty());
  expect_host_clean();
}

}  // namespace
