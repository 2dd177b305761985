// What a long step shows a user at a terminal: one line on standard error, redrawn in place,
// that says how far the step has got, or how long it has been running. It appears only once the
// step has taken a second, and only when standard error is a terminal, so that short steps,
// pipes and logs see nothing; it is cleared when the step ends.
#ifndef VEXO_SIM_PROGRESS_LINE_H
#define VEXO_SIM_PROGRESS_LINE_H

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>

#if !defined(_WIN32) || defined(_GLIBCXX_HAS_GTHREADS)
#include <thread>
#define VEXO_PROGRESS_TICKER 1
#endif

namespace standin {

class ProgressLine {
 public:
  // `label` starts the line, e.g. "loading model.obj".
  explicit ProgressLine(std::string label);
  ~ProgressLine();
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  // Shows the share of the step done, from 0 to 1 (for a step that knows it, such as reading).
  void show_fraction(double done);
  // From now until the step ends, shows the seconds it has been running, once a second (for a
  // step that cannot say how far it is, such as a command inside the plug-in). Where the build
  // has no threads (a MinGW build without them), shows nothing.
  void tick_while_running();
  // Milliseconds since the step began.
  double elapsed_ms() const;

 private:
  void draw(const std::string& text);

  std::string label_;
  bool terminal_;
  std::chrono::steady_clock::time_point start_;
  std::atomic<bool> shown_{false};
#ifdef VEXO_PROGRESS_TICKER
  std::mutex mutex_;
  std::condition_variable ended_;
  bool ending_ = false;
  std::thread ticker_;
#endif
};

}  // namespace standin

#endif  // VEXO_SIM_PROGRESS_LINE_H
