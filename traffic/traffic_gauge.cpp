// The "TrafficInfo" gauge: a traffic advisory from the host's traffic interface (work to come).
#include "module/gauges.h"

namespace traffic_gauge {

void PeriodicService(const char*) {}

}  // namespace traffic_gauge
