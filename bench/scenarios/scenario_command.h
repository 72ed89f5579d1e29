// kv3-bench run: a scenario file read, run against the module (or under Wine) and reported,
// with what the run leaves behind when asked: the trace, the recording, the picture.
#pragma once

#include "bench/commands.h"

namespace bench {

// The exit code: 0 every expectation held, 1 one did not, 2 the scenario, the module or the
// panel could not be read, or an output not written.
int RunScenarioFile(const Options& options);

}  // namespace bench
