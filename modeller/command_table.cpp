#include "modeller/command_table.h"

namespace standin {

bool CommandTable::add_command(const std::string& name, CommandHandler handler) {
  if (name.empty() || handler == nullptr) return false;
  commands_[name] = handler;
  return true;
}

CommandHandler CommandTable::find(const std::string& name) const {
  auto found = commands_.find(name);
  return found != commands_.end() ? found->second : nullptr;
}

const MenuItem* CommandTable::menu_item(const std::string& label) const {
  for (const MenuItem& item : menu_) {
    if (item.label == label) return &item;
  }
  return nullptr;
}

}  // namespace standin
