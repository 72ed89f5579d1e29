// check-panel: everything the bench can tell a panel author about their panel before it runs,
// each finding on its file and line. The reader's own findings (files it cannot read, lines
// that load nothing, XML that is not well-formed) come first; each check here adds its own.
#pragma once

#include <string>
#include <vector>

#include "bench/panels/folders.h"
#include "bench/panels/panel.h"
#include "bench/script/program.h"
#include "bench/sounds/sound_files.h"
#include "sound/sound_slots.h"

namespace bench::panels {

// Prints the findings, sorted, compiler style. 0: nothing to fix (notes allowed); 1: an error
// or a warning; 2: the folder is not an aircraft, or a file cannot be read.
int CheckPanel(const std::string& dir, const PanelOptions& options);

// A variable reference of a compiled script, and whether its script runs on every gauge
// cycle (an update or element script) rather than on a click or key.
struct ScriptReference {
  std::string file;
  script::VariableFact fact;
  bool every_frame = false;
};

// The first line that names this gauge of the module (one of kModuleGauges), or nullptr.
const GaugeLine* FirstModuleLine(const Panel& panel, const char* module_gauge);

// The checks, each adding to panel->findings.
void CheckWindowKeys(Panel* panel);
void CheckGaugeNames(Panel* panel);
// Compiles every script of the panel's gauges; its references feed CheckVariables.
std::vector<ScriptReference> CheckScripts(Panel* panel);
void CheckVariables(const std::vector<ScriptReference>& references, Panel* panel);
// The module's gauge lines, and whether the scripts name the traffic gauge's variables.
void CheckModuleLines(const std::vector<ScriptReference>& references, Panel* panel);
void CheckSoundFolder(const std::string& sim_root, Panel* panel);

// The module's sound folder, Sound\KV3_R40 in the simulator folder, found in any case; an
// empty path when there is none.
fs::path SoundFolder(const std::string& sim_root);
// A sound slot's file in that folder, as the module will load it, and check-sounds' verdict.
struct SlotFile {
  std::string shown;  // the file as findings name it
  bool found = false;
  WaveVerdict verdict;
};
SlotFile JudgeSlotFile(const fs::path& folder, const sound::SoundSlot& slot);

}  // namespace bench::panels
