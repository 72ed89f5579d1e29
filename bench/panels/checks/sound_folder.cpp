// The module's sounds under the simulator folder: check-sounds' verdicts, on the files that
// the panel's sound gauge will load. A refused file is a silent sound in the simulator; a
// missing one is allowed (a panel may use only some sounds), so it is a note.
#include "bench/panels/checks/panel_checks.h"
#include "bench/panels/folders.h"
#include "bench/sounds/sound_files.h"
#include "sound/sound_slots.h"

namespace bench::panels {
namespace {

bool PanelHasSoundGauge(const Panel& panel) {
  for (const PanelGauge& gauge : panel.gauges)
    if (gauge.resolved.target == GaugeTarget::kOurModule &&
        gauge.resolved.module_gauge == kModuleGauges[kSoundGauge])
      return true;
  return false;
}

}  // namespace

fs::path SoundFolder(const std::string& sim_root) {
  return IsFolder(sim_root) ? FindPath(sim_root, "Sound\\KV3_R40") : fs::path();
}

SlotFile JudgeSlotFile(const fs::path& folder, const sound::SoundSlot& slot) {
  std::string name = SlotFileName(slot);
  fs::path found = FindEntry(folder, name);
  fs::path path = found.empty() ? folder / name : found;
  return {Shown(path), !found.empty(), JudgeWave(path.string())};
}

void CheckSoundFolder(const std::string& sim_root, Panel* panel) {
  if (!PanelHasSoundGauge(*panel) || !IsFolder(sim_root)) return;
  fs::path folder = SoundFolder(sim_root);
  if (folder.empty()) {
    panel->findings.push_back({Shown(fs::path(sim_root) / "Sound" / "KV3_R40"), 0,
                               Severity::kWarning,
                               "no sound folder: every sound of the XMLSound gauge is silent; "
                               "put the module's WAV files there"});
    return;
  }
  for (const sound::SoundSlot* s = sound::SoundTable; s->variable_name; ++s) {
    SlotFile file = JudgeSlotFile(folder, *s);
    const WaveVerdict& verdict = file.verdict;
    if (verdict.kind == WaveVerdict::kOk) continue;
    const std::string& shown = file.shown;
    std::string sound = "\"" + std::string(s->variable_name) + "\" is silent";
    if (!file.found)
      panel->findings.push_back({shown, 0, Severity::kNote, "missing: " + sound});
    else
      panel->findings.push_back(
          {shown, 0, Severity::kError,
           (verdict.kind == WaveVerdict::kDirectSoundRule ? "DirectSound refuses it: " : "") +
               verdict.text + ": " + sound + "; save it again as a PCM WAV file"});
  }
}

}  // namespace bench::panels
