// kv3-bench symbolize: turns the fault offset Windows reports for a crash in the module into
// the function and the source line, from the DLL's debug file.
#pragma once

#include <string>
#include <vector>

namespace bench {

// operands: DLL OFFSET [DEBUGFILE]; the debug file defaults to DLL.debug. Prints one line;
// the result is the exit code: 0 named, 1 the offset is in no function of the module, 2 a
// bad offset or a file that cannot be read or does not belong to the DLL.
int Symbolize(const std::vector<std::string>& operands);

}  // namespace bench
