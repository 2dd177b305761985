// vexo-sim: the stand-in modeller on the command line. It loads the plug-in the way the modeller
// does, loads a model (or builds the demo scene), selects seeds, picks "Select connected
// surfaces" from the Tools menu (or runs a script of actions), and shows what a user would see:
// as text, as a JSON report, and as an SVG picture.
#include <CLI/CLI.hpp>

#include <cerrno>
#include <cstring>
#include <functional>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "vexo_sim/demo_scene.h"
#include "vexo_sim/failure_recording_buffer.h"
#include "vexo_sim/json_report.h"
#include "vexo_sim/named_indices.h"
#include "vexo_sim/session.h"
#include "vexo_sim/svg_picture.h"
#include "vexo_sim/transcript.h"

#include "messages/excerpt.h"
#include "model_files/model_format.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

// A list of items joined by ", " and wrapped into lines that start at the usage's second column.
std::string wrapped_list(const std::string& list) {
  constexpr std::size_t kWidth = 96;
  const std::string indent(34, ' ');
  std::string text;
  std::size_t column = indent.size();
  std::size_t start = 0;
  while (start < list.size()) {
    std::size_t end = list.find(", ", start);
    end = end == std::string::npos ? list.size() : end + 2;
    const std::string item = list.substr(start, end - start);
    if (column + item.size() > kWidth) {
      while (!text.empty() && text.back() == ' ') text.pop_back();
      text += "\n" + indent;
      column = indent.size();
    }
    text += item;
    column += item.size();
    start = end;
  }
  return text;
}

// The usage, with the views and script actions read from the tables that run them.
// What follows an argument vexo-sim cannot use: the whole help is for --help.
constexpr char kShortUsage[] =
    "usage: vexo-sim [MODEL|-] [--select OBJECT:SURFACES]... [options]\n"
    "vexo-sim --help lists every option\n";

std::string usage() {
  return "usage: vexo-sim [MODEL] [options]\n"
         "  MODEL                           an .obj or .off file, or - for standard input; without "
         "it\n"
         "                                  (and without --script) the built-in demo scene\n"
         "  --format obj|off|ply            read MODEL as this format, whatever its name\n"
         "  --select OBJECT:SURFACES        select whole surfaces, e.g. box:0,4,10-12 "
         "(repeatable);\n"
         "                                  OBJECT is a 0-based index, or else a name\n"
         "  --select-vertices OBJECT:VERTICES  select lone vertices (repeatable)\n"
         "  --mode surface|vertex|N         the select mode (default surface)\n"
         "  --menu LABEL                    the Tools-menu item to pick (default \"Select "
         "connected "
         "surfaces\")\n"
         "  --command TEXT                  run a host command text instead, e.g. \"vexo "
         "kwtadjsurf_go\"\n"
         "  --script FILE|-                 run a session script (one action a line) instead;\n"
         "                                  actions: " +
         wrapped_list(standin::script_actions_help()) +
         "\n"
         "  --plugin PATH                   the plug-in (default: " VEXO_PLUGIN_FILE
         " beside this program)\n"
         "  --json                          print a JSON report instead of the transcript\n"
         "  --svg FILE [--view VIEW] [--up y|z]  draw the result; VIEW is " +
         standin::view_names() +
         "\n"
         "                                  (default iso); up is Y for a model file, Z for the "
         "demo;\n"
         "                                  --up also applies to a script's pictures\n"
         "  --time                          report load and command times (ms) on standard error\n";
}

struct Options {
  std::string model;
  std::string format;
  std::vector<std::string> surface_seeds;
  std::vector<std::string> vertex_seeds;
  std::string mode;
  std::string menu = standin::kSelectConnectedMenuLabel;
  std::string command;
  std::string script;
  std::string plugin;
  bool json = false;
  std::string svg;
  std::string view = "iso";
  std::string up;
  bool time = false;
};

// The plug-in beside this program, as the build lays them out.
std::string default_plugin_path() {
  char buffer[4096] = {};
#if defined(_WIN32)
  const DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer - 1);
  std::string self(buffer, length);
  const auto slash = self.find_last_of("\\/");
#else
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  std::string self(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
  const auto slash = self.find_last_of('/');
#endif
  if (slash == std::string::npos) return "build/" VEXO_PLUGIN_FILE;
  return self.substr(0, slash + 1) + VEXO_PLUGIN_FILE;
}

// A CLI11 check from a function that returns empty or what is wrong, without CLI11's own
// "--option: " prefix doubled.
CLI::Validator checked_by(std::function<std::string(const std::string&)> check) {
  return CLI::Validator([check](std::string& value) { return check(value); }, "");
}

CLI::Validator seed_form(standin::IndexKind kind) {
  return checked_by([kind](const std::string& text) {
    standin::SeedText seed;
    return standin::parse_seed_text(text, kind, seed);
  });
}

// Options that only make sense alone or together: the usage shows --menu, --command and --script
// as alternatives, and --view as part of --svg; anything else would be silently dropped.
std::string check_alternatives(const CLI::App& app, const Options& options) {
  const bool menu = app.count("--menu") > 0;
  const bool command = app.count("--command") > 0;
  const bool script = app.count("--script") > 0;
  if (menu + command + script > 1) {
    return "--menu, --command and --script are alternatives: give one of them";
  }
  if (app.count("--view") > 0 && options.svg.empty()) return "--view draws nothing without --svg";
  if (app.count("--up") > 0 && options.svg.empty() && options.script.empty()) {
    return "--up draws nothing without --svg or a script's pictures";
  }
  if (!options.format.empty() && options.model.empty()) return "--format needs a MODEL";
  if (options.model == "-" && options.script == "-") {
    return "the model and the script cannot both come from standard input";
  }
  return "";
}

