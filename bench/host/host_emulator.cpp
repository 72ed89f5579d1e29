#include "bench/host/host_emulator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace bench {
namespace {
HostEmulator* current_emulator = nullptr;
}  // namespace

std::string HexText(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", value);
  return text;
}

std::string QuotedText(const char* text) { return text ? "\"" + std::string(text) + "\"" : "null"; }

std::string FormatValue(double value) {
  if (std::isnan(value)) return "nan";
  char text[40];
  std::snprintf(text, sizeof text, "%.10g", value);
  return text;
}

HostEmulator* HostEmulator::current() { return current_emulator; }

// The host's functions. Each logs one line: the operation, its arguments, its result.
struct Entries {
  static HostEmulator& H() { return *current_emulator; }

  static int32_t Element(const char* operation, GaugeElement* element, const std::string& extra) {
    HostEmulator& h = H();
    h.Log(std::string(operation) + "(" + h.ElementLabel(element) + extra + ") -> " +
          std::to_string(h.element_result_));
    return h.element_result_;
  }
  static int32_t HOST_STDCALL Query(GaugeElement* e) { return Element("ElementListQuery", e, ""); }
  static int32_t HOST_STDCALL Install(GaugeElement* e, uint32_t v) {
    return Element("ElementListInstall", e, ", " + HexText(v));
  }
  static int32_t HOST_STDCALL Initialize(GaugeElement* e) {
    return Element("ElementListInitialize", e, "");
  }
  static int32_t HOST_STDCALL Update(GaugeElement* e) {
    return Element("ElementListUpdate", e, "");
  }
  static int32_t HOST_STDCALL Generate(GaugeElement* e, uint32_t v) {
    return Element("ElementListGenerate", e, ", " + HexText(v));
  }
  static int32_t HOST_STDCALL Plot(GaugeElement* e) { return Element("ElementListPlot", e, ""); }
  static int32_t HOST_STDCALL Kill(GaugeElement* e) { return Element("ElementListKill", e, ""); }

  static int32_t HOST_STDCALL TriggerEvent(uint32_t event, uint32_t value) {
    H().Log("TriggerEvent(" + HexText(event) + ", " + HexText(value) + ")");
    return 1;
  }

  static void HOST_STDCALL LookupModuleVariable(ModuleVariableRecord* record) {
    uint32_t number;
    std::memcpy(&number, record->bytes, sizeof number);
    auto found = H().module_variables_.find(number);
    double value = found == H().module_variables_.end() ? 0.0 : found->second;
    std::memcpy(record->bytes + 12, &value, sizeof value);
    H().Log("LookupModuleVariable(" + std::to_string(number) + ") -> " + FormatValue(value));
  }

  static int32_t HOST_STDCALL FindNamedVariable(const char* name) {
    int32_t id = name ? H().Find(name) : -1;
    H().Log("FindNamedVariable(" + QuotedText(name) + ") -> " + std::to_string(id));
    return id;
  }

  static double HOST_STDCALL GetNamedVariable(int32_t id, int32_t units) {
    HostEmulator& h = H();
    double value = h.Present(id) ? h.variables_[id].value : 0.0;
    h.Log("GetNamedVariable(" + h.VariableLabel(id) + ", " + h.UnitsLabel(units) + ") -> " +
          FormatValue(value));
    return value;
  }

  static void HOST_STDCALL SetNamedVariable(int32_t id, double value, int32_t units) {
    HostEmulator& h = H();
    if (h.Present(id)) h.variables_[id].value = value;
    h.Log("SetNamedVariable(" + h.VariableLabel(id) + ", " + FormatValue(value) + ", " +
          h.UnitsLabel(units) + ")");
  }

  static int32_t HOST_STDCALL GetUnitsId(const char* name) {
    int32_t id = H().UnitsFor(name ? name : "");
    H().Log("GetUnitsId(" + QuotedText(name) + ") -> " + std::to_string(id));
    return id;
  }

  static void* HOST_STDCALL GetRegisteredCallback(const char* name) {
    void* object = H().traffic_.CallbackFor(name ? name : "");
    H().Log("GetRegisteredCallback(" + QuotedText(name) + ") -> " + (object ? "object" : "null"));
    return object;
  }
};

