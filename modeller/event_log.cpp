#include "modeller/event_log.h"

namespace standin {

std::vector<std::string> EventLog::texts(EventKind kind) const {
  std::vector<std::string> texts;
  for (const HostEvent& event : events_) {
    if (event.kind == kind) texts.push_back(event.text);
  }
  return texts;
}

void EventLog::clear() {
  events_.clear();
  calls_.clear();
}

}  // namespace standin
