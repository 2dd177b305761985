#include "vexo_sim/session.h"

#include <cstdio>
#include <sstream>

#include "vexo_sim/named_indices.h"
#include "vexo_sim/progress_line.h"
#include "vexo_sim/svg_picture.h"
#include "vexo_sim/transcript.h"

#include "model_files/load_model.h"

namespace standin {
namespace {

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  const auto last = text.find_last_not_of(" \t\r");
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

std::string Session::load_model(const std::string& path) {
  LoadedModel model;
  std::string error;
  const std::size_t first = host_.model().object_count();
  double milliseconds = 0;
  {
    // Loading is reading the file and the modeller taking in its objects.
    ProgressLine progress("loading " + path);
    error = load_model_file(path, model,
                            [&progress](double fraction) { progress.show_fraction(fraction); });
    if (error.empty()) {
      for (Mesh& mesh : model.objects) host_.add_object(std::move(mesh));
    }
    milliseconds = progress.elapsed_ms();
  }
  for (const std::string& warning : model.warnings) errors_ << "warning: " << warning << "\n";
  if (!error.empty()) return error;
  report_time("load " + path, milliseconds);
  for (const std::string& warning : object_name_warnings(host_, first)) {
    errors_ << "warning: " << path << ": " << warning << "\n";
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
      return "unknown select mode '" + mode + "' (surface, vertex or a number)";
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

std::string Session::undo() {
  if (host_.selection().undo_steps().empty()) return "nothing to undo";
  const std::string label = host_.selection().undo_steps().back().label;
  host_.selection().undo();
  if (!quiet_) out_ << "Undo " << label << "\n";
  return "";
}

std::string Session::redo() {
  if (!host_.selection().redo()) return "nothing to redo";
  if (!quiet_) out_ << "Redo " << host_.selection().undo_steps().back().label << "\n";
  return "";
}

void Session::show() {
  std::ostream& where = quiet_ ? errors_ : out_;
  where << "Selection:\n";
  print_selection(where, host_);
}

std::string Session::picture(const std::string& path, const std::string& view) {
  std::string note;
  const std::string error = write_svg_picture(host_, seeds_, view, path, note);
  if (error.empty() && !note.empty()) errors_ << note << "\n";
  return error;
}

std::string Session::run_action(const std::string& line) {
  std::istringstream words(line);
  std::string action;
  words >> action;
  std::string rest;
  std::getline(words, rest);
  rest = trimmed(rest);
  if (action == "load") return rest.empty() ? "load needs a file" : load_model(rest);
  if (action == "select") return select(rest, IndexKind::kSurfaces);
  if (action == "select-vertices") return select(rest, IndexKind::kVertices);
  if (action == "clear") {
    host_.selection().clear();
    return "";
  }
  if (action == "mode") return set_mode(rest);
  if (action == "menu") return pick_menu_item(rest.empty() ? kSelectConnectedMenuLabel : rest);
  if (action == "command")
    return rest.empty() ? "command needs a host command text" : run_command(rest);
  if (action == "undo") return undo();
  if (action == "redo") return redo();
  if (action == "show") {
    show();
    return "";
  }
  if (action == "picture") {
    std::istringstream arguments(rest);
    std::string path;
    std::string view;
    arguments >> path >> view;
    if (path.empty()) return "picture needs a file";
    return picture(path, view.empty() ? "iso" : view);
  }
  return "unknown action '" + action +
         "' (load, select, select-vertices, clear, mode, menu, command, undo, redo, show, picture)";
}

std::string Session::run_script(std::istream& script, const std::string& name) {
  std::string line;
  for (std::size_t number = 1; std::getline(script, line); ++number) {
    const auto comment = line.find('#');
    if (comment != std::string::npos) line.erase(comment);
    line = trimmed(line);
    if (line.empty()) continue;
    const std::string error = run_action(line);
    if (!error.empty()) return name + ":" + std::to_string(number) + ": " + error;
  }
  return "";
}

}  // namespace standin
