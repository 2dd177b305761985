#include "benchmarks/host_time_sampler.h"

#include <csignal>
#include <ctime>

namespace {

// What the signal handler reads and writes: only lock-free atomics.
const std::atomic<int>* g_running = nullptr;
std::array<std::atomic<std::uint32_t>, standin::kHostFunctionCount + 1> g_samples;

void count_sample(int) {
  const int running = g_running->load(std::memory_order_relaxed);
  if (running >= 0 && static_cast<std::size_t>(running) < g_samples.size()) {
    g_samples[static_cast<std::size_t>(running)].fetch_add(1, std::memory_order_relaxed);
  }
}

}  // namespace

HostTimeSampler::HostTimeSampler(const standin::CallStatistics& statistics, int rate) {
  g_running = &statistics.running();
  for (auto& count : g_samples) count.store(0, std::memory_order_relaxed);
  struct sigaction action {};
  action.sa_handler = count_sample;
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  if (sigaction(SIGPROF, &action, nullptr) != 0) return;
  sigevent event{};
  event.sigev_notify = SIGEV_SIGNAL;
  event.sigev_signo = SIGPROF;
  // Wall time, not CPU time: the process's CPU-time timers are only checked at the scheduler's
  // tick, a few hundred times a second.
  if (timer_create(CLOCK_MONOTONIC, &event, &timer_) != 0) return;
  const long period_ns = 1000000000L / rate;
  itimerspec period{};
  period.it_interval.tv_nsec = period_ns;
  period.it_value.tv_nsec = period_ns;
  running_ = timer_settime(timer_, 0, &period, nullptr) == 0;
  if (!running_) timer_delete(timer_);
}

HostTimeSampler::~HostTimeSampler() {
  HostSamples ignored;
  stop(ignored);
}

bool HostTimeSampler::stop(HostSamples& samples) {
  const bool measured = running_;
  if (running_) {
    timer_delete(timer_);
    running_ = false;
    signal(SIGPROF, SIG_IGN);  // a signal already on its way finds nothing to count
  }
  for (std::size_t i = 0; i < samples.size(); ++i) {
    samples[i] = g_samples[i].load(std::memory_order_relaxed);
  }
  return measured;
}
