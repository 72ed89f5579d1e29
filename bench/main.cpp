// kv3-bench: runs panel sessions against the gauge module without the simulator.
#include <cstdio>
#include <string>
#include <vector>

#include "bench/commands.h"
#include "kv3_version.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

// An aircraft folder dropped on kv3-bench.exe in Explorer starts it in a console window of its
// own, which closes the moment it ends: keep the report on screen until the author has read
// it. Started from a console (or natively), the console is shared and nothing waits.
void KeepWindowOpen() {
#if defined(_WIN32)
  DWORD processes[2];
  if (GetConsoleProcessList(processes, 2) != 1) return;
  std::printf("Press Enter to close this window.\n");
  std::fflush(stdout);
  std::getchar();
#endif
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  for (const std::string& a : args)
    if (a == "--help" || a == "-h") return std::printf("%s", bench::UsageText().c_str()), 0;
  for (const std::string& a : args)
    if (a == "--version") return std::printf("kv3-bench %s\n", KV3_VERSION), 0;
  bench::Options options;
  std::string error;
  if (!bench::ParseOptions(argv[0], args, &options, &error)) {
    std::fprintf(stderr, "kv3-bench: %s\n", error.c_str());
    std::fprintf(stderr, "kv3-bench --help shows every command\n");
    return 2;
  }
  int code = bench::RunCommand(options);
  if (options.dropped) KeepWindowOpen();
  return code;
}
