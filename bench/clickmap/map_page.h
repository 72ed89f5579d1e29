// The click map as one standalone HTML page: each window drawn at its size over its own
// background bitmap, each gauge's rectangle, and each mouse area coloured by what clicking it
// does, its tooltip and effects shown on hover; then a legend and the text lines as a table.
// Nothing is fetched from anywhere (the bitmaps are inside the page), so it opens from disk in
// any browser. Every area carries its place in data- attributes, which tests/check-click-map
// reads back in a real browser:
//   class="area"  data-file, data-line  the area's gauge file and line, as the text names them
//                 data-box              "LEFT TOP WIDTH HEIGHT" in the window's coordinates
//                 data-kind             the kind's name in the legend's order (AreaKindName)
//   its child .tip  the area's text lines (map_text.h), one .tip-line each
//   class="canvas"  data-size  "WIDTH HEIGHT" of the window, which the areas are placed in
#pragma once

#include <string>

#include "bench/clickmap/click_map.h"

namespace bench::clickmap {

// The page; background bitmaps are looked for in panel_dir, the folder holding panel.cfg.
std::string MapPage(const ClickMap& map, const std::string& panel_dir);

// "plays", "sound-broken", "acts", "nothing", "hidden", "unreachable": the page's class and
// data-kind for an area of that kind.
const char* AreaKindName(AreaKind kind);

}  // namespace bench::clickmap
