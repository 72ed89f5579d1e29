// A loaded module whose host has the traffic interface, with helpers to drive the "TrafficInfo"
// gauge as a panel does and to read back what it asked of the host.
#pragma once

#include <string>
#include <vector>

#include "tests/loaded_module.h"

class TrafficPanel : public LoadedModuleTest {
 protected:
  // The panel's five variables in their usual order: ids 0 to 4.
  void CreateTrafficVariables() {
    for (const char* name : {"ATC traffic update", "ATC traffic state", "ATC traffic dir",
                             "ATC traffic dist", "ATC traffic alt"})
      host.CreateVariable(name, name == std::string("ATC traffic update") ? 1 : -5);
  }
  // One periodic service of the gauge; the host calls it made.
  std::vector<std::string> Service(int32_t code = 6) {
    size_t first = host.trace().size();
    traffic()->callback(traffic(), code, 0);
    return std::vector<std::string>(host.trace().begin() + first, host.trace().end());
  }
  // The panel raises "ATC traffic update" to the default interval, then the gauge is serviced.
  std::vector<std::string> Run(double update = 128) {
    host.SetVariable("ATC traffic update", update);
    return Service();
  }
  bench::TrafficHost& aircraft() { return host.traffic(); }
};

inline std::vector<std::string> Starting(const std::vector<std::string>& lines,
                                         const std::string& prefix) {
  std::vector<std::string> found;
  for (const std::string& line : lines)
    if (line.rfind(prefix, 0) == 0) found.push_back(line);
  return found;
}
