// vexo-sim as a user or a script runs it: exit status 0 on success, 1 when the session fails,
// 2 for arguments it cannot use, with the reason on standard error.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <nlohmann/json.hpp>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/scratch_folder.h"

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

// Runs vexo-sim with `arguments` (shell words) and the plug-in this build made; its standard
// output goes to `stdout_to` when given (and is then not read back).
Outcome vexo_sim(const std::string& arguments, const std::string& stdout_to = "") {
  const std::string stem = testmodels::scratch_folder() + "/vexo_sim";
  const std::string out = stdout_to.empty() ? stem + ".out" : stdout_to;
  const std::string errors = stem + ".err";
  const std::string command = std::string("'") + VEXO_SIM_PATH + "' --plugin '" + ADJSURF_PATH +
                              "' " + arguments + " >'" + out + "' 2>'" + errors + "'";
  const int status = std::system(command.c_str());
  Outcome outcome;
  outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  if (stdout_to.empty()) outcome.out = read_file(out);
  outcome.errors = read_file(errors);
  return outcome;
}

bool starts_with(const std::string& text, const std::string& start) {
  return text.rfind(start, 0) == 0;
}

bool ends_with(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

constexpr char kShortUsage[] =
    "usage: vexo-sim [MODEL|-] [--select OBJECT:SURFACES]... [options]\n"
    "vexo-sim --help lists every option\n";

// The reason on one line, then a short usage that points to --help: the whole help is for
// those who ask for it. An argument the option parser quotes is cut as any quoted text is.
TEST(VexoSim, ArgumentsItCannotUseExitWithStatus2AndAShortUsage) {
  for (const char* arguments : {"--bogus", "--select", "--json --svg", "a.obj b.obj", "--mode"}) {
    SCOPED_TRACE(arguments);
    const Outcome outcome = vexo_sim(arguments);
    EXPECT_EQ(outcome.status, 2);
    EXPECT_TRUE(starts_with(outcome.errors, "vexo-sim: ")) << outcome.errors;
    EXPECT_TRUE(ends_with(outcome.errors, kShortUsage)) << outcome.errors;
    EXPECT_EQ(std::count(outcome.errors.begin(), outcome.errors.end(), '\n'), 3);
    EXPECT_EQ(outcome.out, "");
  }
  const Outcome long_option = vexo_sim("--" + std::string(100, 'x'));
  EXPECT_EQ(
      long_option.errors.substr(0, long_option.errors.find('\n')),
      "vexo-sim: The following argument was not expected: --" + std::string(58, 'x') + "\u2026");
}

TEST(VexoSim, HelpGoesToStandardOutputWithStatus0) {
  const Outcome outcome = vexo_sim("--select box:0 --help");
  EXPECT_EQ(outcome.status, 0);
  EXPECT_TRUE(starts_with(outcome.out, "usage: vexo-sim [MODEL] [options]\n")) << outcome.out;
  EXPECT_EQ(outcome.errors, "");
}

TEST(VexoSim, ASessionThatFailsExitsWithStatus1NamingTheCause) {
  const Outcome missing = vexo_sim("/no/such/model.obj");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.errors,
            "vexo-sim: /no/such/model.obj: cannot open the file: No such file or directory\n");
  const Outcome seed = vexo_sim("--select box:99");
  EXPECT_EQ(seed.status, 1);
  EXPECT_EQ(seed.errors, "vexo-sim: surface 99 is out of range (object 'box' has 6)\n");
  const Outcome menu = vexo_sim("--menu 'No such item'");
  EXPECT_EQ(menu.status, 1);
  EXPECT_EQ(menu.errors, "vexo-sim: the Tools menu has no item 'No such item'\n");
}

