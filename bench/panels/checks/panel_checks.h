// check-panel: everything the bench can tell a panel author about their panel before it runs,
// each finding on its file and line. The reader's own findings (files it cannot read, lines
// that load nothing, XML that is not well-formed) come first; each check here adds its own.
#pragma once

#include <string>
#include <vector>

#include "bench/panels/folders.h"
#include "bench/panels/panel.h"

namespace bench::panels {

// Prints the findings, sorted, compiler style. 0: nothing to fix (notes allowed); 1: an error
// or a warning; 2: the folder is not an aircraft, or a file cannot be read.
int CheckPanel(const std::string& dir, const PanelOptions& options);

// Letters to change, add or drop to turn a into b: how near a misspelling is (small words).
size_t EditDistance(const std::string& a, const std::string& b);

// The checks, each adding to panel->findings.
void CheckWindowKeys(Panel* panel);
void CheckGaugeNames(Panel* panel);
void CheckScripts(Panel* panel);
void CheckModuleLines(Panel* panel);
void CheckSoundFolder(const std::string& sim_root, Panel* panel);

}  // namespace bench::panels
