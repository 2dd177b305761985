// What the user of the stand-in modeller would have seen (dialogs, messages, undo steps,
// selection changes, redraws) and, in checked mode, which host functions were called.
#ifndef MODELLER_EVENT_LOG_H
#define MODELLER_EVENT_LOG_H

#include <string>
#include <vector>

namespace standin {

enum class EventKind { kDialog, kMessage, kUndoStep, kSelect, kRedraw, kStatus };
struct HostEvent {
  EventKind kind;
  std::string text;
};

class EventLog {
 public:
  void log(EventKind kind, std::string text) { events_.push_back({kind, std::move(text)}); }
  const std::vector<HostEvent>& entries() const { return events_; }
  // The texts of the events of one kind, in order.
  std::vector<std::string> texts(EventKind kind) const;

  void record_call(const char* function_name) { calls_.emplace_back(function_name); }
  const std::vector<std::string>& calls() const { return calls_; }

  void clear();

 private:
  std::vector<HostEvent> events_;
  std::vector<std::string> calls_;
};

}  // namespace standin

#endif  // MODELLER_EVENT_LOG_H
