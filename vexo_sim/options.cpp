#include "vexo_sim/options.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <utility>

#include "messages/excerpt.h"
#include "model_files/model_format.h"
#include "vexo_sim/named_indices.h"
#include "vexo_sim/svg_picture.h"

namespace standin {
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

}  // namespace

std::string usage(const std::string& default_plugin) {
  return "usage: vexo-sim [MODEL] [options]\n"
         "  MODEL                           an .obj, .off or .ply file, or - for standard input;\n"
         "                                  without it (and without --script) the built-in demo "
         "scene\n"
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
         wrapped_list(script_actions_help()) +
         "\n"
         "  --plugin PATH                   the plug-in (default: " +
         default_plugin +
         ")\n"
         "  --json                          print a JSON report instead of the transcript\n"
         "  --svg FILE [--view VIEW] [--up y|z]  draw the result; VIEW is " +
         view_names() +
         "\n"
         "                                  (default iso); up is Y for a model file, Z for the "
         "demo;\n"
         "                                  --up also applies to a script's pictures\n"
         "  --time                          report load and command times (ms) on standard error\n";
}

namespace {

// A CLI11 check from a function that returns empty or what is wrong, without CLI11's own
// "--option: " prefix doubled.
CLI::Validator checked_by(std::function<std::string(const std::string&)> check) {
  return CLI::Validator([check](std::string& value) { return check(value); }, "");
}

CLI::Validator seed_form(IndexKind kind) {
  return checked_by([kind](const std::string& text) {
    SeedText seed;
    return parse_seed_text(text, kind, seed);
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

}  // namespace

std::string parse_options(int argc, char** argv, const std::string& default_plugin,
                          Options& options) {
  CLI::App app("vexo-sim", "vexo-sim");
  app.set_help_flag();
  app.allow_windows_style_options(false);
  options.plugin = default_plugin;
  app.add_option("MODEL", options.model);
  app.add_option("--format", options.format)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
      ->check(checked_by([](const std::string& format) {
        return model_format_named(format)
                   ? std::string()
                   : "unknown format '" + excerpt(format) + "' (" + model_format_words() + ")";
      }));
  // Values whose form alone is wrong are unusable arguments, refused before anything runs;
  // whether a seed fits the model is for the session to say.
  app.add_option("--select", options.surface_seeds)->check(seed_form(IndexKind::kSurfaces));
  app.add_option("--select-vertices", options.vertex_seeds)->check(seed_form(IndexKind::kVertices));
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
    return parse_select_mode(mode, code);
  }));
  app.get_option("--view")->check(checked_by(check_view_name));
  app.get_option("--up")->check(checked_by([](const std::string& up) {
    return up == "y" || up == "z" ? std::string()
                                  : "unknown up axis '" + excerpt(up) + "' (y or z)";
  }));
  app.add_flag("--json", options.json);
  app.add_flag("--time", options.time);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return printable_quoting_message(error.what());
  }
  return check_alternatives(app, options);
}

}  // namespace standin
