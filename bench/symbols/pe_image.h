// What the crash symbolizer needs of a 32-bit PE file (the DLL, or its debug file): where its
// sections lie, and the code symbols of its COFF symbol table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

struct PeSection {
  std::string name;
  uint32_t rva = 0, size = 0;  // in the loaded image
  uint32_t file_offset = 0, file_size = 0;
  bool code = false;
};

// A place in code: a function's start, or a mark where none begins (an object file's code,
// the import thunks), which ends the function before it.
struct CodeSymbol {
  uint32_t rva = 0;
  std::string name;  // as written, decorated
  bool function = false;
};

struct PeImage {
  std::string bytes;
  uint32_t image_base = 0, entry_rva = 0;
  std::vector<PeSection> sections;
  std::vector<CodeSymbol> code_symbols;  // sorted by address

  const PeSection* Section(const std::string& name) const;
  const PeSection* SectionAt(uint32_t rva) const;
  std::string Contents(const PeSection& section) const;
};

bool ReadPeImage(const std::string& path, PeImage* image, std::string* error);

}  // namespace bench
