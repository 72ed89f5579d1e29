#include "handoff/radio_handoff.h"

#include <cmath>

#include "host/double_to_int.h"
#include "host/host.h"

namespace handoff {
namespace {

const uint32_t kFixedEvents[] = {0x101AA, 0x103DB, 0x10408, 0x10410};

constexpr uint32_t kCheckedVariable = 109;
constexpr uint32_t kValueVariable = 74;
constexpr uint32_t kCheckedEvent = 0x1024C;

}  // namespace

uint32_t FrequencyToBcd(uint32_t whole_khz) {
  // Tens of kilohertz, exactly: doubles would turn 128.20 MHz into 12819.999...
  uint32_t k = whole_khz / 10;
  uint32_t packed = 0;
  for (uint32_t weight = 0; k != 0 && weight < 32; weight += 4, k /= 10)
    packed |= (k % 10) << weight;
  return packed;
}

void TransferFrequency(const char* variable, uint32_t event, int32_t mhz_units) {
  int32_t id = host::FindVariable(variable);
  if (id == host::kAbsent) return;
  double mhz = host::GetVariable(id, mhz_units);
  double whole_khz = std::floor(mhz * 1000.0 + 0.1);
  // Only a frequency above 107 MHz is a tuned radio; 0 means the panel never set it.
  if (!(whole_khz / 1000.0 > 107.0)) return;
  host::TriggerEvent(event, FrequencyToBcd(TruncateToLow32(whole_khz)));
}

void RangeCheckedHandoff() {
  double checked = host::ReadModuleVariable(kCheckedVariable);
  if (!(checked < 100.0 || checked > 99000.0)) return;  // in range, or not-a-number
  double value = host::ReadModuleVariable(kValueVariable);
  if (value < 1000.0) value = 1000.0;
  host::TriggerEvent(kCheckedEvent, TruncateToLow32(value));
}

void RadioHandoff() {
  int32_t mhz = host::UnitsId(kRadioUnits);
  for (const RadioPair& radio : kRadios) TransferFrequency(radio.variable, radio.event, mhz);
  for (uint32_t event : kFixedEvents) host::TriggerEvent(event, 1);
  RangeCheckedHandoff();
}

}  // namespace handoff
