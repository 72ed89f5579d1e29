// Finding an aircraft's files the way Windows finds them: names compare without regard to
// case (a panel folder may be "Panel" or "PANEL"), and paths written in panel.cfg use '\'.
#pragma once

#include <filesystem>
#include <string>
#include <system_error>

namespace bench::panels {

namespace fs = std::filesystem;

// The entry of dir named name in any case (an exact match first), or an empty path. *error,
// when given, says why dir itself could not be listed (not there, not a folder, not allowed).
fs::path FindEntry(const fs::path& dir, const std::string& name, std::error_code* error = nullptr);
// A path written in a panel's files ("LVLD\B767eicas", "Other Plane\panel"), found part by
// part below base; an empty path when a part is missing.
fs::path FindPath(const fs::path& base, const std::string& written);
// The folder part and the last part of a written path ("LVLD\B767eicas": "LVLD", "B767eicas").
void SplitWritten(const std::string& written, std::string* folder, std::string* last);

bool IsFile(const fs::path& path);
bool IsFolder(const fs::path& path);
// False when the file cannot be read, with why in *error when given.
bool ReadBytes(const fs::path& path, std::string* bytes, std::error_code* error = nullptr);
// A file system error as a finding says it, in the system's words ("Permission denied").
std::string Why(const std::error_code& error);
// A path as findings show it: '\' between parts on Windows, '/' elsewhere.
std::string Shown(const fs::path& path);

}  // namespace bench::panels
