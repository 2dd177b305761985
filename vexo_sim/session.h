// A user's session with the stand-in modeller: the model, the loaded plug-in, and the actions a
// user takes (load, select, mode, menu, command, undo, redo, show, picture), from the command
// line or one per line of a script.
#ifndef VEXO_SIM_SESSION_H
#define VEXO_SIM_SESSION_H

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "model_files/load_model.h"
#include "model_files/text_lines.h"
#include "modeller/host_state.h"
#include "plugin_loader/plugin_loader.h"
#include "vexo_sim/named_indices.h"
#include "vexo_sim/svg_picture.h"

namespace standin {

inline constexpr char kSelectConnectedMenuLabel[] = "Select connected surfaces";

// The script actions with what each takes, for help and error texts: "load FILE, select ...".
std::string script_actions_help();

// Reads a select mode as the user names it: "surface", "vertex" or the modeller's number.
// Returns: empty, or why the text names no mode.
std::string parse_select_mode(const std::string& mode, int& code);

class Session {
 public:
  // `out` receives what the user sees as actions run (events, shown selections); `errors`
  // receives warnings. With quiet set, nothing is written to `out` (a report follows instead).
  Session(std::ostream& out, std::ostream& errors, bool quiet);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Each action returns an empty string, or the one-line reason it could not be done.
  std::string load_plugin(const std::string& path);
  // `path` may be "-" for standard input; `format`, when given, is the file's format whatever
  // its name (load_model_file).
  std::string load_model(const std::string& path, std::optional<ModelFormat> format = std::nullopt);
  // Whether the script being run was read from standard input.
  bool script_from_standard_input() const { return script_from_standard_input_; }
  // With `show` set, each load and command run reports its time in milliseconds on `errors`.
  void show_times(bool show) { show_times_ = show; }

  // Selects whole surfaces or lone vertices named as OBJECT:SURFACES or OBJECT:VERTICES.
  std::string select(const std::string& named, IndexKind kind);
  std::string set_mode(const std::string& mode);
  std::string pick_menu_item(const std::string& label);
  std::string run_command(const std::string& text);
  // Undoes or redoes `steps` steps, or, when there are fewer, none of them.
  std::string undo(std::size_t steps = 1);
  std::string redo(std::size_t steps = 1);
  void show();
  // Draws the model with the up axis set_up_axis gave, or else Y for a model read from a file
  // (as OBJ exporters and most OFF files have it) and Z for the demo scene.
  std::string picture(const std::string& path, const std::string& view);
  void set_up_axis(UpAxis up) { up_axis_ = up; }

  // Runs one action per line ('#' starts a comment). Stops at the first failing line, and at a
  // line the reader refuses (not text, longer than its limit).
  // Returns: empty, or "NAME:LINE: reason".
  std::string run_script(TextLines& lines, const std::string& name);
  // The same for a script file, or standard input for "-", opened as model files are: a path that
  // is not a regular file is refused.
  std::string run_script_file(const std::string& path);

  Host& host() { return host_; }
  const LoadedPlugin* plugin() const { return plugin_.get(); }

 private:
  std::string run_action(const std::string& line);
  // Runs a command through `run`, remembering the seeds, and reports what the user saw.
  std::string run_reporting(const std::string& title, const std::function<std::string()>& run);
  void report_time(const std::string& step, double milliseconds);

  std::ostream& out_;
  std::ostream& errors_;
  bool quiet_;
  bool show_times_ = false;
  Host host_;
  ActiveHost active_;
  std::unique_ptr<LoadedPlugin> plugin_;
  // The whole surfaces selected just before the last command run, marked in pictures.
  std::vector<std::vector<std::uint8_t>> seeds_;
  std::optional<UpAxis> up_axis_;
  bool loaded_a_file_ = false;
  bool script_from_standard_input_ = false;
};

}  // namespace standin

#endif  // VEXO_SIM_SESSION_H
