// A panel author's panel running beside the module: every XML gauge line of panel.cfg loaded
// and compiled once, then run each frame in panel.cfg order, before the module's gauges are
// serviced, as the host's gauge cycle runs them. Every line is an instance of its own (a
// gauge on the 2D panel and in the virtual cockpit runs twice, with G: variables of its own).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "bench/panels/panel.h"
#include "bench/panels/run/running_gauge.h"

namespace bench::panels {

// The module's gauge lines: how many of each gauge, and the first line's parameter text
// (the traffic gauge reads it once, from the instance the host services first).
struct ModuleLines {
  int instances[kModuleGaugeCount] = {};
  const std::string* parameter[kModuleGaugeCount] = {};  // null: the line has none
};

class RunningPanel : private script::DiagnosticSink {
 public:
  RunningPanel(HostEmulator& host, std::vector<std::string> valued_key_events);
  RunningPanel(const RunningPanel&) = delete;
  RunningPanel& operator=(const RunningPanel&) = delete;

  // Reads the panel as check-panel does, with the same options (the simulator folder, the
  // livery). False, with every error of the reader in *error, when the folder holds no panel
  // or its panel.cfg cannot be read. Otherwise every finding of the reader is in diagnostics()
  // but those on the module's own lines (where the module is installed is check-panel's
  // business: a session runs the module it is given); gauges that do not read or scripts that
  // do not compile are reported there too and left out, as the host leaves them blank.
  bool Load(const std::string& dir, const PanelOptions& options, std::string* error);
  const ModuleLines& module_lines() const { return module_lines_; }

  void Frame(long frame);
  // The first gauge line named FILE!GAUGE (compared as Windows compares names); nullptr: none.
  RunningGauge* Gauge(const std::string& name);
  ScriptRunner& runner() { return run_; }
  PanelWorld& world() { return world_; }
  const Panel& panel() const { return panel_; }
  // The XML gauge lines running, in panel.cfg order, and the line each runs for.
  size_t gauge_count() const { return gauges_.size(); }
  RunningGauge& gauge(size_t i) { return *gauges_[i]; }
  const PanelGauge& gauge_line(size_t i) const { return panel_.gauges[lines_[i]]; }

  // The gauges' own G: variables, to go back to with the host's variables: the click map
  // clicks every area from one settled state.
  std::vector<GaugeLocals> SaveLocals();
  void RestoreLocals(const std::vector<GaugeLocals>& saved);

  // "FILE:LINE: error|warning: ..." for every problem met loading and running, once each.
  const std::vector<std::string>& diagnostics() const { return diagnostics_; }

 private:
  void Report(const script::Diagnostic& diagnostic) override;
  bool OnModuleLine(const Finding& finding) const;

  PanelWorld world_;
  script::Runner runner_;
  script::TextRunner texts_{runner_};
  ScriptRunner run_{runner_, texts_, *this};
  Panel panel_;
  std::vector<std::unique_ptr<RunningGauge>> gauges_;  // in panel.cfg order
  std::vector<std::string> names_;                     // FILE!GAUGE of each
  std::vector<size_t> lines_;                          // each one's index in panel_.gauges
  ModuleLines module_lines_;
  std::vector<std::string> diagnostics_;
};

}  // namespace bench::panels
