#include "vexo_sim/progress_line.h"

#include <cstdio>
#include <utility>

#if defined(_WIN32)
#include <io.h>
#define VEXO_ISATTY _isatty
#define VEXO_FILENO _fileno
#else
#include <unistd.h>
#define VEXO_ISATTY isatty
#define VEXO_FILENO fileno
#endif

namespace standin {

ProgressLine::ProgressLine(std::string label)
    : label_(std::move(label)),
      terminal_(VEXO_ISATTY(VEXO_FILENO(stderr)) != 0),
      start_(std::chrono::steady_clock::now()) {}

ProgressLine::~ProgressLine() {
#ifdef VEXO_PROGRESS_TICKER
  if (ticker_.joinable()) {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      ending_ = true;
    }
    ended_.notify_one();
    ticker_.join();
  }
#endif
  if (shown_) {
    std::fprintf(stderr, "\r\033[K");
    std::fflush(stderr);
  }
}

double ProgressLine::elapsed_ms() const {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_)
      .count();
}

void ProgressLine::draw(const std::string& text) {
  if (!terminal_ || elapsed_ms() < 1000) return;
  std::fprintf(stderr, "\r%s: %s\033[K", label_.c_str(), text.c_str());
  std::fflush(stderr);
  shown_ = true;
}

void ProgressLine::show_fraction(double done) {
  draw(std::to_string(static_cast<int>(done * 100)) + "%");
}

void ProgressLine::tick_while_running() {
#ifdef VEXO_PROGRESS_TICKER
  if (!terminal_ || ticker_.joinable()) return;
  ticker_ = std::thread([this] {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!ended_.wait_for(lock, std::chrono::seconds(1), [this] { return ending_; })) {
      draw("running, " + std::to_string(static_cast<int>(elapsed_ms() / 1000)) + " s");
    }
  });
#endif
}

}  // namespace standin
