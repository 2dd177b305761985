// vexo-sim's command line: its options, the usage, and the reading of the arguments.
#ifndef VEXO_SIM_OPTIONS_H
#define VEXO_SIM_OPTIONS_H

#include <string>
#include <vector>

#include "vexo_sim/session.h"

namespace standin {

struct Options {
  std::string model;
  std::string format;
  std::vector<std::string> surface_seeds;
  std::vector<std::string> vertex_seeds;
  std::string mode;
  std::string menu = kSelectConnectedMenuLabel;
  std::string command;
  std::string script;
  std::string plugin;
  bool json = false;
  std::string svg;
  std::string view = "iso";
  std::string up;
  bool time = false;
};

// What follows an argument vexo-sim cannot use: the whole help is for --help.
inline constexpr char kShortUsage[] =
    "usage: vexo-sim [MODEL|-] [--select OBJECT:SURFACES]... [options]\n"
    "vexo-sim --help lists every option\n";

// The whole help, with the views and script actions read from the tables that run them.
// `default_plugin` says where the plug-in is when --plugin is not given.
std::string usage(const std::string& default_plugin);

// Reads the arguments into `options`; --plugin defaults to `default_plugin`. The help text stays
// our own (usage()): it lays options out as the README shows them, which CLI11's generated help
// would not.
// Returns: empty, or what is wrong with them, on one line.
std::string parse_options(int argc, char** argv, const std::string& default_plugin,
                          Options& options);

}  // namespace standin

#endif  // VEXO_SIM_OPTIONS_H
