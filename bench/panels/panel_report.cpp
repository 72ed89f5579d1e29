#include "bench/panels/panel_report.h"

#include <cstdio>

namespace bench::panels {
namespace {

struct Counts {
  int scripts = 0, areas = 0, clicks = 0;
};

void Count(const GaugeElement& element, Counts* counts) {
  counts->scripts += static_cast<int>(element.scripts.size()) + !element.visible.Empty();
  for (const GaugeElement& child : element.children) Count(child, counts);
}

void Count(const MouseArea& area, Counts* counts) {
  counts->areas += 1;
  counts->clicks += static_cast<int>(area.clicks.size());
  for (const MouseArea& child : area.children) Count(child, counts);
}

std::string Describe(const XmlGauge& gauge) {
  Counts counts;
  Count(gauge.root, &counts);
  for (const MouseArea& area : gauge.areas) Count(area, &counts);
  char text[200];
  std::snprintf(text, sizeof text,
                "%s format, %zu macros, update %s at %g/s, %d element scripts, %d areas, "
                "%d clicks, %zu keys, %zu unknown names",
                gauge.format == GaugeFormat::kOlder ? "older" : "newer", gauge.macros.size(),
                gauge.update.Empty() ? "none" : "script", gauge.update_frequency, counts.scripts,
                counts.areas, counts.clicks, gauge.keys.size(), gauge.unknown.size());
  return text;
}

std::string Describe(const Panel& panel, const Resolution& resolved) {
  switch (resolved.target) {
    case GaugeTarget::kOurModule:
      return "module " + resolved.module_gauge + " in " + resolved.path;
    case GaugeTarget::kOtherModule:
      return "other module " + resolved.path;
    case GaugeTarget::kXmlGauge:
      return resolved.path + " (" + Describe(panel.xml_gauges[resolved.xml_gauge]) + ")";
    case GaugeTarget::kNothing:
      break;
  }
  return "nothing";
}

}  // namespace

int PrintPanelReading(const std::string& dir, const PanelOptions& options) {
  Panel panel = LoadPanel(dir, options);
  if (panel.found) {
    std::printf("panel %s (variant '%s', %s)\n", panel.panel_cfg.c_str(), panel.variant.c_str(),
                panel.fltsim.empty() ? "no aircraft.cfg section" : panel.fltsim.c_str());
    for (const std::string& alias : panel.aliases)
      std::printf("  through the alias in %s\n", alias.c_str());
  }
  for (const PanelGauge& gauge : panel.gauges) {
    const GaugeLine& line = gauge.line;
    std::printf("%s:%d %s %s -> %s", panel.cfg.windows[gauge.window].name.c_str(), line.line,
                line.key.c_str(), line.Name().c_str(), Describe(panel, gauge.resolved).c_str());
    if (line.parameter) std::printf(" parameter '%s'", line.parameter->c_str());
    std::printf("\n");
  }
  SortFindings(&panel.findings);
  for (const Finding& finding : panel.findings) std::printf("%s\n", FormatFinding(finding).c_str());
  return panel.found && !panel.unreadable ? 0 : 2;
}

}  // namespace bench::panels
