// Opening a plug-in library by path: what the loader says when it cannot.
#include "plugin_loader/plugin_loader.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/checked_host_fixture.h"

namespace {

class PluginLoader : public testmodels::CheckedHostTest {};

TEST_F(PluginLoader, ErrorsNameTheFileAndTheMissingEntryPoint) {
  std::string error;
  EXPECT_FALSE(standin::load_plugin("/no/such/library.p", &error));
  EXPECT_NE(error.find("cannot load plug-in '/no/such/library.p'"), std::string::npos) << error;
  EXPECT_FALSE(standin::load_plugin(NOT_A_PLUGIN_PATH, &error));
  EXPECT_NE(error.find(NOT_A_PLUGIN_PATH), std::string::npos) << error;
  EXPECT_NE(error.find("has no entry point 'VexoPluginExit'"), std::string::npos) << error;
  EXPECT_TRUE(host_.events().calls().empty());
}

}  // namespace
