// The INI dialect of panel.cfg and aircraft.cfg: [sections] whose names compare without regard
// to case, name=value keys, comments from // or ; to the end of a line (after a value too),
// spaces or tabs around '=' dropped, a value in double quotes taken out of them. Every key keeps
// its line, misspelt ones too, so the checks can point at them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "bench/common/names.h"
#include "bench/panels/findings.h"

namespace bench::panels {

struct IniKey {
  std::string name;   // as written, trimmed
  std::string value;  // trimmed, comment removed, and out of its double quotes if it has them
  int line = 0;
};

struct IniSection {
  std::string name;  // as written between the brackets, trimmed
  int line = 0;
  std::vector<IniKey> keys;  // in file order

  // The first key of this name (any case), or nullptr.
  const IniKey* Key(std::string_view name) const;
};

struct IniFile {
  std::vector<IniSection> sections;  // in file order

  // The first section of this name (any case), or nullptr.
  const IniSection* Section(std::string_view name) const;
};

// Parses bytes read from file. Lines that are neither a section, a key nor a comment, keys
// outside any section, and sections or keys given twice are added to findings as warnings.
IniFile ParseIni(std::string_view bytes, const std::string& file, std::vector<Finding>* findings);

}  // namespace bench::panels