TEST(VexoSim, JsonReportOfTheDemoSceneParsesWithEveryKey) {
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

// What a user may hand vexo-sim, and what it answers: each row is the arguments ({dir} stands
// for a folder of files made here), the exit status, and how standard error starts. A failed
// session says why on exactly one line; arguments vexo-sim cannot use are followed by the usage.
class VexoSimAnswers : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = testmodels::scratch_folder() + "/answers";
    std::filesystem::create_directories(dir_);
    write("bad.obj", "v 0 0 0\nv 1 0 0\nv 1 zz 0\nv 0 1 0\nf 1 2 4\n\n");
    write("binary.obj", std::string("v 0 0 0\n\x7F"
                                    "ELF\x02\x01\x01\0\0\0",
                                    18));
    write("utf16.off", std::string("\xFF\xFEO\0F\0F\0\n\0", 10));
    write("empty.obj", "");
    write("model.stl", "solid x\n");
    write("unknown.obj", "hello world\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\nhello again\n");
    write("select_first.txt", "select 0:0\n");
    write("binary.txt", std::string("show\nlo\0ad x\n", 12));
    write("two.obj", "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nf 1 2 3\nf 1 3 4\n");
    const std::string load = "load " + dir_ + "/two.obj";
    write("marked.txt", "\xEF\xBB\xBF" + load + "\nselect 0:0\nmenu\n");
    write("crlf.txt", load + "\r\n\r\nselect two:99\r\n");
    write("undo_count.txt", load + "\nselect 0:0\nmenu\nundo 2\n");
    write("undo_word.txt", "undo twice\n");
    write("clear_extra.txt", "clear x\n");
    write("show_extra.txt", "show everything\n");
    const std::string square = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n";
    const std::string square_off = "4 2 0\n0 0 0\n1 0 0\n1 1 0\n0 1 0\n3 0 1 2\n";
    write("extra_face.off", "OFF\n4 1 0\n0 0 0\n1 0 0\n1 1 0\n0 1 0\n3 0 1 2\n3 0 2 3\n");
    write("dimension4.off", "nOFF\n4\n" + square_off);
    write("binary_header.off", "OFF BINARY\n" + square_off);
    write("dimension3.off", "nOFF\n3\n" + square_off + "3 0 2 3\n");
    write("dimension3.obj", "nOFF\n3\n" + square_off + "3 0 2 3\n");
    write("continued.obj", square + "f 1 2 \\\n3 4\n");
    write("continued_bad.obj", square + "f 1 \\\n2 \\\n1/x 3\n");
    write("four_parts.obj", square + "f 1/1/1/1 2 3\n");
    write("load_folder.txt", "# a folder is no model\nload " + dir_ + "\n");
    write("load_stdin.txt", "load -\nmenu\n");
    write("count_lies.off", "OFF\n1000000000 1 0\n0 0 0\n1 0 0\n0 1 0\n3 0 1 2\n");
    write("del.obj", square + "f 1 2 3\x7F\n");
    // A keyword of 70 bytes on three lines, and one of 45 bytes: one warning for each.
    write("long_keywords.obj", square + std::string(70, 'k') + " 1\n" + std::string(70, 'k') +
                                   " 2\n" + std::string(45, 'q') + "\n" + std::string(70, 'k') +
                                   "\nf 1 2 3\n");
    std::string repeats = square;
    for (int f = 0; f < 10; ++f) repeats += "f 1 2 3 3\n";
    write("repeats.obj", repeats);
    write("one_object.obj", square + "o only\nf 1 2 3\n");
    // A path over 120 bytes, to a file with a fault on its third line.
    std::filesystem::create_directories(dir_ + "/odd/p");
    write("odd/p/" + std::string(118, 'F') + ".obj", "v 0 0 0\nv 1 0 0\nf 1 2 3\n");
    ASSERT_EQ(mkfifo((dir_ + "/fifo.obj").c_str(), 0600), 0);
    // 1 GB that takes no disk: a sparse file of NUL bytes.
    for (const char* huge : {"huge.obj", "huge.off"}) {
      write(huge, "");
      std::filesystem::resize_file(dir_ + "/" + huge, std::uintmax_t{1} << 30);
    }
  }

  static void TearDownTestSuite() { std::filesystem::remove_all(dir_); }

  static void write(const std::string& name, const std::string& contents) {
    std::ofstream(dir_ + "/" + name, std::ios::binary) << contents;
  }

  static std::string with_dir(std::string text) {
    for (auto at = text.find("{dir}"); at != std::string::npos; at = text.find("{dir}")) {
      text.replace(at, 5, dir_);
    }
    return text;
  }

  static std::string dir_;
};
std::string VexoSimAnswers::dir_;

