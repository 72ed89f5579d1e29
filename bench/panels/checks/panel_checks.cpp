#include "bench/panels/checks/panel_checks.h"

#include <algorithm>
#include <cstdio>

namespace bench::panels {

int CheckPanel(const std::string& dir, const PanelOptions& options) {
  Panel panel = LoadPanel(dir, options);
  if (panel.found) {
    CheckWindowKeys(&panel);
    CheckGaugeNames(&panel);
    std::vector<ScriptReference> references = CheckScripts(&panel);
    CheckVariables(references, &panel);
    CheckModuleLines(references, &panel);
    if (!panel.sim_root.empty()) CheckSoundFolder(panel.sim_root, &panel);
  }
  std::vector<GroupedFinding> report = GroupFindings(panel.findings);
  for (const GroupedFinding& finding : report) std::printf("%s\n", FormatFinding(finding).c_str());
  std::printf("%s\n", Summary(report).c_str());
  if (!panel.found || panel.unreadable) return 2;
  bool to_fix = std::any_of(panel.findings.begin(), panel.findings.end(),
                            [](const Finding& f) { return f.severity != Severity::kNote; });
  return to_fix ? 1 : 0;
}

}  // namespace bench::panels
