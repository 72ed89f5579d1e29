// The bench's measurement mode: what one periodic service of a gauge costs in steady state.
#pragma once

#include <string>

namespace bench {

// Prints host calls, heap allocations and nanoseconds per service; returns the exit code.
int RunMeasurement(const std::string& module_path, int services);

}  // namespace bench
