// kv3-bench: runs panel sessions against the gauge module without the simulator.
#include <cstdio>
#include <string>
#include <vector>

#include "bench/commands.h"
#include "kv3_version.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  for (const std::string& a : args)
    if (a == "--help" || a == "-h") return std::printf("%s", bench::kUsage), 0;
  for (const std::string& a : args)
    if (a == "--version") return std::printf("kv3-bench %s\n", KV3_VERSION), 0;
  bench::Options options;
  std::string error;
  if (!bench::ParseOptions(argv[0], args, &options, &error)) {
    std::fprintf(stderr, "kv3-bench: %s\n", error.c_str());
    std::fprintf(stderr, "kv3-bench --help shows every command\n");
    return 2;
  }
  return bench::RunCommand(options);
}
