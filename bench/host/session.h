// The bench's built-in panel session: load the module, hand it the host's table, create the
// panel's variables, run frames, call each standard routine, tear down and unload.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace bench {

class HostEmulator;
class LoadedModule;

struct SessionResult {
  bool loaded = false;
  std::string error;
  std::vector<std::string> trace;
};

// Loads the module as the host does: the host's main window exists first, then the module is
// given the host's table; its gauges' elements are named in the trace. Check loaded().
std::unique_ptr<LoadedModule> LoadIntoHost(HostEmulator& host, const std::string& module_path);

SessionResult RunBuiltInSession(const std::string& module_path, int frames);

}  // namespace bench