TEST_F(VexoSimAnswers, EachCaseGivesItsStatusAndOneClearLine) {
  struct Case {
    const char* arguments;
    int status;
    const char* errors_start;
  };
  const Case cases[] = {
      // Model files a user brings.
      {"{dir}/missing.obj", 1,
       "vexo-sim: {dir}/missing.obj: cannot open the file: No such file or directory\n"},
      {"{dir}", 1, "vexo-sim: {dir}: is a directory, not a model file\n"},
      {"{dir}/fifo.obj", 1, "vexo-sim: {dir}/fifo.obj: is a named pipe, not a model file\n"},
      {"/dev/null", 1, "vexo-sim: /dev/null: is a device, not a model file\n"},
      {"{dir}/binary.obj", 1, "vexo-sim: {dir}/binary.obj:2: not a text OBJ file\n"},
      {"{dir}/utf16.off", 1, "vexo-sim: {dir}/utf16.off:1: not a text OFF file (UTF-16)\n"},
      {"{dir}/huge.obj", 1, "vexo-sim: {dir}/huge.obj:1: not a text OBJ file\n"},
      {"{dir}/huge.off", 1, "vexo-sim: {dir}/huge.off:1: not a text OFF file\n"},
      {"{dir}/empty.obj", 1, "vexo-sim: {dir}/empty.obj: the file is empty\n"},
      {"{dir}/bad.obj", 1,
       "vexo-sim: {dir}/bad.obj:3: vertex coordinate 'zz' is not a finite number\n"},
      {"{dir}/model.stl", 1,
       "vexo-sim: {dir}/model.stl: unknown model format (expected .obj, .off or .ply, or "
       "--format)\n"},
      {"{dir}/unknown.obj", 0,
       "warning: {dir}/unknown.obj:1: unknown statement 'hello' skipped (and 1 more line like "
       "it)\n"},
      // Seeds that do not fit the model.
      {"--select box:99", 1, "vexo-sim: surface 99 is out of range (object 'box' has 6)\n"},
      {"--select lid:0", 1, "vexo-sim: unknown object 'lid' (the model has 3 objects)\n"},
      {"--select 7:0", 1, "vexo-sim: there is no object 7 (the model has 3 objects, 0 to 2)\n"},
      {"{dir}/one_object.obj --select 1:0", 1,
       "vexo-sim: there is no object 1 (the model has 1 object, 0 to 0)\n"},
      {"--select-vertices roof:99", 1,
       "vexo-sim: vertex 99 is out of range (object 'roof' has 6)\n"},
      {"--script {dir}/select_first.txt", 1,
       "vexo-sim: {dir}/select_first.txt:1: there is no model to select in (load one first)\n"},
      {"--script {dir}/load_folder.txt", 1,
       "vexo-sim: {dir}/load_folder.txt:2: {dir}: is a directory, not a model file\n"},
      // Scripts are held to the model files' rules.
      {"--script {dir}/missing.txt", 1,
       "vexo-sim: {dir}/missing.txt: cannot open the file: No such file or directory\n"},
      {"--script {dir}", 1, "vexo-sim: {dir}: is a directory, not a script\n"},
      {"--script /dev/zero", 1, "vexo-sim: /dev/zero: is a device, not a script\n"},
      {"--script - < /dev/zero", 1, "vexo-sim: stdin:1: not a text script file\n"},
      // Standard input has one reader.
      {"- --script - < {dir}/two.obj", 2,
       "vexo-sim: the model and the script cannot both come from standard input\n"},
      {"--script - < {dir}/load_stdin.txt", 1,
       "vexo-sim: stdin:1: the script comes from standard input: its model cannot as well\n"},
      {"--script {dir}/binary.txt", 1, "vexo-sim: {dir}/binary.txt:2: not a text script file\n"},
      {"--script {dir}/marked.txt", 0, ""},
      {"--script {dir}/crlf.txt", 1,
       "vexo-sim: {dir}/crlf.txt:3: surface 99 is out of range (object 'two' has 2)\n"},
      {"--script {dir}/undo_count.txt", 1,
       "vexo-sim: {dir}/undo_count.txt:4: only 1 step to undo, not 2\n"},
      {"--script {dir}/undo_word.txt", 1,
       "vexo-sim: {dir}/undo_word.txt:1: undo takes a number of steps, not 'twice'\n"},
      {"--script {dir}/clear_extra.txt", 1,
       "vexo-sim: {dir}/clear_extra.txt:1: clear takes nothing after it, not 'x'\n"},
      {"--script {dir}/show_extra.txt", 1,
       "vexo-sim: {dir}/show_extra.txt:1: show takes nothing after it, not 'everything'\n"},
      // Control bytes from the user are shown escaped.
      {"--menu \"$(printf 'a\\033b')\"", 1, "vexo-sim: the Tools menu has no item 'a\\x1Bb'\n"},
      {"--svg {dir}", 1, "vexo-sim: {dir}: cannot write the picture: Is a directory\n"},
      // Arguments vexo-sim cannot use.
      {"--select 0", 2, "vexo-sim: --select: '0' is not OBJECT:SURFACES\n"},
      {"--select box:1-x", 2, "vexo-sim: --select: '1-x' is not an index or a range FIRST-LAST\n"},
      {"--select-vertices :4", 2, "vexo-sim: --select-vertices: ':4' is not OBJECT:VERTICES\n"},
      {"--mode edge", 2,
       "vexo-sim: --mode: unknown select mode 'edge' (surface, vertex or a number)\n"},
      {"--view diagonal", 2,
       "vexo-sim: --view: unknown view 'diagonal' (front, back, top, side or iso)\n"},
      {"--bogus", 2, "vexo-sim: "},
      {"--menu X --command 'vexo kwtadjsurf_go'", 2,
       "vexo-sim: --menu, --command and --script are alternatives: give one of them\n"},
      {"--menu X --script {dir}/marked.txt", 2,
       "vexo-sim: --menu, --command and --script are alternatives: give one of them\n"},
      {"--view top", 2, "vexo-sim: --view draws nothing without --svg\n"},
      {"--up y", 2, "vexo-sim: --up draws nothing without --svg or a script's pictures\n"},
      {"--up x --svg {dir}/p.svg", 2, "vexo-sim: --up: unknown up axis 'x' (y or z)\n"},
      {"--format stl {dir}/model.stl", 2,
       "vexo-sim: --format: unknown format 'stl' (obj, off or ply)\n"},
      // Seeds beyond any model are out of range like any other.
      {"--select box:4294967296", 1,
       "vexo-sim: surface 4294967296 is out of range (object 'box' has 6)\n"},
      {"--select box:1099511627776", 1,
       "vexo-sim: surface 1099511627776 is out of range (object 'box' has 6)\n"},
      {"--select box:123456789012345678901234567890", 1,
       "vexo-sim: surface beyond 2^64 is out of range (object 'box' has 6)\n"},
      // Formats.
      {"{dir}/extra_face.off", 1,
       "vexo-sim: {dir}/extra_face.off:8: more faces than the header's count of 1 (or other text "
       "after the last face)\n"},
      {"{dir}/dimension4.off", 1,
       "vexo-sim: {dir}/dimension4.off:2: nOFF of dimension 4 is not read; only three-dimensional "
       "OFF is\n"},
      {"{dir}/binary_header.off", 1,
       "vexo-sim: {dir}/binary_header.off:1: binary OFF is not read; only OFF written as text "
       "is\n"},
      {"{dir}/dimension3.off --select 0:0", 0, ""},
      {"{dir}/continued.obj --select 0:0", 0, ""},
      {"{dir}/continued_bad.obj", 1,
       "vexo-sim: {dir}/continued_bad.obj:7: face vertex '1/x' is not a vertex index\n"},
      {"{dir}/four_parts.obj", 1,
       "vexo-sim: {dir}/four_parts.obj:5: face vertex '1/1/1/1' is not a vertex index\n"},
      // A model from standard input: its format from its first line, or from --format.
      {"- --select 0:1 < {dir}/dimension3.off", 0, ""},
      {"- --select 0:0 < {dir}/continued.obj", 0, ""},
      {"- --format off < {dir}/continued.obj", 1,
       "vexo-sim: stdin:1: expected the vertex and face counts\n"},
      {"- --format obj < {dir}/model.stl", 1,
       "warning: stdin:1: unknown statement 'solid' skipped\n"
       "vexo-sim: stdin: the model has no surfaces\n"},
      {"- < /dev/zero", 1, "vexo-sim: stdin:1: not a text model file\n"},
      // Counts a stream cannot hold are named by their line, as the same file's are.
      {"- < {dir}/count_lies.off", 1,
       "vexo-sim: stdin:2: vertex count 1000000000 is more than the file holds\n"},
      {"{dir}/count_lies.off", 1,
       "vexo-sim: {dir}/count_lies.off:2: vertex count 1000000000 is more than the file holds\n"},
      // DEL is no more text than the other control bytes.
      {"{dir}/del.obj", 1, "vexo-sim: {dir}/del.obj:5: not a text OBJ file\n"},
      // One warning per unknown keyword, however long; one for all the faces that repeat a
      // vertex.
      {"{dir}/long_keywords.obj", 0,
       "warning: {dir}/long_keywords.obj:5: unknown statement "
       "'kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk\u2026' skipped (and 2 more "
       "lines like it)\n"
       "warning: {dir}/long_keywords.obj:7: unknown statement "
       "'qqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqq' skipped\n"},
      {"{dir}/repeats.obj", 0,
       "warning: {dir}/repeats.obj:5: face repeats a vertex; repeat dropped (and 9 more faces "
       "like it)\n"},
      {"{dir}/dimension3.obj --format off --select 0:1", 0, ""},
      // Times, on standard error so that a report stays clean.
      {"--time --json", 0, "time: Tools > Select connected surfaces: "},
  };
  for (const Case& c : cases) {
    const std::string arguments = with_dir(c.arguments);
    SCOPED_TRACE(arguments);
    const Outcome outcome = vexo_sim(arguments);
    EXPECT_EQ(outcome.status, c.status);
    const std::string expected = with_dir(c.errors_start);
    EXPECT_EQ(outcome.errors.substr(0, expected.size()), expected);
    if (c.status == 1) {
      EXPECT_EQ(outcome.errors, expected);
    }
    if (c.status == 2) {
      EXPECT_TRUE(ends_with(outcome.errors, kShortUsage)) << outcome.errors;
    }
  }
}

