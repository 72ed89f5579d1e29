// --wine: the same command through kv3-bench.exe under Wine (run: on the real DLL), with a
// private Wine prefix and an ALSA device that records what Wine's DirectSound plays.
#pragma once

#include "bench/commands.h"

namespace bench {

// The exit code of the Windows bench, or 2 when Wine cannot run it.
int RunUnderWine(const Options& options);

}  // namespace bench
