// One file out of a cabinet (.cab), the archive a gauge's XML and bitmaps are often shipped in.
// Read with the platform's maintained cabinet code: libmspack natively, the system's
// cabinet.dll (FDI) on Windows. The cabinet comes as bytes, so reading one is a pure function
// of its contents.
#pragma once

#include <string>
#include <string_view>

namespace bench::panels {

enum class CabinetRead {
  kRead,      // *bytes holds the member
  kNoMember,  // a sound cabinet without it
  kBroken,    // not a cabinet, damaged, or the member is implausibly large; *error says which
};

// A gauge file is a few kilobytes; a member claiming more than this is not read.
constexpr size_t kCabinetMemberLimit = 16 << 20;

// The member whose name equals member without regard to case, as the host finds it; *stored,
// when given, gets its name as the cabinet spells it.
CabinetRead ReadCabinetMember(std::string_view cabinet, const std::string& member,
                              std::string* bytes, std::string* error,
                              std::string* stored = nullptr);

}  // namespace bench::panels
