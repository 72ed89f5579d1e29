// Thin typed access to the host's function table. Every call reads the table from
// ImportTable at the moment of the call; with no table yet, calls do nothing and give the
// "absent" answer (-1 ids, 0 values, null objects).
#pragma once

#include <cstdint>

#include "host/host_services.h"
#include "host/registered_callback.h"

namespace host {

constexpr int32_t kAbsent = -1;

inline HostServices* Table() { return ImportTable.services.table; }
inline bool Present() { return Table() != nullptr; }

int32_t FindVariable(const char* name);
// Inline: the sound gauge reads every slot's variable on every service.
inline double GetVariable(int32_t id, int32_t units) {
  return Present() ? Table()->GetNamedVariable(id, units) : 0.0;
}
void SetVariable(int32_t id, double value, int32_t units);
int32_t UnitsId(const char* units_name);
void TriggerEvent(uint32_t event, uint32_t value);
double ReadModuleVariable(uint32_t number);
RegisteredCallback* GetRegisteredCallback(const char* interface_name);

}  // namespace host
