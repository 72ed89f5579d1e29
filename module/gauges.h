// The gauges' own work, reached from their callbacks.
#pragma once

namespace sound_gauge {
void PeriodicService();
void Teardown();
}  // namespace sound_gauge

namespace traffic_gauge {
void PeriodicService(const char* parameters);
}  // namespace traffic_gauge
