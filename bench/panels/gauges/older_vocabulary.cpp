// The older gauge format: <Gauge Name=...>, settings in attributes, scripts as element text.
#include <iterator>

#include "bench/panels/gauges/vocabulary.h"

namespace bench::panels {
namespace {

// What an element draws with, in <Element> and in a <Case> of <Select>.
#define KV3_DRAWING                                                                          \
  "Image MaskImage Text FormattedText CustomDraw Rectangle Arc VerticalLine HorizontalLine " \
  "Polygon Polyline Line Circle Ellipse Clip Failures Element"
#define KV3_SHAPE "LineWidth Color FillColor Bright"

// clang-format off
const ElementRule kRules[] = {
    {"Gauge", Content::kElements,
     "Size Update Element Mouse Keys Macro Comment Copyright Image Failures", "Name Version"},
    {"Size", Content::kValue, "", "X Y"},
    {"Update", Content::kScript, "", "Frequency Hidden"},
    {"Macro", Content::kValue, "", "Name"},
    {"Comment", Content::kFree, "", "*"},
    {"Copyright", Content::kFree, "", "*"},
    // Shipped gauges put an empty <Update Frequency=.../>, a <Size> and an empty <Container/>
    // inside elements; no reference says what they do there.
    {"Element", Content::kElements, "Position Visible Select Shift Rotate Size Update Container "
     KV3_DRAWING, "id Name"},
    {"Container", Content::kElements, "", ""},
    {"Position", Content::kValue, "", "X Y"},
    {"Visible", Content::kScript, "", ""},
    {"Select", Content::kElements, "Value Case Failures", ""},
    {"Case", Content::kElements, "Position Visible " KV3_DRAWING, "Value"},
    {"Value", Content::kScript, "", "Minimum Maximum"},
    {"Shift", Content::kElements, "Value Scale Nonlinearity Delay Failures", ""},
    {"Rotate", Content::kElements, "Value Nonlinearity Delay Failures", ""},
    {"Scale", Content::kValue, "", "X Y"},
    {"Delay", Content::kValue, "", "PixelsPerSecond DegreesPerSecond"},
    {"Nonlinearity", Content::kElements, "Item", ""},
    {"Item", Content::kValue, "", "Value X Y Degrees"},
    {"Image", Content::kElements, "Axis Nonlinearity",
     "Name Bright Transparent ImageSizes PointsTo DegreesPointsTo UseTransparency Luminous Alpha "
     "NoBilinear NoTransparency"},
    {"MaskImage", Content::kElements, "Axis Image",
     "Name Bright Transparent ImageSizes PointsTo DegreesPointsTo Luminous"},
    {"Axis", Content::kValue, "", "X Y"},
    {"Text", Content::kElements, "String Axis Failures",
     "X Y Length Font FontSize FontWeight Color BackgroundColor Bright Adjust VerticalAdjust Fixed "
     "Multiline MultiLine Tabs Blink LineSpacing Luminous HilightColor Scroll Transparent"},
    {"FormattedText", Content::kElements, "String Font Color Image Axis Failures",
     "X Y Length Font FontSize FontWeight Color BackgroundColor Bright Adjust VerticalAdjust Fixed "
     "Multiline MultiLine Tabs LineSpacing Luminous HilightColor Transparent"},
    {"String", Content::kText, "", ""},
    {"Font", Content::kValue, "", "Name Font FontSize FontWeight"},
    {"Color", Content::kValue, "", "Value"},
    // The drawing parameters of a <CustomDraw> are whatever its drawing module reads (a moving
    // map has seventy), each a script.
    {"CustomDraw", Content::kElements, "*", "*", Content::kScript},
    {"Rectangle", Content::kElements, "Axis Failures", "Width Height " KV3_SHAPE},
    {"Arc", Content::kElements, "Axis Failures",
     "Radius StartAngle EndAngle Width Height " KV3_SHAPE},
    {"VerticalLine", Content::kElements, "Axis Failures", "Height Width " KV3_SHAPE},
    {"HorizontalLine", Content::kElements, "Axis Failures", "Width Height " KV3_SHAPE},
    {"Polygon", Content::kElements, "Point Axis Failures", KV3_SHAPE},
    {"Polyline", Content::kElements, "Point Axis Failures", KV3_SHAPE},
    {"Point", Content::kValue, "", "X Y"},
    {"Line", Content::kElements, "Axis Failures", "Width Height " KV3_SHAPE},
    {"Circle", Content::kElements, "Axis Failures", "Radius " KV3_SHAPE},
    {"Ellipse", Content::kElements, "Axis Failures", "Width Height " KV3_SHAPE},
    {"Clip", Content::kValue, "", "Left Top Right Bottom Width Height"},
    // A failure list names simulator systems, each an element of its own name.
    {"Failures", Content::kFree, "*", "*"},
    // <Mouse> is the area of the whole gauge: it may hold what an <Area> holds.
    {"Mouse", Content::kElements, "Area Visible Click Cursor Tooltip Help", ""},
    {"Area", Content::kElements, "Area Visible Click Cursor Tooltip Help",
     "Left Top Width Height Right Bottom Name"},
    {"Click", Content::kScript, "", "Kind Event Repeat"},
    {"Cursor", Content::kValue, "", "Type Repeat"},
    {"Tooltip", Content::kText, "", "ID MetricID"},
    {"Help", Content::kValue, "", "ID"},
    {"Keys", Content::kElements, "On", ""},
    {"On", Content::kScript, "Visible", "Key Event"},
};
// clang-format on

#undef KV3_DRAWING
#undef KV3_SHAPE

}  // namespace

extern const Vocabulary kOlderVocabulary("older", kRules, std::size(kRules));

}  // namespace bench::panels
