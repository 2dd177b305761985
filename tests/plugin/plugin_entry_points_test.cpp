// The built plug-in library's entry points, loaded by path as the modeller loads it.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstring>
#include <memory>
#include <string>

#include "plugin_loader/plugin_loader.h"
#include "tests/checked_host_fixture.h"
#include "vexo_sim/demo_scene.h"

namespace {

using standin::EventKind;

class PluginEntryPoints : public testmodels::CheckedHostTest {
 protected:
  std::unique_ptr<standin::LoadedPlugin> load() {
    std::string error;
    auto plugin = standin::load_plugin(ADJSURF_PATH, &error);
    EXPECT_TRUE(plugin) << error;
    return plugin;
  }
};

TEST_F(PluginEntryPoints, AboutAndInfoAreTheExactTexts) {
  auto plugin = load();
  ASSERT_TRUE(plugin);
  const standin::PluginEntryPoints& entry = plugin->entry_points();
  EXPECT_STREQ(entry.VexoPluginAbout(), "Select Connected Surfaces - version 1.0 - Quillmar");
  EXPECT_STREQ(entry.VexoPluginInfo(),
               "Select Connected Surfaces - Quillmar - Select surfaces connected to the currently "
               "selected surfaces by shared edges.");
}

TEST_F(PluginEntryPoints, InitAddsTheCommandAndMenuItemOnce) {
  auto plugin = load();  // the loader calls VexoPluginInit once
  ASSERT_TRUE(plugin);
  EXPECT_EQ(plugin->entry_points().VexoPluginInit(), 0);
  // A modeller may pass an argument; the entry point does not read it.
  // (Through void (*)(), the generic function pointer type, as a loader would hold it.)
  auto init_with_argument = reinterpret_cast<int(VEXO_CDECL*)(void*)>(
      reinterpret_cast<void (*)()>(plugin->entry_points().VexoPluginInit));
  EXPECT_EQ(init_with_argument(&host_), 0);
  EXPECT_EQ(host_.commands().command_count(), 1u);
  ASSERT_EQ(host_.commands().tools_menu().size(), 1u);
  const standin::MenuItem& item = host_.commands().tools_menu()[0];
  EXPECT_EQ(item.label, "Select connected surfaces");
  EXPECT_EQ(item.command, "vexo kwtadjsurf_go");
  EXPECT_EQ(item.description,
            "Select surfaces connected to the currently selected surfaces by shared edges");
  EXPECT_EQ(calls_after("vx_add_command"), std::vector<std::string>{"vx_add_tools_menu_item"});
}

TEST_F(PluginEntryPoints, ExitBeforeInitChangesNothingAndExitKeepsTheCommand) {
  void* library = dlopen(ADJSURF_PATH, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  auto exit_plugin = reinterpret_cast<int (*)()>(dlsym(library, "VexoPluginExit"));
  auto init_plugin = reinterpret_cast<int (*)()>(dlsym(library, "VexoPluginInit"));
  ASSERT_TRUE(exit_plugin && init_plugin);
  EXPECT_EQ(exit_plugin(), 0);
  EXPECT_TRUE(host_.events().calls().empty());
  EXPECT_EQ(init_plugin(), 0);
  EXPECT_EQ(exit_plugin(), 0);
  EXPECT_EQ(host_.commands().command_count(), 1u);
  EXPECT_EQ(host_.commands().tools_menu().size(), 1u);
  dlclose(library);
}

TEST_F(PluginEntryPoints, MenuItemRunsTheCommandOnTheDemoScene) {
  auto plugin = load();
  ASSERT_TRUE(plugin);
  standin::build_demo_scene(host_);
  EXPECT_EQ(host_.pick_menu_item("Select connected surfaces"), "");
  EXPECT_EQ(host_.events().texts(EventKind::kMessage),
            std::vector<std::string>{"Selected 10 surfaces"});
  EXPECT_EQ(host_.selection().selected_surfaces(0).size(), 6u);
  EXPECT_EQ(host_.selection().selected_surfaces(1).size(), 4u);
  EXPECT_TRUE(host_.selection().selected_surfaces(2).empty());
  EXPECT_EQ(host_.run_command_text("vexo kwtadjsurf_go"), "");
  EXPECT_EQ(host_.selection().undo_steps().size(), 2u);
  expect_host_clean();
}

}  // namespace