// A report or transcript that cannot be written is a failure, with the reason the failed write
// met, whatever was written to standard error meanwhile (a warning of the model's, here).
TEST_F(VexoSimAnswers, AnOutputThatCannotBeWrittenFailsNamingTheCause) {
  for (const std::string arguments : {"--json", "", "{dir}/unknown.obj --select 0:0"}) {
    SCOPED_TRACE(arguments);
    const Outcome outcome = vexo_sim(with_dir(arguments), "/dev/full");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_TRUE(ends_with(outcome.errors,
                          "vexo-sim: cannot write to standard output: No space left on device\n"))
        << outcome.errors;
  }
}

// A model's path longer than a message names: the path is cut, never the line after it.
TEST_F(VexoSimAnswers, ALongPathIsCutButItsLineKept) {
  const Outcome outcome = vexo_sim(with_dir("{dir}/odd/p/" + std::string(118, 'F') + ".obj"));
  EXPECT_EQ(outcome.status, 1);
  EXPECT_TRUE(ends_with(outcome.errors, "\u2026:3: vertex index 3 is out of range (2 vertices)\n"))
      << outcome.errors;
}

// Object names in the transcript are shown as messages quote them: cut, and nothing in them a
// terminal would act on; the JSON report keeps the whole name.
TEST_F(VexoSimAnswers, TheTranscriptShowsNamesCutAndEscaped) {
  // A C1 control (U+0085) and a byte that is no UTF-8; control bytes a file may not hold at all.
  write("names.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\no odd\xC2\x85\xFFname\nf 1 2 3\no " +
                         std::string(1 << 20, 'n') + "\nf 1 2 3\n");
  const Outcome outcome = vexo_sim(with_dir("{dir}/names.obj --select 0:0"));
  EXPECT_EQ(outcome.status, 0) << outcome.errors;
  EXPECT_NE(outcome.out.find("  odd\\xC2\\x85\\xFFname: 1 of 1 surface selected (0)\n"),
            std::string::npos)
      << outcome.out;
  EXPECT_NE(outcome.out.find("  " + std::string(60, 'n') + "\u2026: 0 of 1 surface selected"),
            std::string::npos);
  EXPECT_LT(outcome.out.size(), 4096u);
}

