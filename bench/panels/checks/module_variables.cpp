#include "bench/panels/checks/module_variables.h"

#include <cctype>
#include <vector>

#include "bench/common/names.h"
#include "bench/panels/panel.h"
#include "handoff/radio_handoff.h"
#include "sound/sound_slots.h"
#include "traffic/traffic.h"

namespace bench::panels {
namespace {

std::vector<ModuleVariable> Collect() {
  std::vector<ModuleVariable> all;
  for (const sound::SoundSlot* s = sound::SoundTable; s->variable_name; ++s)
    all.push_back(
        {s->variable_name, sound::kSlotUnits, true, false, kModuleGauges[kSoundGauge], true});
  // The radios are read when the sound gauge is torn down.
  for (const handoff::RadioPair& radio : handoff::kRadios)
    all.push_back(
        {radio.variable, handoff::kRadioUnits, true, false, kModuleGauges[kSoundGauge], false});
  for (int i = 0; i < traffic::kPanelVariableCount; ++i) {
    const traffic::PanelVariable& v = traffic::kPanelVariables[i];
    all.push_back(
        {v.name, v.units, i == traffic::kUpdate, true, kModuleGauges[kTrafficGauge], false});
  }
  return all;
}

const std::vector<ModuleVariable>& All() {
  static const std::vector<ModuleVariable> all = Collect();
  return all;
}

// "NAV3 frequency" is a radio of the panel's own, not a typo of "NAV1 frequency".
bool OnlyDigitsDiffer(const std::string& a, const std::string& b) {
  if (a.size() != b.size() || a == b) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i] && !(std::isdigit(static_cast<unsigned char>(a[i])) &&
                          std::isdigit(static_cast<unsigned char>(b[i]))))
      return false;
  return true;
}

// Units the host knows by more than one name, folded.
const char* const kSynonyms[][5] = {{"enum", "number", "numbers", nullptr},
                                    {"degrees", "degree", nullptr},
                                    {"nmiles", "nmile", "nauticalmiles", "nauticalmile", nullptr},
                                    {"meters", "meter", "metres", "metre", nullptr},
                                    {"mhz", "megahertz", nullptr}};

bool InGroup(const char* const* group, const std::string& folded) {
  for (; *group; ++group)
    if (folded == *group) return true;
  return false;
}

}  // namespace

const ModuleVariable* FindModuleVariable(const std::string& name, bool* exact) {
  *exact = true;
  for (const ModuleVariable& v : All())
    if (name == v.name) return &v;
  *exact = false;
  for (const ModuleVariable& v : All())
    if (Folded(name) == Folded(v.name)) return &v;
  const ModuleVariable* nearest = nullptr;
  const size_t limit = name.size() < 12 ? 1 : 2;  // a short name is easier to hit by accident
  size_t best = limit + 1;
  for (const ModuleVariable& v : All()) {
    size_t distance = EditDistance(name, v.name);
    if (distance < best && !OnlyDigitsDiffer(name, v.name)) nearest = &v, best = distance;
  }
  return nearest;
}

bool SameUnits(const std::string& written, const char* module_units) {
  std::string a = Folded(written), b = Folded(module_units);
  if (a == b) return true;
  for (const auto& group : kSynonyms)
    if (InGroup(group, a) && InGroup(group, b)) return true;
  return false;
}

std::string ShownUnits(const char* module_units) {
  std::string units(module_units);
  for (char c : units)
    if (std::islower(static_cast<unsigned char>(c))) return units;
  return Lower(units);
}

}  // namespace bench::panels
