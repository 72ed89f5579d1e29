// The Windows API surface the module uses: user32's window lookup, winmm's mmio and
// DirectSound. Under MinGW these are the SDK's own headers; elsewhere the stand-in's
// declarations of the same names and types (platform/standin).
#pragma once

#if defined(_WIN32)
#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>
#else
#include "platform/standin/dsound.h"
#include "platform/standin/mmsystem.h"
#include "platform/standin/windows_types.h"
#endif
