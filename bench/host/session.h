// The bench's built-in panel session: load the module, hand it the host's table, create the
// panel's variables, run frames, call each standard routine, tear down and unload.
#pragma once

#include <string>
#include <vector>

namespace bench {

struct SessionResult {
  bool loaded = false;
  std::string error;
  std::vector<std::string> trace;
};

SessionResult RunBuiltInSession(const std::string& module_path, int frames);

}  // namespace bench
