// How near a name a panel wrote is to one it meant: the simulator matches keys, variable names
// and units exactly (keys without regard to case), so a near miss is silently something else.
#pragma once

#include <string>

namespace bench::panels {

std::string Lower(std::string text);
// Lower case with spaces and underscores dropped: "Sound_Toggle switch " -> "soundtoggleswitch".
std::string Folded(const std::string& name);
// Letters to change, add or drop to turn a into b.
size_t EditDistance(const std::string& a, const std::string& b);

}  // namespace bench::panels
