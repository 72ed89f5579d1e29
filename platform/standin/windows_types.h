// Stand-in declarations of the Windows types and functions the module calls, for the
// native build. Same names, sizes and calling conventions as the SDK's.
#pragma once

#include <cstdint>

#define WINAPI __attribute__((stdcall))
#define STDMETHODCALLTYPE __attribute__((stdcall))

using BOOL = int32_t;
using BYTE = uint8_t;
using WORD = uint16_t;
using DWORD = uint32_t;
using LONG = int32_t;
using ULONG = uint32_t;
using UINT = uint32_t;
using HRESULT = int32_t;
using LPVOID = void*;
using LPDWORD = DWORD*;
using LPSTR = char*;
using LPCSTR = const char*;
struct HWND__;
using HWND = HWND__*;
struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;

struct GUID {
  uint32_t Data1;
  uint16_t Data2;
  uint16_t Data3;
  uint8_t Data4[8];
};
using LPCGUID = const GUID*;
using REFIID = const GUID&;

// The first three operations of every COM object.
struct IUnknown {
  virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) = 0;
  virtual ULONG STDMETHODCALLTYPE AddRef() = 0;
  virtual ULONG STDMETHODCALLTYPE Release() = 0;
};
using LPUNKNOWN = IUnknown*;

constexpr BOOL TRUE = 1;
constexpr DWORD DLL_PROCESS_DETACH = 0;
constexpr DWORD DLL_PROCESS_ATTACH = 1;
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002);
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001);

// user32: the window of that class (and title, when given); null when there is none.
extern "C" HWND WINAPI FindWindowA(LPCSTR class_name, LPCSTR window_name);
// user32: the desktop window, which always exists.
extern "C" HWND WINAPI GetDesktopWindow();

namespace standin {

// The stand-in's windows, filled by the host emulator. A handle is a small nonzero number.
HWND RegisterWindow(const char* class_name, const char* title);
void ClearWindows();
int FindWindowCalls();

}  // namespace standin
