// Stand-in declarations of the Windows types and functions the module calls, for the
// native build. Same names, sizes and calling conventions as the SDK's.
#pragma once

#include <cstdint>

#define WINAPI __attribute__((stdcall))

using BOOL = int32_t;
using DWORD = uint32_t;
using LPVOID = void*;
using LPCSTR = const char*;
struct HWND__;
using HWND = HWND__*;
struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;

constexpr BOOL TRUE = 1;
constexpr DWORD DLL_PROCESS_DETACH = 0;
constexpr DWORD DLL_PROCESS_ATTACH = 1;

// user32: the window of that class (and title, when given); null when there is none.
extern "C" HWND WINAPI FindWindowA(LPCSTR class_name, LPCSTR window_name);

namespace standin {

// The stand-in's windows, filled by the host emulator. A handle is a small nonzero number.
HWND RegisterWindow(const char* class_name, const char* title);
void ClearWindows();
int FindWindowCalls();

}  // namespace standin
