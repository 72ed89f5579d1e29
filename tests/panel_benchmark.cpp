// What one frame of a panel costs the bench: each XML gauge's update and element scripts, as
// a session runs them before the module's gauges, with the trace off as in a long session.
// Reports the scripts run, nanoseconds and allocations per frame, after a second of frames
// has set every variable up; exits 1 when a steady frame allocates.
//   build/native/panel-benchmark [FRAMES] PANEL_DIR...
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/host/host_emulator.h"
#include "bench/measure/counting_allocator.h"
#include "bench/panels/run/running_panel.h"

namespace {

bool Measure(const char* dir, long frames) {
  bench::HostEmulator host;
  host.KeepTrace(false);
  bench::panels::RunningPanel panel(host, {});
  std::string error;
  if (!panel.Load(dir, {}, &error)) return std::fprintf(stderr, "%s\n", error.c_str()), false;
  long frame = 0;
  for (; frame < 18; ++frame) panel.Frame(frame + 1);
  long runs = panel.runner().runs, before = allocations;
  auto start = std::chrono::steady_clock::now();
  for (long i = 0; i < frames; ++i) panel.Frame(++frame + 1);
  double ns =
      std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
  long allocated = allocations - before;
  std::printf(
      "%s: %zu XML gauges, %.1f scripts a frame, %.0f ns a frame, %.3f allocations a frame\n", dir,
      panel.gauge_count(), double(panel.runner().runs - runs) / frames, ns / frames,
      double(allocated) / frames);
  return allocated == 0;
}

}  // namespace

int main(int argc, char** argv) {
  int first = 1;
  long frames = 100000;
  if (argc > 1 && std::atol(argv[1]) > 0) frames = std::atol(argv[1]), first = 2;
  if (first >= argc)
    return std::fprintf(stderr, "usage: panel-benchmark [FRAMES] PANEL_DIR...\n"), 2;
  bool steady = true;
  for (int i = first; i < argc; ++i) steady = Measure(argv[i], frames) && steady;
  return steady ? 0 : 1;
}
