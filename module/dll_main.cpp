#include "module/main_window.h"

HWND HostMainWindow = nullptr;

// The loader calls this on attach and detach. Only the attach looks anything up: the host's
// main window exists before it loads gauge modules.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) HostMainWindow = FindWindowA("FS98MAIN", nullptr);
  return TRUE;
}
