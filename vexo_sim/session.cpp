#include "vexo_sim/session.h"

#include <cstdio>
#include <sstream>

#include "vexo_sim/named_indices.h"
#include "vexo_sim/progress_line.h"
#include "vexo_sim/svg_picture.h"
#include "vexo_sim/transcript.h"

#include "messages/counts.h"
#include "messages/excerpt.h"
#include "model_files/load_model.h"
#include "model_files/text_input.h"
#include "model_files/text_lines.h"

namespace standin {
namespace {

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\v\f");
  if (first == std::string::npos) return "";
  const auto last = text.find_last_not_of(" \t\v\f");
  return text.substr(first, last - first + 1);
}

}  // namespace

Session::Session(std::ostream& out, std::ostream& errors, bool quiet)
    : out_(out), errors_(errors), quiet_(quiet), active_(host_) {}

std::string Session::load_plugin(const std::string& path) {
  std::string error;
  plugin_ = standin::load_plugin(path, &error);
  return error;
}

void Session::report_time(const std::string& step, double milliseconds) {
  if (!show_times_) return;
  char figure[32];
  std::snprintf(figure, sizeof figure, "%.1f", milliseconds);
  errors_ << "time: " << step << ": " << figure << " ms\n";
}

std::string Session::load_model(const std::string& path, std::optional<ModelFormat> format) {
  LoadedModel model;
  std::string error;
  const std::size_t first = host_.model().object_count();
  double milliseconds = 0;
  {
    // Loading is reading the file and the modeller taking in its objects.
    ProgressLine progress("loading " + shown_path(path));
    error = load_model_file(
        path, model, [&progress](double fraction) { progress.show_fraction(fraction); }, format);
    if (error.empty()) {
      for (Mesh& mesh : model.objects) host_.add_object(std::move(mesh));
    }
    milliseconds = progress.elapsed_ms();
  }
  for (const std::string& warning : model.warnings) {
    errors_ << "warning: " << printable_message(warning) << "\n";
  }
  if (!error.empty()) return error;
  loaded_a_file_ = true;
  const std::string shown = shown_path(path);
  report_time("load " + shown, milliseconds);
  for (const std::string& warning : object_name_warnings(host_, first)) {
    errors_ << "warning: " << printable_message(shown + ": " + warning) << "\n";
  }
  return "";
}

std::string Session::select(const std::string& text, IndexKind kind) {
  NamedIndices named;
  const std::string error = parse_named_indices(host_, text, kind, named);
  if (!error.empty()) return error;
  for (std::uint32_t index : named.indices) {
    if (kind == IndexKind::kSurfaces) {
      host_.selection().select_surface(named.object, index);
    } else {
      host_.selection().select_vertex(named.object, index);
    }
  }
  return "";
}

std::string parse_select_mode(const std::string& mode, int& code) {
  if (mode == "surface") {
    code = kSurfaceMode;
  } else if (mode == "vertex") {
    code = kVertexMode;
  } else {
    std::istringstream number(mode);
    if (!(number >> code) || !number.eof()) {
      return "unknown select mode '" + excerpt(mode) + "' (surface, vertex or a number)";
    }
  }
  return "";
}

std::string Session::set_mode(const std::string& mode) {
  int code = 0;
  const std::string error = parse_select_mode(mode, code);
  if (error.empty()) host_.selection().set_mode(code);
  return error;
}

std::string Session::run_reporting(const std::string& title,
                                   const std::function<std::string()>& run) {
  seeds_ = host_.selection().current().whole_surfaces;
  const std::size_t first = host_.events().entries().size();
  std::string error;
  double milliseconds = 0;
  {
    ProgressLine progress(title);
    progress.tick_while_running();
    error = run();
    milliseconds = progress.elapsed_ms();
  }
  if (error.empty()) report_time(title, milliseconds);
  if (error.empty() && !quiet_) {
    out_ << title << "\n";
    print_events(out_, host_, first);
  }
  return error;
}

std::string Session::pick_menu_item(const std::string& label) {
  return run_reporting("Tools > " + label, [&] { return host_.pick_menu_item(label); });
}

std::string Session::run_command(const std::string& text) {
  return run_reporting("Command " + text, [&] { return host_.run_command_text(text); });
}

std::string Session::undo(std::size_t steps) {
  const std::size_t available = host_.selection().undo_steps().size();
  if (available == 0) return "nothing to undo";
  // All or nothing: a count beyond the steps there are undoes none of them.
  if (steps > available) {
    return "only " + counted(available, "step", "steps") + " to undo, not " + std::to_string(steps);
  }
  for (std::size_t step = 0; step < steps; ++step) {
    const std::string label = host_.selection().undo_steps().back().label;
    host_.selection().undo();
    if (!quiet_) out_ << "Undo " << label << "\n";
  }
  return "";
}

std::string Session::redo(std::size_t steps) {
  const std::size_t available = host_.selection().redo_step_count();
  if (available == 0) return "nothing to redo";
  if (steps > available) {
    return "only " + counted(available, "step", "steps") + " to redo, not " + std::to_string(steps);
  }
  for (std::size_t step = 0; step < steps; ++step) {
    host_.selection().redo();
    if (!quiet_) out_ << "Redo " << host_.selection().undo_steps().back().label << "\n";
  }
  return "";
}

void Session::show() {
  std::ostream& where = quiet_ ? errors_ : out_;
  where << "Selection:\n";
  print_selection(where, host_);
}

