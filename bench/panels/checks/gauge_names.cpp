// Element and attribute names the gauge formats do not have. The simulator skips them without
// a word: a misspelt <Visible> leaves its element always shown, a misspelt Kind= leaves a
// switch that answers the default click only.
#include "bench/panels/checks/panel_checks.h"

namespace bench::panels {

void CheckGaugeNames(Panel* panel) {
  for (const XmlGauge& gauge : panel->xml_gauges) {
    const char* format = gauge.format == GaugeFormat::kOlder ? "older" : "newer";
    for (const UnknownName& name : gauge.unknown) {
      std::string what = name.attribute ? "attribute " + name.name + "= of <" + name.parent + ">"
                                        : "<" + name.name + "> inside <" + name.parent + ">";
      panel->findings.push_back({gauge.file, name.line, Severity::kWarning,
                                 what + " is not part of the " + format +
                                     " gauge format, and the simulator skips it; check its "
                                     "spelling"});
    }
  }
}

}  // namespace bench::panels
