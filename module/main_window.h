// The host's main window, looked up when the library is attached; DirectSound's cooperative
// level needs it. Null when the host has no "FS98MAIN" window.
#pragma once

#include "platform/platform.h"

extern "C" HWND HostMainWindow;
