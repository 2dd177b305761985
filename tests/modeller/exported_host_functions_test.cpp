// The functions the stand-in modeller exports to plug-ins: its lists, its edge lists, its command
// texts, and what checked mode catches.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/checked_host_fixture.h"

namespace {

class ExportedHostFunctions : public testmodels::CheckedHostTest {};

TEST_F(ExportedHostFunctions, ListAddItemWalksToTheTailFromTheNodeGiven) {
  List* list = nullptr;
  for (std::uintptr_t k = 1; k <= 4; ++k) list_add_item(&list, reinterpret_cast<void*>(k));
  EXPECT_EQ(host_.statistics().append_hops(), 0u + 0u + 1u + 2u);
  List* third = list->next->next;
  list_add_item(&third, reinterpret_cast<void*>(5));
  EXPECT_EQ(third, list->next->next);  // the variable changes only for an empty list
  std::vector<std::uintptr_t> items;
  for (List* node = list; node; node = node->next) {
    items.push_back(reinterpret_cast<std::uintptr_t>(node->item));
  }
  EXPECT_EQ(items, (std::vector<std::uintptr_t>{1, 2, 3, 4, 5}));
  list_free(&list);
  EXPECT_EQ(list, nullptr);
  expect_host_clean();
}

// The host answers list_add_item_unique from what it learnt of the list last time; the answer
// must stay the list's own when the list grows by other calls, is freed and built again from
// reused nodes, or is another list.
TEST_F(ExportedHostFunctions, ListAddItemUniqueAnswersForTheListAsItIsNow) {
  standin::Host unchecked;  // reuses freed nodes, as checked mode does not
  standin::ActiveHost active(unchecked);
  const auto item = [](std::uintptr_t k) { return reinterpret_cast<void*>(k); };
  const auto items_of = [](const List* list) {
    std::vector<std::uintptr_t> items;
    for (; list != nullptr; list = list->next) {
      items.push_back(reinterpret_cast<std::uintptr_t>(list->item));
    }
    return items;
  };
  List* list = nullptr;
  for (std::uintptr_t k : {1, 2, 1, 3, 2}) list_add_item_unique(&list, item(k));
  EXPECT_EQ(items_of(list), (std::vector<std::uintptr_t>{1, 2, 3}));
  list_add_item(&list, item(4));  // grown behind the index's back
  for (std::uintptr_t k : {4, 5, 3}) list_add_item_unique(&list, item(k));
  EXPECT_EQ(items_of(list), (std::vector<std::uintptr_t>{1, 2, 3, 4, 5}));

  List* other = nullptr;
  for (std::uintptr_t k : {5, 6}) list_add_item_unique(&other, item(k));
  list_add_item_unique(&list, item(6));
  EXPECT_EQ(items_of(list), (std::vector<std::uintptr_t>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(items_of(other), (std::vector<std::uintptr_t>{5, 6}));

  // Freed, and built again from the same first node with other items.
  list_free(&list);
  list_free(&other);
  list_add_item_unique(&list, item(1));
  list_add_item_unique(&list, item(1));
  list_free(&list);
  for (std::uintptr_t k : {7, 1, 7}) list_add_item_unique(&list, item(k));
  EXPECT_EQ(items_of(list), (std::vector<std::uintptr_t>{7, 1}));
  list_free(&list);
}

TEST_F(ExportedHostFunctions, CheckedModeReportsLeaksDoubleFreesAndFreesOfLentLists) {
  host_.add_object(standin::quad_grid("g", 2, 2));
  host_.selection().select_surface(0, 1);
  List* seeds = vx_selection_get_whole_surfaces_all();
  List* copy = seeds;
  EXPECT_FALSE(host_.problems().empty());  // not freed yet
  list_free(&seeds);
  list_free(&copy);
  List* lent = vx_object_get_surfacelist(object_of_surface(host_.model().surface(0, 0)));
  list_free(&lent);
  List* edges = vx_object_get_edges(&host_.model().object(0));
  const std::vector<std::string> problems = host_.problems();
  ASSERT_EQ(problems.size(), 4u) << ::testing::PrintToString(problems);
  EXPECT_NE(problems[0].find("twice"), std::string::npos);
  EXPECT_NE(problems[1].find("only lent"), std::string::npos);
  EXPECT_EQ(problems[2], "12 list nodes handed to the caller were never freed");
  EXPECT_EQ(problems[3], "object 'g': 1 edge lists were never freed");
  vx_edgelist_free(&edges);
  EXPECT_EQ(host_.problems().size(), 2u);
}

TEST_F(ExportedHostFunctions, EdgesOfASurfaceAreExactlyTheEdgesItUses) {
  host_.add_object(standin::quad_grid("g", 3, 1));
  List* edges = vx_object_get_edges(&host_.model().object(0));
  List* of_middle = vx_edgelist_get_by_surface(edges, host_.model().surface(0, 1));
  int count = 0;
  for (List* node = of_middle; node; node = node->next, ++count) {
    const Edge* edge = static_cast<const Edge*>(node->item);
    bool uses_middle = false;
    for (List* user = edge->surfaces; user; user = user->next) {
      uses_middle = uses_middle || user->item == host_.model().surface(0, 1);
    }
    EXPECT_TRUE(uses_middle);
  }
  EXPECT_EQ(count, 4);
  EXPECT_EQ(vx_edgelist_get_by_surface(nullptr, host_.model().surface(0, 1)), nullptr);
  vx_edgelist_free(&edges);
  expect_host_clean();
}

TEST_F(ExportedHostFunctions, CommandTextsAndMenuLabelsAreCheckedBeforeRunning) {
  EXPECT_NE(host_.run_command_text("kwtadjsurf_go").find("not a host command text"),
            std::string::npos);
  EXPECT_NE(host_.run_command_text("vexo nothing_here").find("unknown command"), std::string::npos);
  EXPECT_NE(host_.pick_menu_item("Nope").find("no item 'Nope'"), std::string::npos);
}

}  // namespace
