// The newer gauge format: <SimBase.Document> holding <SimGauge.Gauge>, settings in child
// elements, scripts in <Script> and text in <GaugeString>.
#include <iterator>

#include "bench/panels/gauges/vocabulary.h"

namespace bench::panels {
namespace {

#define KV3_DRAWING                                                                   \
  "Image MaskImage GaugeText Polygon Polyline Rectangle Circle Ellipse Arc Pie Line " \
  "HorizontalLine VerticalLine CustomDraw Clip Failures Element"
#define KV3_SHAPE                                                                          \
  "FloatPosition Axis Width Height Length Radius StartAngle EndAngle LineWidth LineColor " \
  "FillColor Bright Luminous Transparent Closed Failures"
#define KV3_PICTURE                                                                        \
  "Transparent Bright Axis Luminous Alpha NoBilinear ImageSizes PointsTo DegreesPointsTo " \
  "UseTransparency NoTransparency Nonlinearity NonlinearityTable"

// clang-format off
const ElementRule kRules[] = {
    {"SimBase.Document", Content::kElements, "Descr Filename SimGauge.Gauge Comment",
     "Type version id xmlns:xsi xsi:noNamespaceSchemaLocation"},
    {"Descr", Content::kFree, "", "*"},
    {"Filename", Content::kFree, "", "*"},
    {"Comment", Content::kFree, "*", "*"},
    {"Copyright", Content::kFree, "*", "*"},
    {"SimGauge.Gauge", Content::kElements,
     "FloatPosition Size Image Element MouseArea Macro Update Keys Comment Copyright Failures",
     "id ArtDirectory"},
    {"FloatPosition", Content::kValue, "", ""},
    {"Size", Content::kValue, "", ""},
    {"Element", Content::kElements, "FloatPosition Visibility Rotation Shift Select " KV3_DRAWING,
     "id"},
    {"Visibility", Content::kScript, "", ""},
    {"Image", Content::kElements, KV3_PICTURE, "id Name ImageSizes"},
    {"MaskImage", Content::kElements, KV3_PICTURE " Image", "id Name ImageSizes"},
    {"Transparent", Content::kValue, "", ""},
    {"Bright", Content::kValue, "", ""},
    {"Luminous", Content::kValue, "", ""},
    {"Alpha", Content::kValue, "", ""},
    {"NoBilinear", Content::kValue, "", ""},
    {"NoTransparency", Content::kValue, "", ""},
    {"UseTransparency", Content::kValue, "", ""},
    {"ImageSizes", Content::kValue, "", ""},
    {"Axis", Content::kValue, "", ""},
    {"PointsTo", Content::kValue, "", ""},
    {"DegreesPointsTo", Content::kValue, "", ""},
    {"Rotation", Content::kElements,
     "DegreesPointsTo PointsTo Expression NonlinearityTable Nonlinearity Delay Failures", "id"},
    {"Shift", Content::kElements,
     "Expression NonlinearityTable Nonlinearity Scale Delay Failures", "id"},
    {"Select", Content::kElements, "Expression Case Failures", "id"},
    {"Case", Content::kElements, "ExpressionResult FloatPosition Visibility " KV3_DRAWING, "id"},
    {"Expression", Content::kElements, "Minimum Maximum Script", "id"},
    {"Minimum", Content::kValue, "", ""},
    {"Maximum", Content::kValue, "", ""},
    {"Script", Content::kScript, "", ""},
    {"Scale", Content::kValue, "", ""},
    {"Delay", Content::kElements, "DelayValue PixelsPerSecond DegreesPerSecond", "id"},
    {"DelayValue", Content::kValue, "", ""},
    {"PixelsPerSecond", Content::kValue, "", ""},
    {"DegreesPerSecond", Content::kValue, "", ""},
    {"NonlinearityTable", Content::kElements, "NonlinearityEntry", "id"},
    {"Nonlinearity", Content::kElements, "NonlinearityEntry", "id"},
    {"NonlinearityEntry", Content::kElements, "ExpressionResult FloatPosition Degrees", "id"},
    {"ExpressionResult", Content::kValue, "", ""},
    {"Degrees", Content::kValue, "", ""},
    {"GaugeText", Content::kElements,
     "GaugeString FloatPosition Size Axis FontFace FontHeight FontWeight FontColor "
     "BackgroundColor HilightColor Bright Luminous Transparent Length HorizontalAlign "
     "VerticalAlign Tabs Multiline LineSpacing Blink Italic Underline StrikeThrough Fixed "
     "WidthFit HeightFit Scroll ScrollX ScrollY FontColorScript BackgroundColorScript "
     "FontHeightScript FontWeightScript HilightColorScript Failures",
     "id"},
    {"GaugeString", Content::kText, "", ""},
    {"FontColorScript", Content::kScript, "", ""},
    {"BackgroundColorScript", Content::kScript, "", ""},
    {"FontHeightScript", Content::kScript, "", ""},
    {"FontWeightScript", Content::kScript, "", ""},
    {"HilightColorScript", Content::kScript, "", ""},
    {"FontFace", Content::kValue, "", ""},
    {"FontHeight", Content::kValue, "", ""},
    {"FontWeight", Content::kValue, "", ""},
    {"FontColor", Content::kValue, "", ""},
    {"BackgroundColor", Content::kValue, "", ""},
    {"HilightColor", Content::kValue, "", ""},
    {"Length", Content::kValue, "", ""},
    {"HorizontalAlign", Content::kValue, "", ""},
    {"VerticalAlign", Content::kValue, "", ""},
    {"Tabs", Content::kValue, "", ""},
    {"Multiline", Content::kValue, "", ""},
    {"LineSpacing", Content::kValue, "", ""},
    {"Blink", Content::kValue, "", ""},
    {"Italic", Content::kValue, "", ""},
    {"Underline", Content::kValue, "", ""},
    {"StrikeThrough", Content::kValue, "", ""},
    {"Fixed", Content::kValue, "", ""},
    {"WidthFit", Content::kValue, "", ""},
    {"HeightFit", Content::kValue, "", ""},
    {"Scroll", Content::kValue, "", ""},
    {"ScrollX", Content::kValue, "", ""},
    {"ScrollY", Content::kValue, "", ""},
    {"Polygon", Content::kElements, "Point " KV3_SHAPE, "id"},
    {"Polyline", Content::kElements, "Point " KV3_SHAPE, "id"},
    {"Point", Content::kValue, "", "id"},
    {"Rectangle", Content::kElements, KV3_SHAPE, "id"},
    {"Circle", Content::kElements, KV3_SHAPE, "id"},
    {"Ellipse", Content::kElements, KV3_SHAPE, "id"},
    {"Arc", Content::kElements, KV3_SHAPE, "id"},
    {"Pie", Content::kElements, KV3_SHAPE, "id"},
    {"Line", Content::kElements, KV3_SHAPE, "id"},
    {"HorizontalLine", Content::kElements, KV3_SHAPE, "id"},
    {"VerticalLine", Content::kElements, KV3_SHAPE, "id"},
    {"Width", Content::kValue, "", ""},
    {"Height", Content::kValue, "", ""},
    {"Radius", Content::kValue, "", ""},
    {"StartAngle", Content::kValue, "", ""},
    {"EndAngle", Content::kValue, "", ""},
    {"LineWidth", Content::kValue, "", ""},
    {"LineColor", Content::kValue, "", ""},
    {"FillColor", Content::kValue, "", ""},
    {"Closed", Content::kValue, "", ""},
    {"Clip", Content::kElements, "FloatPosition Size", "id"},
    {"CustomDraw", Content::kElements, "*", "*", Content::kScript},
    {"Failures", Content::kFree, "*", "*"},
    {"MouseArea", Content::kElements,
     "FloatPosition Size Visibility CursorType Tooltip TooltipID MouseClick MouseArea EventType "
     "HelpId",
     "id"},
    {"CursorType", Content::kValue, "", ""},
    {"EventType", Content::kValue, "", ""},
    {"HelpId", Content::kValue, "", ""},
    {"Tooltip", Content::kElements, "DefaultScript DefaultId TooltipID MetricScript MetricId",
     "id"},
    {"DefaultScript", Content::kText, "", ""},
    {"MetricScript", Content::kText, "", ""},
    {"DefaultId", Content::kValue, "", ""},
    {"MetricId", Content::kValue, "", ""},
    {"TooltipID", Content::kValue, "", ""},
    {"MouseClick", Content::kElements, "ClickType ClickRepeat KeyEvent Script", "id"},
    {"ClickType", Content::kValue, "", ""},
    {"ClickRepeat", Content::kValue, "", ""},
    {"KeyEvent", Content::kValue, "", ""},
    {"Update", Content::kElements, "Frequency Script", "id"},
    {"Frequency", Content::kValue, "", ""},
    // Some authors write the macro's text straight into <Macro>, as the older format does.
    {"Macro", Content::kValue, "MacroValue", "id Name"},
    {"MacroValue", Content::kValue, "", ""},
    {"Keys", Content::kElements, "On", "id"},
    {"On", Content::kScript, "Visibility", "Key Event id"},
};
// clang-format on

#undef KV3_DRAWING
#undef KV3_SHAPE
#undef KV3_PICTURE

}  // namespace

extern const Vocabulary kNewerVocabulary("newer", kRules, std::size(kRules));

}  // namespace bench::panels
