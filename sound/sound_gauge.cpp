// The "XMLSound" gauge: cockpit sounds driven by named variables (the sounds are still to come).
#include "handoff/radio_handoff.h"
#include "module/gauges.h"

namespace sound_gauge {

void PeriodicService() {}

// The radios are handed over on every teardown, whatever state the sounds are in.
void Teardown() { handoff::RadioHandoff(); }

}  // namespace sound_gauge
