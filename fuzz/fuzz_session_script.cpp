// Fuzzes vexo-sim's command line and its scripts. The input's first line is a command line, its
// arguments split at NUL bytes, read by vexo-sim's option reader; the rest is a script of actions
// with arguments of any bytes, run by a session on the demo scene with the command linked in.
//
// It requires what a user is promised: an argument vexo-sim cannot use is refused on one line;
// every failure a script meets, and every warning, is one line under 300 bytes as vexo-sim
// writes it; and a script that runs to its end is followed by its report, a JSON report that
// parses or a transcript. A crash, a hang (libFuzzer's -timeout) or memory beyond its limit
// (-rss_limit_mb) is a finding too.
//
// Scripts name files (load, picture). So that no input reads or writes outside a folder of its
// own, every '/' of the input is made '_', the process works in that folder, and standard input
// is /dev/null; the folder is emptied after every input.
#include <nlohmann/json.hpp>

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "messages/excerpt.h"
#include "model_files/text_lines.h"
#include "plugin/plugin_texts.h"
#include "select_connected/select_connected.h"
#include "vexo_sim/demo_scene.h"
#include "vexo_sim/json_report.h"
#include "vexo_sim/options.h"
#include "vexo_sim/session.h"
#include "vexo_sim/transcript.h"

namespace {

constexpr std::size_t kLongestLine = 300;

[[noreturn]] void fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "%s: %s\n", what, standin::excerpt(detail, 2000).c_str());
  std::abort();
}

// The folder the process works in, made once.
const std::string& own_folder() {
  static const std::string folder = [] {
    char pattern[] = "/tmp/fuzz_session_script.XXXXXX";
    if (mkdtemp(pattern) == nullptr || chdir(pattern) != 0) fail("own folder", pattern);
    if (std::freopen("/dev/null", "r", stdin) == nullptr) fail("standard input", "/dev/null");
    std::ofstream("model.obj") << "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nf 1 2 3\nf 1 3 4\n";
    return std::string(pattern);
  }();
  return folder;
}

void empty_own_folder() {
  for (const auto& entry : std::filesystem::directory_iterator(own_folder())) {
    if (entry.path().filename() != "model.obj") std::filesystem::remove_all(entry.path());
  }
}

// Each line of `text` (a message as vexo-sim writes it, with its end) under the limit.
void require_short_lines(const std::string& text, const char* what) {
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (line.size() + 1 >= kLongestLine) fail(what, line);
  }
}

// The command line: an argument vexo-sim cannot use is one short line.
// Returns: whether it asks for the JSON report (as far as it was read, when it is refused).
bool read_command_line(const std::string& line) {
  std::vector<std::string> words = {"vexo-sim"};
  std::size_t start = 0;
  for (std::size_t end; (end = line.find('\0', start)) != std::string::npos; start = end + 1) {
    words.push_back(line.substr(start, end - start));
  }
  if (start < line.size()) words.push_back(line.substr(start));
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  standin::Options options;
  const std::string error =
      standin::parse_options(static_cast<int>(words.size()), argv.data(), "plugin.p", options);
  if (error.find('\n') != std::string::npos) fail("a usage error of more than one line", error);
  if (!error.empty()) require_short_lines("vexo-sim: " + error + "\n", "a usage error too long");
  return options.json;
}

// The script, on the demo scene, then the report a finished run writes.
void run_script(const std::string& script, bool json) {
  std::ostringstream out;
  std::ostringstream errors;
  standin::Session session(out, errors, json);
  standin::build_demo_scene(session.host());
  // What the plug-in's set-up does, on the session's host (active while the session lives).
  vx_add_command(kCommandName, adjsurf::select_connected_go);
  vx_add_tools_menu_item(kMenuLabel, kMenuCommand, kMenuDescription);
  standin::TextLines lines(script, "script");
  const std::string error = session.run_script(lines, "fuzz.txt");
  require_short_lines(errors.str(), "a warning too long");
  if (!error.empty()) {
    require_short_lines("vexo-sim: " + standin::printable_message(error) + "\n",
                        "a failure too long");
    return;
  }
  const std::size_t before = out.str().size();
  if (json) {
    standin::write_json_report(out, session.host());
    const std::string report = out.str().substr(before);
    if (!nlohmann::json::accept(report)) fail("a report that is not JSON", report);
  } else {
    standin::print_selection(out, session.host());
    if (out.str().size() == before) fail("no transcript of the selection", "");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  own_folder();
  std::string input(reinterpret_cast<const char*>(bytes), size);
  for (char& c : input) {
    if (c == '/') c = '_';
  }
  const std::size_t end_of_line = input.find('\n');
  const std::string command_line = input.substr(0, end_of_line);
  const std::string script = end_of_line == std::string::npos ? "" : input.substr(end_of_line + 1);
  run_script(script, read_command_line(command_line));
  empty_own_folder();
  return 0;
}
