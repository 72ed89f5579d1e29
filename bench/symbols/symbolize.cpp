#include "bench/symbols/symbolize.h"

#include <cxxabi.h>

#include <cstdio>
#include <cstdlib>

#include "bench/symbols/line_table.h"
#include "bench/symbols/pe_image.h"

namespace bench {
namespace {

// Windows writes the offset as 0x00001a2b; a bare hex number is taken too.
bool ParseOffset(const std::string& text, uint32_t* offset) {
  size_t start = text.rfind("0x", 0) == 0 || text.rfind("0X", 0) == 0 ? 2 : 0;
  size_t digits = text.size() - start;
  if (digits == 0 || digits > 8 ||
      text.find_first_not_of("0123456789abcdefABCDEF", start) != std::string::npos)
    return false;
  *offset = static_cast<uint32_t>(std::strtoul(text.c_str() + start, nullptr, 16));
  return true;
}

// i386 names carry a leading underscore, and __stdcall ones "@" and their argument bytes.
std::string ReadableName(std::string name) {
  if (!name.empty() && name[0] == '_') name.erase(0, 1);
  size_t at = name.rfind('@');
  if (at != std::string::npos && at > 0 &&
      name.find_first_not_of("0123456789", at + 1) == std::string::npos)
    name.erase(at);
  int status = 0;
  char* demangled = abi::__cxa_demangle(name.c_str(), nullptr, nullptr, &status);
  if (demangled) name = demangled;
  std::free(demangled);
  return name;
}

// The debug file is a copy of the DLL's headers with the debug sections added; a debug file
// of another build almost always differs in some section's place or size.
bool SameBuild(const PeImage& dll, const PeImage& debug) {
  if (dll.image_base != debug.image_base || dll.entry_rva != debug.entry_rva) return false;
  for (const PeSection& s : dll.sections) {
    const PeSection* twin = debug.Section(s.name);
    if (!twin || twin->rva != s.rva || twin->size != s.size) return false;
  }
  return true;
}

// The last symbol at or before the offset, if it is a function's start.
const CodeSymbol* FunctionAt(const PeImage& debug, uint32_t offset) {
  const CodeSymbol* last = nullptr;
  for (const CodeSymbol& s : debug.code_symbols) {
    if (s.rva > offset) break;
    last = &s;
  }
  return last && last->function ? last : nullptr;
}

int Describe(const std::string& dll_name, const PeImage& dll, const PeImage& debug,
             uint32_t offset) {
  const PeSection* section = dll.SectionAt(offset);
  if (!section)
    return std::printf("0x%08x is in none of %s's sections\n", offset, dll_name.c_str()), 1;
  if (!section->code)
    return std::printf("0x%08x is in %s's %s, not in its code\n", offset, dll_name.c_str(),
                       section->name.c_str()),
           1;
  const CodeSymbol* function = FunctionAt(debug, offset);
  if (!function)
    return std::printf("0x%08x is in %s's code but in none of its functions\n", offset,
                       dll_name.c_str()),
           1;
  std::string where;
  SourceLine line;
  const PeSection* lines = debug.Section(".debug_line");
  if (lines && FindSourceLine(debug.Contents(*lines), uint64_t{debug.image_base} + offset, &line))
    where = " at " + line.file + ":" + std::to_string(line.line);
  std::printf("0x%08x is in %s+0x%x%s\n", offset, ReadableName(function->name).c_str(),
              offset - function->rva, where.c_str());
  return 0;
}

}  // namespace

int Symbolize(const std::vector<std::string>& operands) {
  const std::string& dll_path = operands[0];
  std::string debug_path = operands.size() > 2 ? operands[2] : dll_path + ".debug";
  uint32_t offset = 0;
  if (!ParseOffset(operands[1], &offset))
    return std::fprintf(stderr,
                        "kv3-bench: '%s' is not an offset (write it as Windows reports "
                        "it: 0x00001a2b)\n",
                        operands[1].c_str()),
           2;
  PeImage dll, debug;
  std::string error;
  if (!ReadPeImage(dll_path, &dll, &error) || !ReadPeImage(debug_path, &debug, &error))
    return std::fprintf(stderr, "kv3-bench: %s\n", error.c_str()), 2;
  if (!SameBuild(dll, debug) || !debug.Section(".debug_line"))
    return std::fprintf(stderr, "kv3-bench: %s is not the debug file of %s\n", debug_path.c_str(),
                        dll_path.c_str()),
           2;
  size_t slash = dll_path.find_last_of("/\\");
  return Describe(dll_path.substr(slash == std::string::npos ? 0 : slash + 1), dll, debug, offset);
}

}  // namespace bench
