// The newer format: <SimGauge.Gauge> with settings in child elements and scripts in <Script>
// (<Update><Script>, <Expression><Script>, <MouseClick><Script>).
#include "bench/common/names.h"
#include "bench/panels/gauges/gauge_reading.h"

namespace bench::panels {
namespace {

std::string ChildText(GaugeReading* reading, const XmlNode& node, const char* name) {
  const XmlNode* child = Child(node, name);
  if (!child) return "";
  return std::string(Trim(reading->TextOf(*child, name).text));
}

Click ReadClick(GaugeReading* reading, const XmlNode& node) {
  Click click;
  click.line = node.line;
  // Kinds come as one <ClickType> joined by '+' or as several <ClickType> elements.
  for (const XmlNode& child : node.children)
    if (!child.is_text && child.name == "ClickType")
      for (std::string& kind : SplitKinds(reading->TextOf(child, "ClickType").text))
        click.kinds.push_back(std::move(kind));
  click.key_event = ChildText(reading, node, "KeyEvent");
  click.repeat = IsYes(ChildText(reading, node, "ClickRepeat"));
  if (const XmlNode* script = Child(node, "Script"))
    click.script = reading->TextOf(*script, "MouseClick/Script");
  return click;
}

void ReadTooltip(GaugeReading* reading, const XmlNode& node, MouseArea* area) {
  if (const XmlNode* text = Child(node, "DefaultScript"))
    area->tooltip = reading->Text(*text, "Tooltip/DefaultScript");
  std::string id = ChildText(reading, node, "DefaultId");
  if (!id.empty()) area->tooltip_id = id;
}

MouseArea ReadArea(GaugeReading* reading, const XmlNode& node) {
  MouseArea area;
  area.line = node.line;
  for (const XmlNode& child : node.children) {
    if (child.is_text) continue;
    if (child.name == "FloatPosition") {
      reading->Pair(child, &area.left, &area.top);
    } else if (child.name == "Size") {
      area.sized = reading->Pair(child, &area.width, &area.height);
    } else if (child.name == "Visibility") {
      area.visible = reading->TextOf(child, "Visibility");
    } else if (child.name == "Tooltip") {
      ReadTooltip(reading, child, &area);
    } else if (child.name == "TooltipID") {
      area.tooltip_id = ChildText(reading, node, "TooltipID");
    } else if (child.name == "CursorType") {
      area.cursor = ChildText(reading, node, "CursorType");
    } else if (child.name == "MouseClick") {
      area.clicks.push_back(ReadClick(reading, child));
    } else if (child.name == "MouseArea") {
      area.children.push_back(ReadArea(reading, child));
    }
  }
  return area;
}

void ReadUpdate(GaugeReading* reading, const XmlNode& node, XmlGauge* gauge) {
  if (const XmlNode* frequency = Child(node, "Frequency"))
    gauge->update_frequency =
        reading->Number(ChildText(reading, node, "Frequency"), frequency->line, "<Frequency>");
  if (const XmlNode* script = Child(node, "Script"))
    gauge->update = reading->TextOf(*script, "Update/Script");
}

Macro ReadMacro(GaugeReading* reading, const XmlNode& node) {
  const XmlAttribute* name = node.Attribute("Name");
  if (!name) name = node.Attribute("id");
  // The text is in <MacroValue>; some authors write it straight into <Macro>, as the older
  // format does.
  const XmlNode* value = Child(node, "MacroValue");
  return {name ? name->value : "", reading->TextOf(value ? *value : node, "Macro/MacroValue")};
}

}  // namespace

void ReadNewerGauge(const XmlNode& node, GaugeReading* reading, XmlGauge* gauge) {
  gauge->line = node.line;
  for (const XmlNode& child : node.children) {
    if (child.is_text) continue;
    if (child.name == "Macro") {
      gauge->macros.push_back(ReadMacro(reading, child));
    } else if (child.name == "Update") {
      ReadUpdate(reading, child, gauge);
    } else if (child.name == "Element") {
      gauge->root.children.push_back(reading->ReadElement(child));
    } else if (child.name == "MouseArea") {
      gauge->areas.push_back(ReadArea(reading, child));
    } else if (child.name == "Keys") {
      reading->ReadKeys(child);
    } else if (child.name == "Size") {
      reading->Pair(child, &gauge->width, &gauge->height);
    } else {
      reading->CollectScripts(child, child.name, reading->ContentOf(child, node), &gauge->root);
    }
  }
}

}  // namespace bench::panels
