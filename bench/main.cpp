// kv3-bench: runs panel sessions against the gauge module without the simulator.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/measure.h"
#include "bench/session.h"

namespace {

#if defined(_WIN32)
const char* const kDefaultModule = "KV3_Pelk.dll";
#else
const char* const kDefaultModule = "KV3_Pelk.so";
#endif

int Usage(FILE* out, int code) {
  std::fprintf(out,
               "usage: kv3-bench [--module PATH] [--frames N]\n"
               "  Runs the built-in panel session against the gauge module and prints every\n"
               "  host call the module makes, one per line; lines starting with -- are the\n"
               "  session's own steps.\n"
               "usage: kv3-bench measure [--module PATH] [--frames N]\n"
               "  Times N steady-state sound services (default 100000) and counts their host\n"
               "  calls and heap allocations.\n"
               "  --module PATH  the module to load (default: %s beside kv3-bench)\n"
               "  --frames N     periodic frames to run (default 3)\n"
               "exit: 0 done, 2 bad arguments or a module that does not load\n",
               kDefaultModule);
  return code;
}

std::string BesideProgram(const char* argv0, const char* file) {
  std::string self = argv0;
  size_t slash = self.find_last_of("/\\");
  return slash == std::string::npos ? std::string(file) : self.substr(0, slash + 1) + file;
}

}  // namespace

int main(int argc, char** argv) {
  std::string module = BesideProgram(argv[0], kDefaultModule);
  bool measure = argc > 1 && !std::strcmp(argv[1], "measure");
  int frames = measure ? 100000 : 3;
  for (int i = measure ? 2 : 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--help")) return Usage(stdout, 0);
    if (!std::strcmp(argv[i], "--module") && i + 1 < argc) {
      module = argv[++i];
    } else if (!std::strcmp(argv[i], "--frames") && i + 1 < argc) {
      char* end = nullptr;
      long n = std::strtol(argv[++i], &end, 10);
      if (*end || n < (measure ? 1 : 0) || n > 100000000) return Usage(stderr, 2);
      frames = static_cast<int>(n);
    } else {
      std::fprintf(stderr, "kv3-bench: unknown argument '%s'\n", argv[i]);
      return Usage(stderr, 2);
    }
  }
  if (measure) return bench::RunMeasurement(module, frames);
  bench::SessionResult result = bench::RunBuiltInSession(module, frames);
  if (!result.loaded) {
    std::fprintf(stderr, "kv3-bench: %s\n", result.error.c_str());
    return 2;
  }
  for (const std::string& line : result.trace) std::printf("%s\n", line.c_str());
  return 0;
}
