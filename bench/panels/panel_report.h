// read-panel: what the reader made of an aircraft folder, printed. The bench's tests compare
// it between the native bench (libmspack) and the Windows one (cabinet.dll) under Wine.
#pragma once

#include <string>

#include "bench/panels/panel.h"

namespace bench::panels {

// Prints each gauge line and what it resolves to, then the findings, sorted; 0 when a panel
// was read, 2 when the folder is not an aircraft or a file cannot be read.
int PrintPanelReading(const std::string& dir, const PanelOptions& options);

}  // namespace bench::panels
