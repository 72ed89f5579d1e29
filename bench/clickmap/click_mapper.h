// Builds the click map: loads the module and the panel as a session does, lets the panel
// settle for a second of frames, then clicks every mouse area with every mouse event it takes.
#pragma once

#include <string>

#include "bench/clickmap/click_map.h"
#include "bench/panels/panel.h"

namespace bench::clickmap {

struct MapOptions {
  std::string module;    // the module to load
  std::string aircraft;  // the aircraft (or panel) folder
  panels::PanelOptions panel;
};

// False, with why in *error, when the module or the panel does not load.
bool MapClicks(const MapOptions& options, ClickMap* map, std::string* error);

}  // namespace bench::clickmap
