#include "bench/symbols/pe_image.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <tuple>

#include "bench/symbols/byte_reader.h"

namespace bench {
namespace {

constexpr uint32_t kPe32Magic = 0x10B;
constexpr uint32_t kSectionHoldsCode = 0x20;
constexpr size_t kSectionHeaderSize = 40, kSymbolSize = 18;
constexpr uint32_t kFunctionType = 0x20;  // "function returning" in the COFF type field
constexpr uint32_t kExternalClass = 2, kStaticClass = 3;

// Names longer than 8 bytes live in the string table after the symbols: a section header
// says "/offset" in decimal, a symbol gives zero then the offset.
std::string TableString(const std::string& bytes, size_t strings, uint64_t offset) {
  if (strings == 0 || offset >= bytes.size() - strings) return "";
  ByteReader reader(bytes, strings + offset, bytes.size());
  return reader.CString();
}

std::string ShortName(const std::string& bytes, size_t at) {
  std::string name = bytes.substr(at, 8);
  return name.substr(0, name.find('\0'));
}

void ReadSections(ByteReader& r, int count, size_t strings, PeImage* image) {
  for (int i = 0; i < count && r.ok(); ++i) {
    size_t at = r.position();
    r.Skip(kSectionHeaderSize);
    ByteReader fields(image->bytes, at + 8, at + kSectionHeaderSize);
    PeSection s;
    s.name = ShortName(image->bytes, at);
    if (s.name.size() > 1 && s.name[0] == '/')
      s.name = TableString(image->bytes, strings, std::strtoul(s.name.c_str() + 1, nullptr, 10));
    s.size = fields.U32();
    s.rva = fields.U32();
    s.file_size = fields.U32();
    s.file_offset = fields.U32();
    fields.Skip(12);
    s.code = (fields.U32() & kSectionHoldsCode) != 0;
    // The raw data is rounded up to the file alignment; the virtual size is the real one.
    if (s.size != 0 && s.size < s.file_size) s.file_size = s.size;
    image->sections.push_back(s);
  }
}

void ReadCodeSymbols(size_t table, uint32_t count, size_t strings, PeImage* image) {
  for (uint32_t i = 0; i < count; ++i) {
    uint64_t at = table + uint64_t{i} * kSymbolSize;
    if (at + kSymbolSize > image->bytes.size()) break;
    ByteReader r(image->bytes, at, at + kSymbolSize);
    uint32_t short_name = r.U32(), long_name = r.U32(), value = r.U32();
    int section = static_cast<int16_t>(r.U16());
    uint32_t type = r.U16(), storage = r.U8();
    i += r.U8();  // auxiliary records follow their symbol
    if (!r.ok() || section < 1 || static_cast<size_t>(section) > image->sections.size()) continue;
    const PeSection& in = image->sections[section - 1];
    if (!in.code || (storage != kExternalClass && storage != kStaticClass)) continue;
    std::string name = short_name == 0 ? TableString(image->bytes, strings, long_name)
                                       : ShortName(image->bytes, at);
    image->code_symbols.push_back({in.rva + value, name, (type & 0x30) == kFunctionType});
  }
  // At one address a function wins over a mark, so it sorts last among equals.
  std::sort(image->code_symbols.begin(), image->code_symbols.end(),
            [](const CodeSymbol& a, const CodeSymbol& b) {
              return std::tie(a.rva, a.function, a.name) < std::tie(b.rva, b.function, b.name);
            });
}

}  // namespace

const PeSection* PeImage::Section(const std::string& name) const {
  for (const PeSection& s : sections)
    if (s.name == name) return &s;
  return nullptr;
}

const PeSection* PeImage::SectionAt(uint32_t rva) const {
  for (const PeSection& s : sections)
    if (rva >= s.rva && rva - s.rva < s.size) return &s;
  return nullptr;
}

std::string PeImage::Contents(const PeSection& s) const {
  if (s.file_offset >= bytes.size()) return "";
  return bytes.substr(s.file_offset, s.file_size);
}

bool ReadPeImage(const std::string& path, PeImage* image, std::string* error) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream content;
  if (!file || !(content << file.rdbuf())) return *error = "cannot read " + path, false;
  image->bytes = content.str();
  const std::string& bytes = image->bytes;
  ByteReader r(bytes, 0, bytes.size());
  bool dos = r.U16() == 0x5A4D;  // "MZ"
  r.Seek(0x3C);
  r.Seek(r.U32());
  if (!dos || r.U32() != 0x4550 || r.U16() != 0x14C)  // "PE\0\0", i386
    return *error = path + " is not a 32-bit Windows DLL", false;
  int section_count = r.U16();
  r.Skip(4);
  uint32_t symbol_table = r.U32(), symbol_count = r.U32(), optional_size = r.U16();
  r.Skip(2);
  size_t optional = r.position();
  if (r.U16() != kPe32Magic) return *error = path + " is not a 32-bit Windows DLL", false;
  r.Seek(optional + 16);
  image->entry_rva = r.U32();
  r.Seek(optional + 28);
  image->image_base = r.U32();
  r.Seek(optional + optional_size);
  uint64_t strings = symbol_table == 0 ? 0 : symbol_table + uint64_t{symbol_count} * kSymbolSize;
  if (strings >= bytes.size()) strings = 0;
  ReadSections(r, section_count, strings, image);
  if (!r.ok()) return *error = path + " is damaged: its headers run past its end", false;
  if (strings != 0) ReadCodeSymbols(symbol_table, symbol_count, strings, image);
  return true;
}

}  // namespace bench