// OBJECT is an index when it is a whole number and a name otherwise; names that cannot select
// their object, and objects left out, are warned of when the model loads.
TEST_F(VexoSimAnswers, ObjectsAreAddressedAsTheWarningsSay) {
  write("names.obj",
        "o A\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\no 0\nf 1 2 3\no nothing\no A\nf 1 2 3\n");
  const Outcome outcome = vexo_sim(with_dir("{dir}/names.obj --select 0:0 --select 2:0 --json"));
  ASSERT_EQ(outcome.status, 0) << outcome.errors;
  const auto report = nlohmann::json::parse(outcome.out);
  ASSERT_EQ(report["objects"].size(), 3u);
  EXPECT_EQ(report["objects"][0]["selected"], nlohmann::json::parse("[0]"));
  EXPECT_EQ(report["objects"][1]["selected"], nlohmann::json::array());
  EXPECT_EQ(report["objects"][2]["selected"], nlohmann::json::parse("[0]"));
  EXPECT_EQ(outcome.errors,
            with_dir("warning: {dir}/names.obj:8: object 'nothing' has no faces; left out\n"
                     "warning: {dir}/names.obj: object 1 is named '0', which OBJECT reads as an "
                     "index: select it as 1\n"
                     "warning: {dir}/names.obj: objects 0 and 2 are both named 'A', which "
                     "selects object 0: select the other as 2\n"));
}

