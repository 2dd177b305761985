// A user's session with the stand-in modeller: the model, the loaded plug-in, and the actions a
// user takes (load, select, mode, menu, command, undo, redo, show, picture), from the command
// line or one per line of a script.
#ifndef VEXO_SIM_SESSION_H
#define VEXO_SIM_SESSION_H

#include <cstdint>
#include <functional>
#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "modeller/host_state.h"
#include "modeller/plugin_loader.h"
#include "vexo_sim/named_indices.h"

namespace standin {

inline constexpr char kSelectConnectedMenuLabel[] = "Select connected surfaces";

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
  std::string load_model(const std::string& path);
  // With `show` set, each load and command run reports its time in milliseconds on `errors`.
  void show_times(bool show) { show_times_ = show; }

  // Selects whole surfaces or lone vertices named as OBJECT:SURFACES or OBJECT:VERTICES.
  std::string select(const std::string& named, IndexKind kind);
  std::string set_mode(const std::string& mode);
  std::string pick_menu_item(const std::string& label);
  std::string run_command(const std::string& text);
  std::string undo();
  std::string redo();
  void show();
  std::string picture(const std::string& path, const std::string& view);

  // Runs one action per line ('#' starts a comment). Stops at the first failing line.
  // Returns: empty, or "NAME:LINE: reason".
  std::string run_script(std::istream& script, const std::string& name);

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
};

}  // namespace standin

#endif  // VEXO_SIM_SESSION_H
