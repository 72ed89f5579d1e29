// Inside the stand-in: each platform function enters through Enter(), which logs the call
// and says whether an injected failure applies to it; the reset hooks of each part.
#pragma once

#include <cstdint>
#include <string>

namespace standin {

// Logs "function(arguments)" and returns true when this call is to fail.
bool Enter(const char* function, const std::string& arguments = "");
// "0x…" for flags and codes, so the log reads like the call.
std::string Hex(uint32_t value);

void ResetCallLog();
void ResetFiles();  // closes every file, forgets endless searches
void DestroyAllDevices();
void ForgetLargestBuffer();

}  // namespace standin
