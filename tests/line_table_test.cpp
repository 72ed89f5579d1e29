// The crash symbolizer's reading of DWARF line programs: a hand-assembled program of the kind
// GCC writes, the rows it must find, and damaged copies of it that must give no answer
// rather than a wrong one or a crash.
#include "bench/symbols/line_table.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using bench::FindSourceLine;
using bench::SourceLine;

std::string Le(uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i));
  return out;
}

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out += static_cast<char>(v);
  return out;
}

// One unit as GCC writes it: line_base -5, line_range 14, opcode_base 13, files
// module/dll_main.cpp and host.h. Rows: base line 7, base + 5 line 8, base + 0x15 host.h
// line 6; the sequence ends at base + 0x20.
std::string LineUnit(int version = 4, uint32_t base = 0x1000) {
  std::string header = Bytes({1, 1, 1, -5, 14, 13, 0, 1, 1, 1, 1, 0, 0, 0, 1, 0, 0, 1});
  if (version < 4) header.erase(1, 1);  // no operations-per-instruction field before 4
  header += std::string("module\0\0", 8);
  header += std::string("dll_main.cpp\0", 13) + Bytes({1, 0, 0});
  header += std::string("host.h\0", 7) + Bytes({0, 0, 0}) + std::string(1, '\0');
  std::string program = Bytes({0, 5, 2}) + Le(base, 4);  // set address
  program += Bytes({3, 6, 1});                           // line 7, copy
  program += Bytes({(1 + 5) + 14 * 5 + 13});             // special: +5 bytes, +1 line
  program += Bytes({4, 2, 2, 16, 3, 0x7E, 1});           // file 2, +16 bytes, line -2, copy
  program += Bytes({2, 11, 0, 1, 1});                    // +11 bytes, end of sequence
  std::string unit = Le(version, 2) + Le(header.size(), 4) + header + program;
  return Le(unit.size(), 4) + unit;
}

struct LineCase {
  uint32_t address;
  const char* file;  // nullptr: no row covers the address
  uint32_t line;
};

TEST(LineTable, EachAddressGetsTheRowThatCoversIt) {
  const LineCase cases[] = {
      {0x0FFF, nullptr, 0},
      {0x1000, "module/dll_main.cpp", 7},
      {0x1004, "module/dll_main.cpp", 7},
      {0x1005, "module/dll_main.cpp", 8},
      {0x1014, "module/dll_main.cpp", 8},
      {0x1015, "host.h", 6},
      {0x101F, "host.h", 6},
      {0x1020, nullptr, 0},
  };
  // A second unit behind the first is searched too.
  std::string two_units = LineUnit(4, 0x2000) + LineUnit();
  for (const std::string& section : {LineUnit(), two_units}) {
    for (const LineCase& c : cases) {
      SourceLine found;
      bool has = FindSourceLine(section, c.address, &found);
      EXPECT_EQ(has, c.file != nullptr) << std::hex << c.address;
      if (has && c.file) {
        EXPECT_EQ(found.file + ":" + std::to_string(found.line),
                  std::string(c.file) + ":" + std::to_string(c.line));
      }
    }
  }
  SourceLine found;
  EXPECT_TRUE(FindSourceLine(two_units, 0x2015, &found));
  EXPECT_EQ(found.file, "host.h");
}

TEST(LineTable, OnlyTheVersionsItReadsAreRead) {
  SourceLine found;
  EXPECT_TRUE(FindSourceLine(LineUnit(3), 0x1000, &found));
  for (int version : {1, 5})
    EXPECT_FALSE(FindSourceLine(LineUnit(version), 0x1000, &found)) << version;
}

// Cut short anywhere, or with a byte changed anywhere, the table may lose rows but never
// reads outside its bytes (the sanitizers watch), and a cut one names no line it did not reach.
TEST(LineTable, DamagedTablesGiveNoAnswerOrATrueOne) {
  const std::string whole = LineUnit();
  for (size_t length = 4; length < whole.size(); ++length) {
    std::string cut = Le(length - 4, 4) + whole.substr(4, length - 4);
    SourceLine found;
    if (FindSourceLine(cut, 0x1002, &found)) {
      EXPECT_EQ(found.line, 7u) << length;
    }
  }
  for (size_t at = 0; at < whole.size(); ++at) {
    for (int value : {0x00, 0x7F, 0x80, 0xFF}) {
      std::string damaged = whole;
      damaged[at] = static_cast<char>(value);
      SourceLine found;
      FindSourceLine(damaged, 0x1016, &found);
    }
  }
}

}  // namespace
