// The older format: <Gauge Name=...> with settings in attributes and scripts as element text
// (<Update>, <Click>, <Value>, <Visible>).
#include "bench/panels/gauges/gauge_reading.h"

namespace bench::panels {
namespace {

double NumberAttribute(GaugeReading* reading, const XmlNode& node, const char* name, bool* given) {
  const XmlAttribute* a = node.Attribute(name);
  if (given) *given = a != nullptr;
  return a ? reading->Number(a->value, a->line, std::string(name) + "=") : 0;
}

std::string TextAttribute(const XmlNode& node, const char* name) {
  const XmlAttribute* a = node.Attribute(name);
  return a ? a->value : std::string();
}

Click ReadClick(GaugeReading* reading, const XmlNode& node) {
  Click click;
  click.line = node.line;
  click.kinds = SplitKinds(TextAttribute(node, "Kind"));
  click.key_event = TextAttribute(node, "Event");
  click.repeat = IsYes(TextAttribute(node, "Repeat"));
  click.script = reading->TextOf(node, "Click");
  return click;
}

// <Mouse> and <Area> read alike: <Mouse> is the area of the whole gauge.
MouseArea ReadArea(GaugeReading* reading, const XmlNode& node) {
  MouseArea area;
  area.line = node.line;
  bool width_given, height_given, right_given, bottom_given;
  area.left = NumberAttribute(reading, node, "Left", nullptr);
  area.top = NumberAttribute(reading, node, "Top", nullptr);
  area.width = NumberAttribute(reading, node, "Width", &width_given);
  area.height = NumberAttribute(reading, node, "Height", &height_given);
  double right = NumberAttribute(reading, node, "Right", &right_given);
  double bottom = NumberAttribute(reading, node, "Bottom", &bottom_given);
  if (!width_given && right_given) area.width = right - area.left, width_given = true;
  if (!height_given && bottom_given) area.height = bottom - area.top, height_given = true;
  area.sized = width_given && height_given;
  for (const XmlNode& child : node.children) {
    if (child.is_text) continue;
    if (child.name == "Visible") {
      area.visible = reading->TextOf(child, "Visible");
    } else if (child.name == "Tooltip") {
      area.tooltip = reading->Text(child, "Tooltip");
      area.tooltip_id = TextAttribute(child, "ID");
    } else if (child.name == "Cursor") {
      area.cursor = TextAttribute(child, "Type");
    } else if (child.name == "Click") {
      area.clicks.push_back(ReadClick(reading, child));
    } else if (child.name == "Area") {
      area.children.push_back(ReadArea(reading, child));
    }
  }
  return area;
}

// <Mouse> is the whole gauge's area. When it carries nothing of its own, its <Area>s are the
// gauge's top-level areas, as <MouseArea>s are in the newer format.
void ReadMouse(GaugeReading* reading, const XmlNode& node, XmlGauge* gauge) {
  MouseArea whole = ReadArea(reading, node);
  bool own = !whole.visible.Empty() || !whole.tooltip.text.empty() || !whole.tooltip_id.empty() ||
             !whole.cursor.empty() || !whole.clicks.empty();
  if (own) return gauge->areas.push_back(std::move(whole));
  for (MouseArea& area : whole.children) gauge->areas.push_back(std::move(area));
}

}  // namespace

void ReadOlderGauge(const XmlNode& node, GaugeReading* reading, XmlGauge* gauge) {
  gauge->line = node.line;
  gauge->name = TextAttribute(node, "Name");
  for (const XmlNode& child : node.children) {
    if (child.is_text) continue;
    if (child.name == "Macro") {
      gauge->macros.push_back({TextAttribute(child, "Name"), reading->TextOf(child, "Macro")});
    } else if (child.name == "Update") {
      gauge->update = reading->TextOf(child, "Update");
      gauge->update_frequency = NumberAttribute(reading, child, "Frequency", nullptr);
    } else if (child.name == "Element") {
      gauge->root.children.push_back(reading->ReadElement(child));
    } else if (child.name == "Mouse") {
      ReadMouse(reading, child, gauge);
    } else if (child.name == "Keys") {
      reading->ReadKeys(child);
    } else if (child.name == "Size") {
      gauge->width = NumberAttribute(reading, child, "X", nullptr);
      gauge->height = NumberAttribute(reading, child, "Y", nullptr);
    } else {
      reading->CollectScripts(child, child.name, reading->ContentOf(child, node), &gauge->root);
    }
  }
}

}  // namespace bench::panels
