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
    if (!options.sim_root.empty()) CheckSoundFolder(options.sim_root, &panel);
  }
  SortFindings(&panel.findings);
  for (const Finding& finding : panel.findings) std::printf("%s\n", FormatFinding(finding).c_str());
  if (!panel.found || panel.unreadable) return 2;
  bool to_fix = std::any_of(panel.findings.begin(), panel.findings.end(),
                            [](const Finding& f) { return f.severity != Severity::kNote; });
  if (!to_fix) std::printf("%s: no errors or warnings\n", Shown(panel.panel_cfg).c_str());
  return to_fix ? 1 : 0;
}

}  // namespace bench::panels
