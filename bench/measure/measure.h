// The bench's measurement mode: what the gauges' work costs, each figure as a ratio to a bare
// loop that makes the same host or file calls, measured in the same run.
#pragma once

#include <string>

namespace bench {

// Makes the demo sounds in root, works there, and prints every figure. Exit code 0: every
// figure measured; 1: one was not (no sound device); 2: the module does not load.
int RunMeasurement(const std::string& module_path, int services, const std::string& root);
// The start-up load of the 28 files against plain reads of the same bytes; 1: no sound
// device, nothing measured.
int MeasureStartUpLoad(int rounds);
// One traffic run over 128 listed aircraft against the same 903 calls made bare.
int MeasureTraffic(const std::string& module_path, long runs);

}  // namespace bench
