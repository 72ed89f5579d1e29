// The bench's command line: which command, and its options. The commands are one table
// (commands.cpp): each one's name, usage, options and function, read by the parser and --help.
#pragma once

#include <string>
#include <vector>

namespace bench {

struct Options {
  std::string command;  // a command of the table; "session" when none is named
  std::string self;     // the bench's own path, to find files beside it
  std::string module;
  std::string file;                   // the command's operand: the scenario, a folder
  std::vector<std::string> operands;  // a command that takes a list: every operand
  std::string audio, trace, root, plot, out;
  std::string sim_root;  // the simulator folder a panel's gauges are also looked for in
  std::string fltsim;    // the aircraft.cfg section whose panel is read
  bool wine = false;
  bool dropped = false;  // given only a folder, as Explorer gives one dropped on the program
  int frames = -1;       // -1: the command's default
  int minutes = 0;       // soak: run this long instead of a number of frames
  int seed = 1;          // soak: the panel activity's seed
};

// kv3-bench --help: every command's usage, then the exit codes.
std::string UsageText();
bool ParseOptions(const char* argv0, const std::vector<std::string>& args, Options* options,
                  std::string* error);
// Runs the command; the result is the process's exit code.
int RunCommand(const Options& options);

}  // namespace bench
