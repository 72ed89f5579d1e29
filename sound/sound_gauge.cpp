// The "XMLSound" gauge: cockpit sounds driven by named variables (work to come).
#include "module/gauges.h"

namespace sound_gauge {

void PeriodicService() {}
void Teardown() {}

}  // namespace sound_gauge
