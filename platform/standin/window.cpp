// FindWindowA over a registry of the host emulator's windows, and the desktop window.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/standin/windows_types.h"

namespace {

struct Window {
  std::string class_name;
  std::string title;
};

std::vector<Window>& Windows() {
  static std::vector<Window> windows;
  return windows;
}
int find_window_calls = 0;

HWND HandleOf(size_t index) { return reinterpret_cast<HWND>(static_cast<uintptr_t>(index + 1) * 4); }

}  // namespace

extern "C" HWND WINAPI FindWindowA(LPCSTR class_name, LPCSTR window_name) {
  ++find_window_calls;
  const auto& windows = Windows();
  for (size_t i = 0; i < windows.size(); ++i) {
    if (class_name && windows[i].class_name != class_name) continue;
    if (window_name && windows[i].title != window_name) continue;
    return HandleOf(i);
  }
  return nullptr;
}

// A handle no registered window gets: theirs count up from 4 in steps of 4.
extern "C" HWND WINAPI GetDesktopWindow() { return reinterpret_cast<HWND>(0x10010); }

namespace standin {

HWND RegisterWindow(const char* class_name, const char* title) {
  Windows().push_back({class_name, title ? title : ""});
  return HandleOf(Windows().size() - 1);
}

void ClearWindows() {
  Windows().clear();
  find_window_calls = 0;
}

int FindWindowCalls() { return find_window_calls; }

}  // namespace standin
