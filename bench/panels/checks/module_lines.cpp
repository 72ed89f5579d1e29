// The module's own gauge lines. The traffic gauge reads its parameter text once, as
// interval x 1000 + radius in nautical miles, digits only; what it makes of the text is
// worked out here by the module's own parser, so the report cannot drift from the gauge.
// The gauge only looks its variables up, so the panel's scripts must name them: "ATC traffic
// update" before the gauge first runs, the state and its outputs together.
#include <cstdlib>
#include <set>

#include "bench/common/names.h"
#include "bench/panels/checks/panel_checks.h"
#include "traffic/traffic.h"

namespace bench::panels {
namespace {

const char* const kWriteIt = "write interval x 1000 + radius in nm, digits only (128020)";

Finding JudgeTrafficText(const std::string& file, const GaugeLine& line) {
  const std::string text = line.parameter ? *line.parameter : "";
  std::string quoted = "parameter '" + text + "'";
  // What the gauge takes from the text; the parser leaves it at 0 when it ignores the text.
  traffic::TrafficConfig taken = {0, 0};
  if (traffic::ConfigureFromParameters(text.c_str(), &taken) == 0) {
    unsigned long n = std::strtoul(text.c_str(), nullptr, 10);
    std::string which = n / 1000 == 0 ? "an interval of 0" : "a radius of 0 nm";
    return {file, line.line, Severity::kError,
            quoted + " gives " + which + ", which turns the traffic gauge off for the session; " +
                kWriteIt};
  }
  if (taken.interval == 0) {
    return {file, line.line, text.empty() ? Severity::kNote : Severity::kWarning,
            (text.empty() ? std::string("no parameter text") : quoted + " is not all digits") +
                ": the traffic gauge runs at its defaults, every 128 counts within 20 nm; " +
                kWriteIt};
  }
  unsigned long interval = std::strtoul(text.c_str(), nullptr, 10) / 1000;
  if (interval != taken.interval)
    return {file, line.line, Severity::kNote,
            quoted + ": an interval of " + std::to_string(interval) + " is raised to " +
                std::to_string(taken.interval) + ", the gauge's shortest"};
  return {};
}

std::string Quoted(int index) {
  return std::string("\"") + traffic::kPanelVariables[index].name + "\"";
}

// What the traffic gauge makes of the names the panel gives it; empty when all is well.
Finding JudgeTrafficNames(const std::set<std::string>& named) {
  auto has = [&](int index) { return named.count(traffic::kPanelVariables[index].name) > 0; };
  std::string outputs, missing;  // the outputs named and not named, as lists
  for (int i : {traffic::kDir, traffic::kDist, traffic::kAlt}) {
    std::string& list = has(i) ? outputs : missing;
    list += (list.empty() ? "" : ", ") + Quoted(i);
  }
  const std::string update = traffic::kPanelVariables[traffic::kUpdate].name;
  if (!has(traffic::kUpdate))
    return {"", 0, Severity::kWarning,
            "no gauge of the panel names " + Quoted(traffic::kUpdate) +
                ", so the traffic gauge switches itself off when it first runs; count it up in "
                "an update script: (L:" +
                update + ", enum) ++ (>L:" + update + ", enum)"};
  if (!has(traffic::kState) && !outputs.empty())
    return {"", 0, Severity::kWarning,
            "the panel names " + outputs + " but not " + Quoted(traffic::kState) +
                ": the gauge looks its outputs up only once the state exists, so it never "
                "writes them; read " +
                Quoted(traffic::kState) + " too"};
  if (!has(traffic::kState))
    return {"", 0, Severity::kWarning,
            "no gauge of the panel names " + Quoted(traffic::kState) +
                " or the gauge's outputs, so its runs only reset " + Quoted(traffic::kUpdate) +
                "; read the state and the outputs the panel shows"};
  std::string them = missing.find(',') == std::string::npos ? "it" : "them";
  if (!missing.empty())
    return {"", 0, Severity::kNote,
            "the panel never names " + missing + ", so the traffic gauge never writes " + them +
                "; name " + them + " with the state if the panel is to show " + them};
  return {};
}

}  // namespace

const GaugeLine* FirstModuleLine(const Panel& panel, const char* module_gauge) {
  for (const PanelGauge& gauge : panel.gauges) {
    int index = ModuleGaugeOf(gauge.line);
    if (index >= 0 && kModuleGauges[index] == std::string(module_gauge)) return &gauge.line;
  }
  return nullptr;
}

void CheckModuleLines(const std::vector<ScriptReference>& references, Panel* panel) {
  for (const PanelGauge& gauge : panel->gauges) {
    if (gauge.resolved.target != GaugeTarget::kOurModule) continue;
    if (gauge.resolved.module_gauge != kModuleGauges[kTrafficGauge]) continue;
    Finding finding = JudgeTrafficText(Shown(panel->panel_cfg), gauge.line);
    if (!finding.message.empty()) panel->findings.push_back(finding);
  }
  const GaugeLine* traffic_line = FirstModuleLine(*panel, kModuleGauges[kTrafficGauge]);
  if (!traffic_line) return;
  std::set<std::string> named;
  for (const ScriptReference& r : references)
    if (r.fact.prefix == 'L') named.insert(r.fact.name);
  Finding finding = JudgeTrafficNames(named);
  if (finding.message.empty()) return;
  finding.file = Shown(panel->panel_cfg), finding.line = traffic_line->line;
  panel->findings.push_back(finding);
}

}  // namespace bench::panels
