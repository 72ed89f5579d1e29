// Names as panel files write them, and compared the way the host compares them: file, section
// and key names and aircraft variables without regard to case (ASCII letters only, as
// Windows compares them), white space around a value not part of it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace bench {

// Without the spaces, tabs and line ends at either end.
std::string_view Trim(std::string_view text);
std::string Lower(std::string_view text);
std::string Upper(std::string_view text);
// Equal but for the case of ASCII letters.
bool SameName(std::string_view a, std::string_view b);
// Lower case with spaces and underscores dropped: "Sound_Toggle switch " -> "soundtoggleswitch",
// for telling a near miss of a name from another name.
std::string Folded(std::string_view name);
// Letters to change, add or drop to turn a into b.
size_t EditDistance(std::string_view a, std::string_view b);

}  // namespace bench
