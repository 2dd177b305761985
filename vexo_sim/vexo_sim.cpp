// vexo-sim: the stand-in modeller on the command line. It loads the plug-in the way the modeller
// does, loads a model (or builds the demo scene), selects seeds, picks "Select connected
// surfaces" from the Tools menu (or runs a script of actions), and shows what a user would see:
// as text, as a JSON report, and as an SVG picture.
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
#include "vexo_sim/options.h"
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

// Loads the model or the demo scene, then the seeds and the mode.
std::string set_up_scene(standin::Session& session, const standin::Options& options) {
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

std::string run_actions(standin::Session& session, const standin::Options& options) {
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

int run(const standin::Options& options, const standin::FailureRecordingBuffer& output) {
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
      std::cout << standin::usage(VEXO_PLUGIN_FILE " beside this program");
      return 0;
    }
  }
  standin::Options options;
  const std::string usage_error =
      standin::parse_options(argc, argv, default_plugin_path(), options);
  if (!usage_error.empty()) {
    std::cerr << "vexo-sim: " << usage_error << "\n" << standin::kShortUsage;
    return 2;
  }

  standin::FailureRecordingBuffer output(std::cout.rdbuf());
  std::cout.rdbuf(&output);
  const int status = run(options, output);
  std::cout.rdbuf(output.target());
  return status;
}
