// kv3-bench click-map: the map of every mouse area of a panel, as text lines and, with --out,
// as a page; natively, or with kv3-bench.exe on the real DLL under Wine.
#pragma once

#include "bench/commands.h"

namespace bench {

// 0 the map was made; 2 the module or the panel does not load, or the page cannot be written.
int ClickMapCommand(const Options& options);

}  // namespace bench
