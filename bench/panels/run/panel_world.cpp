#include "bench/panels/run/panel_world.h"

#include <algorithm>
#include <cctype>

#include "bench/common/names.h"
#include "bench/host/host_emulator.h"
#include "bench/script/references.h"

namespace bench::panels {
namespace {

// The clock's variables: every one a panel reads its time from counts seconds here.
bool IsTime(std::string_view name) {
  std::string upper = Upper(name);
  return upper == "ABSOLUTE TIME" || upper == "SIMULATION TIME" || upper == "ZULU TIME" ||
         upper == "LOCAL TIME";
}

}  // namespace

PanelWorld::PanelWorld(HostEmulator& host, std::vector<std::string> valued_events)
    : host_(host), valued_events_(std::move(valued_events)) {}

int32_t PanelWorld::Intern(std::vector<std::string>* names, const std::string& name) {
  auto found = std::find(names->begin(), names->end(), name);
  if (found == names->end()) found = names->insert(found, name);
  return static_cast<int32_t>(found - names->begin());
}

int32_t PanelWorld::AircraftIndex(const std::string& name) {
  std::string folded = Upper(name);
  for (size_t i = 0; i < aircraft_.size(); ++i)
    if (aircraft_[i].name == folded) return static_cast<int32_t>(i);
  aircraft_.push_back({folded});
  return static_cast<int32_t>(aircraft_.size() - 1);
}

void PanelWorld::SetAircraft(const std::string& name, double value) {
  Aircraft& a = aircraft_[AircraftIndex(name)];
  a.value = value, a.set = true;
}

// Only what the rule serves comes here (script/references.h): no write to a read-only prefix,
// no read of a key event, no G: or M: name outside its range.
script::Binding PanelWorld::Resolve(const script::VariableUse& use, GaugeLocals* locals) {
  script::Binding b;
  b.store = this;
  std::string name(use.name);
  switch (use.prefix) {
    case 'L': {
      int32_t index = Intern(&local_names_, name);
      // Scripts are read when the gauge loads; every name they mention exists from then on.
      if (static_cast<size_t>(index) == local_ids_.size())
        local_ids_.push_back(host_.CreateVariable(name, 0));
      b.id = Id(kLocal, index);
      return b;
    }
    case 'A':
      b.id =
          Id(kAircraft, AircraftIndex(use.index ? name + ":" + std::to_string(use.index) : name));
      b.note = script::Written(use) +
               " has no value in this session; it reads 0 (give it one with a 'sim' step)";
      return b;
    case 'K':
      b.id = Id(kKey, Intern(&events_, name));
      b.pops = std::count(valued_events_.begin(), valued_events_.end(), name) > 0;
      return b;
    case 'G':
      b.store = locals, b.id = script::GaugeVariable(use.name);
      return b;
    case 'M':
      b.id = Id(kMouse, static_cast<size_t>(script::FindMouseValue(use.name)));
      return b;
    case 'E':
    case 'P':
      if (IsTime(name)) return b.id = Id(kTime, 0), b;
      break;
  }
  b.id = Id(kNothing, 0);
  b.note = Unserved(use);
  return b;
}

std::string PanelWorld::Unserved(const script::VariableUse& use) {
  std::string shown = script::Written(use);
  std::string outcome = use.write ? "the write is dropped" : "it reads 0";
  if (use.prefix == 'C')
    return shown + " is served by another code module, which the bench does not run: " + outcome;
  if (use.prefix == 'R')
    return shown + " is a resource string, which the bench does not have: it reads ''";
  return shown + " has no value in the bench: " + outcome;
}

bool PanelWorld::Read(int32_t id, double* value) {
  size_t index = id & 0xFFFFFF;
  *value = 0;
  switch (id >> 24) {
    case kLocal:
      *value = host_.PanelRead(local_ids_[index]);
      return true;
    case kAircraft:
      *value = aircraft_[index].value;
      return aircraft_[index].set;
    case kMouse: {
      auto mouse = static_cast<script::MouseValue>(index);
      *value = mouse == script::MouseValue::kX ? x_ : mouse == script::MouseValue::kY ? y_ : 0;
      return true;
    }
    case kTime:
      *value = seconds_;
      return true;
    default:
      return false;
  }
}

bool PanelWorld::ReadText(int32_t id, std::string_view* text) {
  *text = {};
  if (id >> 24 != kMouse) return false;  // a resource string: the bench has none
  *text =
      static_cast<script::MouseValue>(id & 0xFFFFFF) == script::MouseValue::kEvent ? event_ : key_;
  return true;
}

bool PanelWorld::Write(int32_t id, double value) {
  size_t index = id & 0xFFFFFF;
  switch (id >> 24) {
    case kLocal:
      if (host_.PanelWrite(local_ids_[index], value) && host_.tracing())
        host_.Note("panel: (>L:" + local_names_[index] + ") " + FormatValue(value));
      return true;
    case kKey:
      Sent(index, value);
      return true;
    default:
      return false;
  }
}

void PanelWorld::Sent(size_t event, double value) {
  const std::string& name = events_[event];
  bool valued = std::count(valued_events_.begin(), valued_events_.end(), name) > 0;
  key_events_.push_back({name, valued, value});
  if (host_.tracing())
    host_.Note("panel: (>K:" + name + ")" + (valued ? " " + FormatValue(value) : ""));
}

void PanelWorld::SendKeyEvent(const std::string& name) { Sent(Intern(&events_, name), 0); }

}  // namespace bench::panels
