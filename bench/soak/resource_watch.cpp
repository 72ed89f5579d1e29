#include "bench/soak/resource_watch.h"

#include <algorithm>
#include <cstdio>

#if defined(_WIN32)
#include <windows.h>
// psapi.h needs windows.h's types.
#include <psapi.h>
#else
#include "platform/standin/control.h"
#endif

namespace bench {
namespace {

std::string Line(const char* format, double a, double b, double c, double d = 0) {
  char text[200];
  std::snprintf(text, sizeof text, format, a, b, c, d);
  return text;
}

#if defined(_WIN32)
// The system's list of every process's handles (NtQuerySystemInformation, class 16), for
// where GetProcessHandleCount is only a stub that says 0, as in Wine 8.
struct SystemHandle {
  ULONG process;
  BYTE type, flags;
  USHORT handle;
  void* object;
  ACCESS_MASK access;
};
using QuerySystemInformation = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);

long HandlesFromSystemList() {
  FARPROC found = GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation");
  auto query = reinterpret_cast<QuerySystemInformation>(reinterpret_cast<void (*)()>(found));
  std::vector<char> list(1 << 16);
  ULONG size = 0;
  constexpr LONG kLengthMismatch = static_cast<LONG>(0xC0000004);
  LONG status = kLengthMismatch;
  while (query && status == kLengthMismatch && list.size() < (64u << 20)) {
    list.resize(list.size() * 4);
    status = query(16, list.data(), static_cast<ULONG>(list.size()), &size);
  }
  if (!query || status != 0) return -1;
  ULONG count = *reinterpret_cast<ULONG*>(list.data());
  const SystemHandle* handles = reinterpret_cast<const SystemHandle*>(list.data() + sizeof(void*));
  long ours = 0;
  for (ULONG i = 0; i < count; ++i) ours += handles[i].process == GetCurrentProcessId();
  return ours;
}

long ProcessHandles() {
  DWORD handles = 0;
  GetProcessHandleCount(GetCurrentProcess(), &handles);
  return handles ? static_cast<long>(handles) : HandlesFromSystemList();
}

// Private bytes; Wine 8 leaves PrivateUsage at 0 and reports the commit charge as the page
// file usage, which on Windows is the same figure.
long PrivateKilobytes() {
  PROCESS_MEMORY_COUNTERS_EX memory{};
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                       sizeof memory);
  SIZE_T bytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
  return static_cast<long>(bytes / 1024);
}

// Wine's own allocations wander by a few pages from one teardown to the next; a module that
// leaks a sound buffer or a file's read buffer per load grows by far more within a minute.
constexpr long kPrivateSlackKb = 512;
constexpr double kSampleSeconds = 60;
#endif

}  // namespace

#if defined(_WIN32)

void ResourceWatch::AfterUnload(double seconds, bool last) {
  ++unloads_;
  if (!last && !samples_.empty() && seconds - samples_.back().seconds < kSampleSeconds) return;
  Sample sample{seconds, ProcessHandles(), PrivateKilobytes()};
  if (!samples_.empty() && (sample.handles > samples_.front().handles ||
                            sample.private_kb > samples_.front().private_kb + kPrivateSlackKb))
    grew_ = true;
  samples_.push_back(sample);
}

std::vector<std::string> ResourceWatch::Report() const {
  std::vector<std::string> lines;
  for (const Sample& s : samples_)
    lines.push_back(Line("after the teardown at %.0f s: %.0f handles, %.0f KB private memory",
                         s.seconds, s.handles, s.private_kb));
  if (!samples_.empty())
    lines.push_back(
        Line("%.0f unloads; since the first sample: handles %+.0f, private memory %+.0f KB",
             unloads_, samples_.back().handles - samples_.front().handles,
             samples_.back().private_kb - samples_.front().private_kb));
  return lines;
}

#else

void ResourceWatch::AfterUnload(double, bool) {
  ++unloads_;
  int files = standin::OpenFiles(), buffers = standin::LiveBuffers(),
      devices = standin::LiveDevices();
  most_files_ = std::max(most_files_, files);
  most_buffers_ = std::max(most_buffers_, buffers);
  most_devices_ = std::max(most_devices_, devices);
  if (files || buffers || devices) grew_ = true;
  // Whatever is left is freed (and counted above); the call log starts afresh, so a long soak
  // keeps the bench's own memory flat.
  standin::ResetPlatform();
}

std::vector<std::string> ResourceWatch::Report() const {
  return {
      Line("after each of %.0f unloads, the most left open: %.0f files, %.0f sound buffers, "
           "%.0f devices",
           unloads_, most_files_, most_buffers_, most_devices_)};
}

#endif

}  // namespace bench
