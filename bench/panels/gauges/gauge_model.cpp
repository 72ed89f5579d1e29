#include "bench/panels/gauges/gauge_model.h"

namespace bench::panels {
namespace {

using Visit = std::function<void(const Script&)>;

void VisitScript(const Script& script, const Visit& visit) {
  if (!script.Empty()) visit(script);
}

void VisitElement(const GaugeElement& element, const Visit& visit) {
  VisitScript(element.visible, visit);
  for (const Script& script : element.scripts) VisitScript(script, visit);
  for (const GaugeElement& child : element.children) VisitElement(child, visit);
}

void VisitArea(const MouseArea& area, const Visit& visit) {
  VisitScript(area.visible, visit);
  VisitScript(area.tooltip, visit);
  for (const Click& click : area.clicks) VisitScript(click.script, visit);
  for (const MouseArea& child : area.children) VisitArea(child, visit);
}

}  // namespace

void ForEachScript(const XmlGauge& gauge, const Visit& visit) {
  for (const Macro& macro : gauge.macros) VisitScript(macro.body, visit);
  ForEachFrameScript(gauge, visit);
  for (const MouseArea& area : gauge.areas) VisitArea(area, visit);
  for (const KeyHandler& key : gauge.keys) {
    VisitScript(key.visible, visit);
    VisitScript(key.script, visit);
  }
}

void ForEachFrameScript(const XmlGauge& gauge, const Visit& visit) {
  VisitScript(gauge.update, visit);
  VisitElement(gauge.root, visit);
}

}  // namespace bench::panels