HostEmulator::HostEmulator() {
  table_.ElementListQuery = Entries::Query;
  table_.ElementListInstall = Entries::Install;
  table_.ElementListInitialize = Entries::Initialize;
  table_.ElementListUpdate = Entries::Update;
  table_.ElementListGenerate = Entries::Generate;
  table_.ElementListPlot = Entries::Plot;
  table_.ElementListKill = Entries::Kill;
  table_.TriggerEvent = Entries::TriggerEvent;
  table_.LookupModuleVariable = Entries::LookupModuleVariable;
  table_.FindNamedVariable = Entries::FindNamedVariable;
  table_.GetNamedVariable = Entries::GetNamedVariable;
  table_.SetNamedVariable = Entries::SetNamedVariable;
  table_.GetUnitsId = Entries::GetUnitsId;
  table_.GetRegisteredCallback = Entries::GetRegisteredCallback;
  current_emulator = this;
}

HostEmulator::~HostEmulator() {
  if (current_emulator == this) current_emulator = nullptr;
}

int32_t HostEmulator::Find(const std::string& name, bool gone_too) const {
  for (size_t i = 0; i < variables_.size(); ++i)
    if (variables_[i].name == name && (gone_too || variables_[i].present))
      return static_cast<int32_t>(i);
  return -1;
}

bool HostEmulator::Present(int32_t id) const {
  return id >= 0 && static_cast<size_t>(id) < variables_.size() && variables_[id].present;
}

int32_t HostEmulator::CreateVariable(const std::string& name, double value) {
  int32_t id = Find(name, true);
  if (id < 0) {
    variables_.push_back({name, value, true});
    return static_cast<int32_t>(variables_.size() - 1);
  }
  if (!variables_[id].present) variables_[id] = {name, value, true};
  return id;
}

void HostEmulator::RemoveVariable(const std::string& name) {
  int32_t id = Find(name);
  if (id >= 0) variables_[id].present = false;
}

void HostEmulator::SetVariable(const std::string& name, double value) {
  variables_[CreateVariable(name)].value = value;
}

HostEmulator::Values HostEmulator::SaveValues() const {
  Values saved;
  for (const NamedVariable& v : variables_) {
    saved.values.push_back(v.value);
    saved.present.push_back(v.present);
  }
  return saved;
}

void HostEmulator::RestoreValues(const Values& saved) {
  for (size_t i = 0; i < saved.values.size() && i < variables_.size(); ++i)
    variables_[i].value = saved.values[i], variables_[i].present = saved.present[i];
}

bool HostEmulator::PanelWrite(int32_t id, double value) {
  if (id < 0 || static_cast<size_t>(id) >= variables_.size()) return false;
  if (panel_writes_) panel_writes_->emplace_back(id, value);
  NamedVariable& v = variables_[id];
  bool changed = !v.present || !(v.value == value);
  v.present = true, v.value = value;
  return changed;
}

double HostEmulator::Variable(const std::string& name) const {
  int32_t id = Find(name);
  return id < 0 ? 0.0 : variables_[id].value;
}

int32_t HostEmulator::UnitsFor(const std::string& name) {
  auto found = std::find(units_.begin(), units_.end(), name);
  if (found == units_.end()) found = units_.insert(found, name);
  return static_cast<int32_t>(found - units_.begin()) + 1;
}

void HostEmulator::Log(const std::string& line) {
  ++host_calls_;
  Note(line);
  if (on_host_call_) on_host_call_(line);
}

std::string HostEmulator::VariableLabel(int32_t id) const {
  return std::to_string(id) + (Present(id) ? " \"" + variables_[id].name + "\"" : " ?");
}

std::string HostEmulator::UnitsLabel(int32_t units) const {
  bool known = units >= 1 && static_cast<size_t>(units) <= units_.size();
  return "units " + std::to_string(units) + (known ? " \"" + units_[units - 1] + "\"" : " ?");
}

std::string HostEmulator::ElementLabel(const void* element) const {
  auto found = element_names_.find(element);
  return found == element_names_.end() ? "element ?" : "element of " + found->second;
}

}  // namespace bench
