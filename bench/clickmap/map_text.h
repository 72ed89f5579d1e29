// The click map as text: one line per area and mouse event, compiler style, sorted by window,
// gauge and position (top to bottom, then left to right):
//   FILE:LINE: GAUGE "TOOLTIP" EVENT: plays toggle switch once at -10 dB; sends
//   TOGGLE_MASTER_BATTERY; Battery switch 0 -> 1
#pragma once

#include <string>
#include <vector>

#include "bench/clickmap/click_map.h"

namespace bench::clickmap {

// What one click did, as the line says it after "EVENT: ".
std::string DescribeClick(const ClickEffect& click);
// One line for each of the area's clicks; one for an area that takes none, is hidden or cannot
// be reached.
std::vector<std::string> AreaLines(const MappedGauge& gauge, const MappedArea& area);
// Every line of the map, in the map's order.
std::vector<std::string> MapLines(const ClickMap& map);
// "12 areas, 15 clicks: 4 play a sound, 6 act without one, ...": what the map holds.
std::string MapSummary(const ClickMap& map);

}  // namespace bench::clickmap
