// kv3-bench soak: hours of random panel activity on the host's timeline, with the module torn
// down and loaded again now and then, watching that nothing the module opens outlives it.
#pragma once

#include <cstdint>
#include <string>

namespace bench {

struct SoakOptions {
  std::string module;
  std::string root;     // the simulator folder; its Sound/KV3_R40 is filled with demo sounds
  long frames = 20000;  // used when minutes is 0
  int minutes = 0;
  uint32_t seed = 1;
};

// Prints the figures; 0 when nothing grew or was left open, 1 when something did, 2 when the
// module or the sounds could not be set up.
int RunSoak(const SoakOptions& options);

}  // namespace bench