// Reads the arguments into `options`. Returns empty, or what is wrong with them. The help text
// stays our own (usage()): it lays options out as the README shows them, which CLI11's generated
// help would not.
std::string parse_options(int argc, char** argv, Options& options) {
  CLI::App app("vexo-sim", "vexo-sim");
  app.set_help_flag();
  app.allow_windows_style_options(false);
  options.plugin = default_plugin_path();
  app.add_option("MODEL", options.model);
  app.add_option("--format", options.format)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
      ->check(checked_by([](const std::string& format) {
        return standin::model_format_named(format)
                   ? std::string()
                   : "unknown format '" + standin::excerpt(format) + "' (" +
                         standin::model_format_words() + ")";
      }));
  // Values whose form alone is wrong are unusable arguments, refused before anything runs;
  // whether a seed fits the model is for the session to say.
  app.add_option("--select", options.surface_seeds)
      ->check(seed_form(standin::IndexKind::kSurfaces));
  app.add_option("--select-vertices", options.vertex_seeds)
      ->check(seed_form(standin::IndexKind::kVertices));
  // A single-valued option given again takes the last value, as the modeller's own options do.
  for (auto [name, into] : {std::pair{"--mode", &options.mode},
                            {"--menu", &options.menu},
                            {"--command", &options.command},
                            {"--script", &options.script},
                            {"--plugin", &options.plugin},
                            {"--svg", &options.svg},
                            {"--view", &options.view},
                            {"--up", &options.up}}) {
    app.add_option(name, *into)->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  }
  app.get_option("--mode")->check(checked_by([](const std::string& mode) {
    int code = 0;
    return standin::parse_select_mode(mode, code);
  }));
  app.get_option("--view")->check(checked_by(standin::check_view_name));
  app.get_option("--up")->check(checked_by([](const std::string& up) {
    return up == "y" || up == "z" ? std::string()
                                  : "unknown up axis '" + standin::excerpt(up) + "' (y or z)";
  }));
  app.add_flag("--json", options.json);
  app.add_flag("--time", options.time);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return standin::printable_quoting_message(error.what());
  }
  return check_alternatives(app, options);
}

// Loads the model or the demo scene, then the seeds and the mode.
std::string set_up_scene(standin::Session& session, const Options& options) {
  std::string error;
  if (!options.model.empty()) {
    error = session.load_model(options.model, standin::model_format_named(options.format));
  } else if (options.script.empty()) {
    standin::build_demo_scene(session.host());
  }
  for (const std::string& seed : options.surface_seeds) {
    if (error.empty()) error = session.select(seed, standin::IndexKind::kSurfaces);
  }
  for (const std::string& seed : options.vertex_seeds) {
    if (error.empty()) error = session.select(seed, standin::IndexKind::kVertices);
  }
  if (error.empty() && !options.mode.empty()) error = session.set_mode(options.mode);
  return error;
}

std::string run_actions(standin::Session& session, const Options& options) {
  if (options.script.empty()) {
    return options.command.empty() ? session.pick_menu_item(options.menu)
                                   : session.run_command(options.command);
  }
  return session.run_script_file(options.script);
}

int fail(const std::string& error) {
  std::cerr << "vexo-sim: " << standin::printable_message(error) << "\n";
  return 1;
}

// What was printed must have reached standard output: a full disk or a closed pipe is a failed
// run, not a success. The cause is the one the failed write met.
int finish(const standin::FailureRecordingBuffer& output) {
  std::cout.flush();
  if (output.first_error() != 0 || !std::cout) {
    return fail(std::string("cannot write to standard output: ") +
                std::strerror(output.first_error() != 0 ? output.first_error() : EIO));
  }
  return 0;
}

int run(const Options& options, const standin::FailureRecordingBuffer& output) {
  standin::Session session(std::cout, std::cerr, options.json);
  session.show_times(options.time);
  if (!options.up.empty()) {
    session.set_up_axis(options.up == "y" ? standin::UpAxis::kY : standin::UpAxis::kZ);
  }
  std::string error = session.load_plugin(options.plugin);
  if (!error.empty()) return fail(error);
  if (!options.json) {
    standin::print_plugin(std::cout, *session.plugin());
    standin::print_tools_menu(std::cout, session.host());
  }
  error = set_up_scene(session, options);
  if (!error.empty()) return fail(error);
  if (!options.json && session.host().model().object_count() > 0) {
    std::cout << "\nSelection before:\n";
    standin::print_selection(std::cout, session.host());
    std::cout << "\n";
  }
  error = run_actions(session, options);
  if (!error.empty()) return fail(error);
  if (options.json) {
    standin::write_json_report(std::cout, session.host());
  } else {
    std::cout << "\nSelection after:\n";
    standin::print_selection(std::cout, session.host());
  }
  if (!options.svg.empty()) {
    error = session.picture(options.svg, options.view);
    if (!error.empty()) return fail(error);
  }
  return finish(output);
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--help" || std::string(argv[i]) == "-h") {
      std::cout << usage();
      return 0;
    }
  }
  Options options;
  const std::string usage_error = parse_options(argc, argv, options);
  if (!usage_error.empty()) {
    std::cerr << "vexo-sim: " << usage_error << "\n" << kShortUsage;
    return 2;
  }

  standin::FailureRecordingBuffer output(std::cout.rdbuf());
  std::cout.rdbuf(&output);
  const int status = run(options, output);
  std::cout.rdbuf(output.target());
  return status;
}