std::string Session::picture(const std::string& path, const std::string& view) {
  std::string note;
  const UpAxis up = up_axis_.value_or(loaded_a_file_ ? UpAxis::kY : UpAxis::kZ);
  const std::string error = write_svg_picture(host_, seeds_, view, up, path, note);
  if (error.empty() && !note.empty()) errors_ << printable_message(note) << "\n";
  return error;
}

namespace {

// The step count after "undo" or "redo": none means one.
bool read_step_count(const std::string& text, std::size_t& steps) {
  if (text.empty()) {
    steps = 1;
    return true;
  }
  if (text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  steps = static_cast<std::size_t>(std::stoul(text));
  return steps > 0;
}

// "undo [N]" or "redo [N]": reads the count and takes that many steps.
std::string take_steps(Session& session, std::string (Session::*step)(std::size_t),
                       const char* word, const std::string& rest) {
  std::size_t steps = 0;
  if (!read_step_count(rest, steps)) {
    return std::string(word) + " takes a number of steps, not '" + excerpt(rest) + "'";
  }
  return (session.*step)(steps);
}

// One action of a script: its word, what follows it as the help shows it, and what it does with
// the rest of its line (trimmed). The one table both runs the actions and lists them.
struct ScriptAction {
  const char* word;
  const char* arguments;
  std::string (*run)(Session& session, const std::string& rest);
};

std::string needs_nothing_after(const char* word, const std::string& rest) {
  return rest.empty() ? ""
                      : std::string(word) + " takes nothing after it, not '" + excerpt(rest) + "'";
}

const ScriptAction kScriptActions[] = {
    {"load", "FILE",
     [](Session& s, const std::string& rest) {
       if (rest.empty()) return std::string("load needs a file");
       // Standard input has one reader: the script that came from it.
       if (rest == "-" && s.script_from_standard_input()) {
         return std::string("the script comes from standard input: its model cannot as well");
       }
       return s.load_model(rest);
     }},
    {"select", "OBJECT:SURFACES",
     [](Session& s, const std::string& rest) { return s.select(rest, IndexKind::kSurfaces); }},
    {"select-vertices", "OBJECT:VERTICES",
     [](Session& s, const std::string& rest) { return s.select(rest, IndexKind::kVertices); }},
    {"clear", "",
     [](Session& s, const std::string& rest) {
       const std::string error = needs_nothing_after("clear", rest);
       if (error.empty()) s.host().selection().clear();
       return error;
     }},
    {"mode", "surface|vertex|N",
     [](Session& s, const std::string& rest) { return s.set_mode(rest); }},
    {"menu", "[LABEL]",
     [](Session& s, const std::string& rest) {
       return s.pick_menu_item(rest.empty() ? kSelectConnectedMenuLabel : rest);
     }},
    {"command", "TEXT",
     [](Session& s, const std::string& rest) {
       return rest.empty() ? std::string("command needs a host command text") : s.run_command(rest);
     }},
    {"undo", "[N]",
     [](Session& s, const std::string& rest) {
       return take_steps(s, &Session::undo, "undo", rest);
     }},
    {"redo", "[N]",
     [](Session& s, const std::string& rest) {
       return take_steps(s, &Session::redo, "redo", rest);
     }},
    {"show", "",
     [](Session& s, const std::string& rest) {
       const std::string error = needs_nothing_after("show", rest);
       if (error.empty()) s.show();
       return error;
     }},
    {"picture", "FILE [VIEW]",
     [](Session& s, const std::string& rest) {
       std::istringstream arguments(rest);
       std::string path;
       std::string view;
       std::string extra;
       arguments >> path >> view >> extra;
       if (path.empty()) return std::string("picture needs a file");
       if (!extra.empty()) return "picture takes a file and a view, not '" + excerpt(extra) + "'";
       return s.picture(path, view.empty() ? "iso" : view);
     }},
};

}  // namespace

std::string script_actions_help() {
  std::string help;
  for (const ScriptAction& action : kScriptActions) {
    help += help.empty() ? "" : ", ";
    help += action.word;
    if (*action.arguments != '\0') help += std::string(" ") + action.arguments;
  }
  return help;
}

std::string Session::run_action(const std::string& line) {
  const auto blank = line.find_first_of(" \t");
  const std::string word = line.substr(0, blank);
  const std::string rest = blank == std::string::npos ? "" : trimmed(line.substr(blank));
  for (const ScriptAction& action : kScriptActions) {
    if (word == action.word) return action.run(*this, rest);
  }
  std::string words;
  for (const ScriptAction& action : kScriptActions) {
    words += words.empty() ? "" : ", ";
    words += action.word;
  }
  return "unknown action '" + excerpt(word) + "' (" + words + ")";
}

std::string Session::run_script(TextLines& lines, const std::string& name) {
  std::string_view read;
  while (lines.next(read)) {
    std::string line(read.substr(0, read.find('#')));
    line = trimmed(line);
    if (line.empty()) continue;
    const std::string error = run_action(line);
    if (!error.empty()) return name + ":" + std::to_string(lines.line_number()) + ": " + error;
  }
  if (!lines.problem().empty()) {
    return name + ":" + std::to_string(lines.line_number()) + ": " + lines.problem();
  }
  return "";
}

std::string Session::run_script_file(const std::string& path) {
  TextInput input;
  const std::string error = input.open(path, "script");
  if (!error.empty()) return error;
  TextLines lines(input.file(), input.size(), "script");
  script_from_standard_input_ = input.is_standard_input();
  return run_script(lines, input.shown_name());
}

}  // namespace standin
