// The module's own gauge lines. The traffic gauge reads its parameter text once, as
// interval x 1000 + radius in nautical miles, digits only; what it makes of the text is
// worked out here by the module's own parser, so the report cannot drift from the gauge.
#include <cstdlib>

#include "bench/panels/checks/panel_checks.h"
#include "traffic/traffic.h"

namespace bench::panels {
namespace {

const char* const kWriteIt = "write interval x 1000 + radius in nm, digits only (128020)";

Finding JudgeTrafficText(const std::string& file, const GaugeLine& line) {
  const std::string text = line.parameter ? *line.parameter : "";
  std::string quoted = "parameter '" + text + "'";
  traffic::TrafficConfig ignored = {0, 0};
  if (traffic::ConfigureFromParameters(text.c_str(), &ignored) == 0) {
    unsigned long n = std::strtoul(text.c_str(), nullptr, 10);
    std::string which = n / 1000 == 0 ? "an interval of 0" : "a radius of 0 nm";
    return {file, line.line, Severity::kError,
            quoted + " gives " + which + ", which turns the traffic gauge off for the session; " +
                kWriteIt};
  }
  if (ignored.interval == 0) {
    return {file, line.line, text.empty() ? Severity::kNote : Severity::kWarning,
            (text.empty() ? std::string("no parameter text") : quoted + " is not all digits") +
                ": the traffic gauge runs at its defaults, every 128 counts within 20 nm; " +
                kWriteIt};
  }
  unsigned long interval = std::strtoul(text.c_str(), nullptr, 10) / 1000;
  if (interval != ignored.interval)
    return {file, line.line, Severity::kNote,
            quoted + ": an interval of " + std::to_string(interval) + " is raised to " +
                std::to_string(ignored.interval) + ", the gauge's shortest"};
  return {};
}

}  // namespace

void CheckModuleLines(Panel* panel) {
  for (const PanelGauge& gauge : panel->gauges) {
    if (gauge.resolved.target != GaugeTarget::kOurModule) continue;
    if (gauge.resolved.module_gauge != kModuleGauges[1]) continue;
    Finding finding = JudgeTrafficText(Shown(panel->panel_cfg), gauge.line);
    if (!finding.message.empty()) panel->findings.push_back(finding);
  }
}

}  // namespace bench::panels
