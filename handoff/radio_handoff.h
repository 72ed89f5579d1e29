// At the sound gauge's teardown the panel's own radio frequencies (named variables in MHz)
// go to the host's radios as packed-decimal events, followed by a few fixed events.
#pragma once

#include <cstdint>

namespace handoff {

struct RadioPair {
  const char* variable;
  uint32_t event;
};
constexpr int kRadioCount = 4;
// NAV1, COM1, COM2, NAV2 and the host's radio-set events, in the order they are handed off.
constexpr RadioPair kRadios[kRadioCount] = {{"NAV1 frequency", 0x100AC},
                                            {"COM1 frequency", 0x100AB},
                                            {"COM2 frequency", 0x1038A},
                                            {"NAV2 frequency", 0x100AD}};
constexpr char kRadioUnits[] = "MHz";

// The frequency in whole kilohertz, packed as its tens of kilohertz in decimal digits, one
// per 4-bit group, least significant lowest: 128200 kHz gives 0x12820.
uint32_t FrequencyToBcd(uint32_t whole_khz);
void TransferFrequency(const char* variable, uint32_t event, int32_t mhz_units);
void RangeCheckedHandoff();
void RadioHandoff();

}  // namespace handoff
