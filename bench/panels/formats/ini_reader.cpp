#include "bench/panels/formats/ini_reader.h"

namespace bench::panels {
namespace {

// Later aircraft tools write values in double quotes (panel = "base", Panel=""); the host
// reads what stands between them.
std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
    return Trim(value.substr(1, value.size() - 2));
  return value;
}

std::string_view WithoutComment(std::string_view line) {
  size_t semicolon = line.find(';'), slashes = line.find("//");
  return line.substr(0, semicolon < slashes ? semicolon : slashes);
}

// The host takes one of two copies and drops the other without a word; say which lines.
void WarnTwice(const std::string& file, int line, const std::string& what, int first,
               std::vector<Finding>* findings) {
  findings->push_back({file, line, Severity::kWarning,
                       what + " is given twice (first on line " + std::to_string(first) +
                           "); the simulator reads only one of them, merge or renumber"});
}

void AddSection(std::string_view header, const std::string& file, int line, IniFile* ini,
                std::vector<Finding>* findings) {
  IniSection section{std::string(Trim(header)), line, {}};
  if (const IniSection* first = ini->Section(section.name))
    WarnTwice(file, line, "[" + section.name + "]", first->line, findings);
  ini->sections.push_back(std::move(section));
}

void AddKey(std::string_view text, const std::string& file, int line, IniFile* ini,
            std::vector<Finding>* findings) {
  size_t equals = text.find('=');
  IniKey key{std::string(Trim(text.substr(0, equals))), "", line};
  if (equals == std::string_view::npos || key.name.empty())
    return findings->push_back(
        {file, line, Severity::kWarning,
         "'" + std::string(text) + "' is not a name=value line; correct it or comment it out"});
  key.value = Unquoted(Trim(text.substr(equals + 1)));
  if (ini->sections.empty())
    return findings->push_back({file, line, Severity::kWarning,
                                key.name + "= stands before any [section] and is never read; "
                                           "move it into its section"});
  IniSection& section = ini->sections.back();
  if (const IniKey* first = section.Key(key.name))
    WarnTwice(file, line, key.name + "= in [" + section.name + "]", first->line, findings);
  section.keys.push_back(std::move(key));
}

}  // namespace

const IniKey* IniSection::Key(std::string_view wanted) const {
  for (const IniKey& key : keys)
    if (SameName(key.name, wanted)) return &key;
  return nullptr;
}

const IniSection* IniFile::Section(std::string_view wanted) const {
  for (const IniSection& section : sections)
    if (SameName(section.name, wanted)) return &section;
  return nullptr;
}

IniFile ParseIni(std::string_view bytes, const std::string& file, std::vector<Finding>* findings) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  IniFile ini;
  int line = 0;
  while (!bytes.empty()) {
    ++line;
    size_t end = bytes.find('\n');
    std::string_view text = Trim(WithoutComment(bytes.substr(0, end)));
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (text.empty()) continue;
    if (text.front() == '[' && text.back() == ']')
      AddSection(text.substr(1, text.size() - 2), file, line, &ini, findings);
    else
      AddKey(text, file, line, &ini, findings);
  }
  return ini;
}

}  // namespace bench::panels