// Whatever a file, a script or the command line holds, each line on standard error stays short:
// what a message quotes is cut, with an ellipsis, and control bytes are shown escaped.
TEST_F(VexoSimAnswers, NoLineOnStandardErrorIsLongerThan300Bytes) {
  const std::string huge(100000, '9');
  const std::string long_name(100000, 'n');
  write("long_token.obj", "v 0 0 0\nv 1 0 0\nv 1 1 0\nf 1 2 " + huge + "\n");
  write("long_names.obj", "v 0 0 0\nv 1 0 0\nv 1 1 0\no " + long_name + "\nf 1 2 3\no " +
                              long_name + "\nf 1 2 3\no 7" + huge + "\nf 1 2 3\nhello" + huge +
                              "\n");
  write("long_load.txt", "load " + long_name + ".obj\n");
  write("long_select.txt", "load " + dir_ + "/long_names.obj\nselect " + huge + "\n");
  write("long_action.txt", huge + " and more\n");
  const std::string arguments[] = {
      "{dir}/long_token.obj",
      "{dir}/long_names.obj --select 0:" + huge,
      "--script {dir}/long_load.txt",
      "--script {dir}/long_select.txt",
      "--script {dir}/long_action.txt",
      "--select " + huge,
      "--select box:" + huge + "-" + huge,
      "--menu " + long_name,
      "--command " + long_name,
      "--" + long_name,
      "--mode " + long_name,
      "{dir}/" + long_name + ".obj",
      "--plugin " + long_name,
  };
  for (const std::string& argument : arguments) {
    const Outcome outcome = vexo_sim(with_dir(argument));
    SCOPED_TRACE(argument.substr(0, 60));
    EXPECT_NE(outcome.status, 0);
    std::size_t start = 0;
    while (start < outcome.errors.size()) {
      std::size_t end = outcome.errors.find('\n', start);
      if (end == std::string::npos) end = outcome.errors.size();
      EXPECT_LE(end - start, 300u) << outcome.errors.substr(start, 120);
      start = end + 1;
    }
  }
}

}  // namespace
