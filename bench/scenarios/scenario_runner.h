// Runs a scenario against the module as the host would, checking its expectations.
#pragma once

#include <string>
#include <vector>

#include "bench/panels/panel.h"
#include "bench/scenarios/scenario.h"

namespace bench {

struct ScenarioResult {
  bool loaded = false;
  std::string error;  // why the module or the panel did not load
  int expectations = 0;
  std::vector<std::string> failures;  // "FILE:LINE: what did not hold"
  std::vector<std::string> trace;
  // A panel session's reading, compile and runtime problems, "FILE:LINE: ...", once each.
  std::vector<std::string> panel_diagnostics;
};

// The module's current directory is the simulator's folder: the sound files are found
// relative to it, so the caller changes into the session's folder first. A panel step reads
// its panel with the options given, as check-panel does.
ScenarioResult RunScenario(const Scenario& scenario, const std::string& module_path,
                           const panels::PanelOptions& panel_options);

}  // namespace bench
