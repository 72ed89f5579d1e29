// The source line of an address, from a DWARF .debug_line section (versions 2 to 4, the
// 32-bit format, as the module's build writes it).
#pragma once

#include <cstdint>
#include <string>

namespace bench {

struct SourceLine {
  std::string file;  // as the compiler recorded it, relative to the source tree
  uint32_t line = 0;
};

// False when no line table covers the address, or the section cannot be read.
bool FindSourceLine(const std::string& debug_line, uint64_t address, SourceLine* found);

}  // namespace bench
