// The bench's measurement mode: what the gauges' periodic work costs.
#pragma once

#include <string>

namespace bench {

// Prints host calls, heap allocations and nanoseconds per sound service, then the cost of
// traffic runs; returns the exit code.
int RunMeasurement(const std::string& module_path, int services);
// Host calls and microseconds of one traffic run over 128 listed aircraft.
int MeasureTraffic(const std::string& module_path, long runs);

}  // namespace bench
