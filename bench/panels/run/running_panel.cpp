#include "bench/panels/run/running_panel.h"

#include <algorithm>

#include "bench/common/names.h"
#include "bench/host/host_clock.h"
#include "bench/panels/folders.h"

namespace bench::panels {

RunningPanel::RunningPanel(HostEmulator& host, std::vector<std::string> valued_key_events)
    : world_(host, std::move(valued_key_events)) {}

bool RunningPanel::Load(const std::string& dir, const PanelOptions& options, std::string* error) {
  panel_ = LoadPanel(dir, options);
  for (const GroupedFinding& finding : GroupFindings(panel_.findings))
    if (!OnModuleLine(finding.first)) diagnostics_.push_back(FormatFinding(finding));
  if (!panel_.found || panel_.unreadable) {
    *error = "no panel to run in " + dir;
    for (const Finding& finding : panel_.findings)
      if (finding.severity == Severity::kError) *error += "\n" + FormatFinding(finding);
    return false;
  }
  for (const PanelGauge& gauge : panel_.gauges) {
    int module = ModuleGaugeOf(gauge.line);
    if (module >= 0 && module_lines_.instances[module]++ == 0 && gauge.line.parameter)
      module_lines_.parameter[module] = &*gauge.line.parameter;
    if (gauge.resolved.target != GaugeTarget::kXmlGauge) continue;
    const XmlGauge& xml = panel_.xml_gauges[gauge.resolved.xml_gauge];
    script::DiagnosticSink& sink = *this;
    gauges_.push_back(std::make_unique<RunningGauge>(xml, world_, sink));
    names_.push_back(gauge.line.Name());
    lines_.push_back(static_cast<size_t>(&gauge - panel_.gauges.data()));
  }
  return true;
}

// Where the module's DLL is installed is check-panel's business: a session runs the module
// it is given.
bool RunningPanel::OnModuleLine(const Finding& finding) const {
  for (const PanelGauge& gauge : panel_.gauges)
    if (ModuleGaugeOf(gauge.line) >= 0 && finding.line == gauge.line.line &&
        finding.file == Shown(panel_.panel_cfg))
      return true;
  return false;
}

void RunningPanel::Frame(long frame) {
  world_.SetSeconds(static_cast<double>(frame - 1) / kFramesPerSecond);
  for (const std::unique_ptr<RunningGauge>& gauge : gauges_) gauge->Frame(frame, run_);
}

std::vector<GaugeLocals> RunningPanel::SaveLocals() {
  std::vector<GaugeLocals> saved;
  for (const std::unique_ptr<RunningGauge>& gauge : gauges_) saved.push_back(gauge->locals());
  return saved;
}

void RunningPanel::RestoreLocals(const std::vector<GaugeLocals>& saved) {
  for (size_t i = 0; i < saved.size() && i < gauges_.size(); ++i) gauges_[i]->locals() = saved[i];
}

RunningGauge* RunningPanel::Gauge(const std::string& name) {
  for (size_t i = 0; i < names_.size(); ++i)
    if (SameName(names_[i], name)) return gauges_[i].get();
  return nullptr;
}

void RunningPanel::Report(const script::Diagnostic& d) {
  // Two lines of one gauge compile its scripts twice; a fault is still one fault.
  std::string line = FormatFinding(DiagnosticFinding(d));
  if (std::find(diagnostics_.begin(), diagnostics_.end(), line) == diagnostics_.end())
    diagnostics_.push_back(line);
}

}  // namespace bench::panels
