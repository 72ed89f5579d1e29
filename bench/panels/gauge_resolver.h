// Resolving every gauge line of a read panel.cfg to what the host would load for it.
#pragma once

#include "bench/panels/folders.h"
#include "bench/panels/panel.h"

namespace bench::panels {

// Fills panel->gauges and panel->xml_gauges from panel->cfg, looking in the panel folder and
// then in panel->sim_root's Gauges folder; lines that load nothing, and gauges that hide behind
// a folder of the same name, become findings.
void ResolveGauges(const fs::path& panel_dir, Panel* panel);

}  // namespace bench::panels
