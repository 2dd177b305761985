// vexo-sim as a user or a script runs it: exit status 0 on success, 1 when the session fails,
// 2 for arguments it cannot use, with the reason on standard error.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace {

struct Outcome {
  int status = -1;
  std::string out;
  std::string errors;
};

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs vexo-sim with `arguments` (shell words) and the plug-in this build made.
Outcome vexo_sim(const std::string& arguments) {
  // Named after the test, as CTest may run tests side by side.
  const std::string stem = ::testing::TempDir() + "vexo_sim_" +
                           ::testing::UnitTest::GetInstance()->current_test_info()->name();
  const std::string out = stem + ".out";
  const std::string errors = stem + ".err";
  const std::string command = std::string("'") + VEXO_SIM_PATH + "' --plugin '" + ADJSURF_PATH +
                              "' " + arguments + " >'" + out + "' 2>'" + errors + "'";
  const int status = std::system(command.c_str());
  Outcome outcome;
  outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  outcome.out = read_file(out);
  outcome.errors = read_file(errors);
  return outcome;
}

bool starts_with(const std::string& text, const std::string& start) {
  return text.rfind(start, 0) == 0;
}

TEST(VexoSimCommandLine, ArgumentsItCannotUseExitWithStatus2AndTheUsage) {
  for (const char* arguments : {"--bogus", "--select", "--json --svg", "a.obj b.obj", "--mode"}) {
    SCOPED_TRACE(arguments);
    const Outcome outcome = vexo_sim(arguments);
    EXPECT_EQ(outcome.status, 2);
    EXPECT_TRUE(starts_with(outcome.errors, "vexo-sim: ")) << outcome.errors;
    EXPECT_NE(outcome.errors.find("\nusage: vexo-sim [MODEL] [options]\n"), std::string::npos);
    EXPECT_EQ(outcome.out, "");
  }
}

TEST(VexoSimCommandLine, HelpGoesToStandardOutputWithStatus0) {
  const Outcome outcome = vexo_sim("--select box:0 --help");
  EXPECT_EQ(outcome.status, 0);
  EXPECT_TRUE(starts_with(outcome.out, "usage: vexo-sim [MODEL] [options]\n")) << outcome.out;
  EXPECT_EQ(outcome.errors, "");
}

TEST(VexoSimCommandLine, ASessionThatFailsExitsWithStatus1NamingTheCause) {
  const Outcome missing = vexo_sim("/no/such/model.obj");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.errors, "vexo-sim: /no/such/model.obj: cannot open the file\n");
  const Outcome seed = vexo_sim("--select box:99");
  EXPECT_EQ(seed.status, 1);
  EXPECT_EQ(seed.errors, "vexo-sim: surface 99 is out of range (object 'box' has 6)\n");
  const Outcome menu = vexo_sim("--menu 'No such item'");
  EXPECT_EQ(menu.status, 1);
  EXPECT_EQ(menu.errors, "vexo-sim: the Tools menu has no item 'No such item'\n");
}

TEST(VexoSimCommandLine, JsonReportOfTheDemoSceneParsesWithEveryKey) {
  const Outcome outcome = vexo_sim("--json --select plane:4 --mode vertex --mode surface");
  ASSERT_EQ(outcome.status, 0) << outcome.errors;
  const auto report = nlohmann::json::parse(outcome.out);
  ASSERT_EQ(report["objects"].size(), 3u);
  EXPECT_EQ(report["objects"][1]["name"], "plane");
  EXPECT_EQ(report["objects"][1]["surfaces"], 6);
  EXPECT_EQ(report["objects"][1]["selected"], nlohmann::json::parse("[0,1,2,3,4,5]"));
  EXPECT_EQ(report["objects"][2]["selected_vertices"], nlohmann::json::parse("[4]"));
  EXPECT_EQ(report["messages"], nlohmann::json::parse(R"(["Selected 12 surfaces"])"));
  EXPECT_EQ(report["dialogs"], nlohmann::json::array());
  EXPECT_EQ(report["undo"], nlohmann::json::parse(R"(["select connected surfaces"])"));
  EXPECT_EQ(report["select_mode"], 2);  // the last --mode given
}

}  // namespace
