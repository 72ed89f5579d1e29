// The Windows API surface the module uses. Under MinGW these are the SDK's own headers;
// elsewhere the stand-in's declarations of the same names and types (platform/standin).
#pragma once

#if defined(_WIN32)
#include <windows.h>
#else
#include "platform/standin/windows_types.h"
#endif
