// Macros are replaced by their text before a script is read, as the host does: `@Name` by the
// macro's text, `@Name(a,b)` by its text with `@1`, `@2` replaced by the arguments. The result
// remembers, for each character, the line a message about it names: the script's own line,
// or for a macro's text the line where the macro is used.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "bench/script/program.h"

namespace bench::script {

struct ExpandedText {
  std::string text;
  std::vector<int> lines;   // per character
  std::vector<int> macros;  // per character: index into names; -1: the script's own text
  std::vector<std::string> names;
};

using ExpansionError = std::function<void(int line, int macro, const std::string& message)>;

// false when an error was reported (an undefined macro, a missing argument, a macro that
// expands into itself, macros nested too deep, arguments not closed); the text is then complete
// only where it could be.
bool ExpandMacros(std::string_view text, int first_line, const MacroLookup& lookup,
                  ExpandedText* out, const ExpansionError& error);

}  // namespace bench::script
