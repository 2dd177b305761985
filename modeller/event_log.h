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

  // `function_name` must outlive the log: the names are the host functions' own, kept as they
  // are so that a traced call costs no copy.
  void record_call(const char* function_name) { calls_.push_back(function_name); }
  std::vector<std::string> calls() const { return {calls_.begin(), calls_.end()}; }

  void clear();

 private:
  std::vector<HostEvent> events_;
  std::vector<const char*> calls_;
};

}  // namespace standin

#endif  // MODELLER_EVENT_LOG_H
