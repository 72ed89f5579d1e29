#include "host/host.h"

#include <cstring>

namespace host {

int32_t FindVariable(const char* name) {
  return Present() ? Table()->FindNamedVariable(name) : kAbsent;
}

void SetVariable(int32_t id, double value, int32_t units) {
  if (Present()) Table()->SetNamedVariable(id, value, units);
}

int32_t UnitsId(const char* units_name) { return Present() ? Table()->GetUnitsId(units_name) : 0; }

void TriggerEvent(uint32_t event, uint32_t value) {
  if (Present()) Table()->TriggerEvent(event, value);
}

double ReadModuleVariable(uint32_t number) {
  if (!Present()) return 0.0;
  // The host writes the value at bytes 12 to 19 and may leave the rest alone: start zeroed.
  ModuleVariableRecord record{};
  std::memcpy(record.bytes, &number, sizeof number);
  Table()->LookupModuleVariable(&record);
  double value;
  std::memcpy(&value, record.bytes + 12, sizeof value);
  return value;
}

RegisteredCallback* GetRegisteredCallback(const char* interface_name) {
  if (!Present()) return nullptr;
  return static_cast<RegisteredCallback*>(Table()->GetRegisteredCallback(interface_name));
}

}  // namespace host
