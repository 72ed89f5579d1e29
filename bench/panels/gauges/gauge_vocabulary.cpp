// The names each gauge format knows. The host skips an element or attribute it does not know
// without a word, so a misspelt <Visible> leaves an element always shown and a misspelt Kind=
// leaves a switch dead; the checks warn on what is outside these lists. The lists are generous
// (drawing parts the bench never draws are in them too) so that a correct gauge gives no
// warning.
#include <algorithm>
#include <cstring>
#include <iterator>

#include "bench/panels/gauges/gauge_reading.h"

namespace bench::panels {
namespace {

const char* const kOlderElements[] = {
    "Area",      "Axis",         "Circle",  "Clip",   "Click",   "Color",    "Comment",
    "Copyright", "Cursor",       "Case",    "Delay",  "Element", "Failures", "Gauge",
    "Help",      "Image",        "Item",    "Keys",   "Line",    "Macro",    "MaskImage",
    "Mouse",     "Nonlinearity", "On",      "Point",  "Polygon", "Polyline", "Position",
    "Rectangle", "Rotate",       "Scale",   "Select", "Shift",   "Size",     "String",
    "Text",      "Texture",      "Tooltip", "Update", "Value",   "Visible"};

const char* const kNewerElements[] = {"Alpha",
                                      "Antialias",
                                      "Axis",
                                      "BackgroundColor",
                                      "BackgroundColorScript",
                                      "Bitmap",
                                      "Blink",
                                      "Bold",
                                      "Bright",
                                      "Case",
                                      "Circle",
                                      "ClickRepeat",
                                      "ClickType",
                                      "Clip",
                                      "Comment",
                                      "Copyright",
                                      "CursorType",
                                      "Delay",
                                      "DelayValue",
                                      "DefaultId",
                                      "DefaultScript",
                                      "Descr",
                                      "Element",
                                      "EndAngle",
                                      "Expression",
                                      "ExpressionResult",
                                      "Failures",
                                      "FillColor",
                                      "FloatPosition",
                                      "FontColor",
                                      "FontColorScript",
                                      "FontFace",
                                      "FontHeight",
                                      "FontWeight",
                                      "Frequency",
                                      "GaugeString",
                                      "GaugeText",
                                      "Height",
                                      "HeightFit",
                                      "HelpID",
                                      "HorizontalAlign",
                                      "Image",
                                      "Italic",
                                      "KeyEvent",
                                      "Keys",
                                      "Length",
                                      "LineColor",
                                      "LineWidth",
                                      "Luminous",
                                      "Macro",
                                      "MacroValue",
                                      "MaskImage",
                                      "Masked",
                                      "Maximum",
                                      "Minimum",
                                      "MouseArea",
                                      "MouseClick",
                                      "Nonlinearity",
                                      "NonlinearityEntry",
                                      "On",
                                      "Point",
                                      "PointsTo",
                                      "Polygon",
                                      "Polyline",
                                      "Radius",
                                      "Rectangle",
                                      "Rotation",
                                      "Scale",
                                      "Script",
                                      "Scroll",
                                      "ScrollX",
                                      "ScrollY",
                                      "Select",
                                      "Shift",
                                      "SimGauge.Gauge",
                                      "Size",
                                      "StartAngle",
                                      "Tabs",
                                      "Texture",
                                      "Tooltip",
                                      "TooltipID",
                                      "Transparent",
                                      "Update",
                                      "UseTransparency",
                                      "VerticalAlign",
                                      "Visibility",
                                      "Width",
                                      "WidthFit"};

// Attributes of the older format's parts that the runner interprets.
struct KnownAttributes {
  const char* element;
  const char* names[7];
};
const KnownAttributes kOlderAttributes[] = {
    {"Gauge", {"Name", "Version", "ArtDirectory"}},
    {"Macro", {"Name"}},
    {"Update", {"Frequency", "Hidden"}},
    {"Area", {"Left", "Top", "Width", "Height", "Right", "Bottom"}},
    {"Click", {"Kind", "Event", "Repeat"}},
    {"Cursor", {"Type"}},
    {"Tooltip", {"ID"}},
    {"On", {"Key"}},
};

template <typename List>
bool Listed(const List& list, const std::string& name) {
  return std::any_of(std::begin(list), std::end(list),
                     [&](const char* known) { return known && name == known; });
}

void CheckAttributes(const XmlNode& node, XmlGauge* gauge) {
  for (const KnownAttributes& known : kOlderAttributes) {
    if (node.name != known.element) continue;
    for (const XmlAttribute& a : node.attributes)
      if (!Listed(known.names, a.name)) gauge->unknown.push_back({a.name, node.name, true, a.line});
  }
}

void Walk(const XmlNode& node, XmlGauge* gauge) {
  bool older = gauge->format == GaugeFormat::kOlder;
  if (older) CheckAttributes(node, gauge);
  // What a failure list or a comment holds is free-form: failures are named by system.
  if (node.name == "Failures" || node.name == "Comment") return;
  for (const XmlNode& child : node.children) {
    if (child.is_text) continue;
    if (older ? Listed(kOlderElements, child.name) : Listed(kNewerElements, child.name))
      Walk(child, gauge);
    else
      gauge->unknown.push_back({child.name, node.name, false, child.line});
  }
}

}  // namespace

void FindUnknownNames(const XmlNode& gauge_node, XmlGauge* gauge) { Walk(gauge_node, gauge); }

}  // namespace bench::panels
