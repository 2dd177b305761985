// The stand-in modeller's commands, by name, and its Tools menu, whose items run commands.
#ifndef MODELLER_COMMAND_TABLE_H
#define MODELLER_COMMAND_TABLE_H

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "host/vexo_host_api.h"

namespace standin {

struct MenuItem {
  std::string label;
  std::string command;  // the command text the item runs, "vexo NAME"
  std::string description;
};

class CommandTable {
 public:
  // Registers (or replaces) a command. False for an empty name or a null handler.
  bool add_command(const std::string& name, CommandHandler handler);
  // The handler of a command, or null when there is none by that name.
  CommandHandler find(const std::string& name) const;
  std::size_t command_count() const { return commands_.size(); }

  void add_menu_item(MenuItem item) { menu_.push_back(std::move(item)); }
  const std::vector<MenuItem>& tools_menu() const { return menu_; }
  // The item with this label, or null.
  const MenuItem* menu_item(const std::string& label) const;

 private:
  std::map<std::string, CommandHandler> commands_;
  std::vector<MenuItem> menu_;
};

}  // namespace standin

#endif  // MODELLER_COMMAND_TABLE_H
