// The soak's timeline: every frame the panel's activity, then both gauges' services as the
// host makes them; every few hundred to few thousand frames a teardown, the module unloaded
// and loaded again, and the resources checked.
#include "bench/soak/soak.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "bench/host/frame_loop.h"
#include "bench/host/host_clock.h"
#include "bench/host/host_emulator.h"
#include "bench/soak/panel_activity.h"
#include "bench/soak/resource_watch.h"
#include "bench/sounds/sound_files.h"

namespace bench {
namespace {

struct SoakCounts {
  long writes = 0;
  int reloads = 0;
};

class Soak {
 public:
  explicit Soak(const SoakOptions& options) : options_(options), random_(options.seed) {
    host_.KeepTrace(false);
    CreatePanelVariables(host_);
  }

  bool Run() {
    if (!loop_.Load(options_.module)) return false;
    long next_teardown = NextTeardown();
    while (!Done()) {
      counts_.writes += PanelActivity(host_, random_);
      loop_.Frame();
      if (loop_.frame() == next_teardown) {
        Unload(false);
        if (!loop_.Load(options_.module)) return false;
        ++counts_.reloads;
        next_teardown = NextTeardown();
      }
    }
    Unload(true);
    return true;
  }

  void Print() const {
    std::printf(
        "soak: seed %u, %ld frames (%.1f minutes of host time) in %.1f s, %d reloads of "
        "the module, %ld panel writes, %d host calls\n",
        options_.seed, loop_.frame(), loop_.frame() / 60.0 / kFramesPerSecond, Seconds(),
        counts_.reloads, counts_.writes, host_.host_calls());
    for (const std::string& line : watch_.Report()) std::printf("soak: %s\n", line.c_str());
    std::printf("soak: %s\n", watch_.Grew() ? "FAILED: something grew or was left open"
                                            : "nothing grew, nothing was left open");
  }
  bool Grew() const { return watch_.Grew(); }
  const std::string& error() const { return loop_.error(); }

 private:
  double Seconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  }
  bool Done() const {
    return options_.minutes > 0 ? Seconds() >= options_.minutes * 60.0
                                : loop_.frame() >= options_.frames;
  }
  // A panel closes after seconds to a couple of minutes of flying; a short soak still sees a
  // teardown or two before its end.
  long NextTeardown() {
    long spread = options_.minutes > 0 ? 2000 : std::min(2000L, std::max(1L, options_.frames / 3));
    return loop_.frame() + 100 + random_.Below(static_cast<uint32_t>(spread));
  }

  // The panel closes: teardown, the module unloaded, then what it left behind is looked at.
  void Unload(bool last) {
    loop_.Teardown();
    loop_.Unload();
    watch_.AfterUnload(Seconds(), last);
  }

  const SoakOptions& options_;
  SoakRandom random_;
  HostEmulator host_;
  FrameLoop loop_{host_};
  ResourceWatch watch_;
  SoakCounts counts_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace

int RunSoak(const SoakOptions& options) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::path root = fs::absolute(options.root, error);
  if (error || !MakeSounds((root / "Sound" / "KV3_R40").string())) {
    std::fprintf(stderr, "kv3-bench: cannot make the sounds in %s\n", options.root.c_str());
    return 2;
  }
  SoakOptions in_root = options;
  in_root.module = fs::absolute(options.module).string();
  fs::current_path(root, error);
  if (error) return std::fprintf(stderr, "kv3-bench: cannot enter %s\n", options.root.c_str()), 2;
  Soak soak(in_root);
  if (!soak.Run()) return std::fprintf(stderr, "kv3-bench: %s\n", soak.error().c_str()), 2;
  soak.Print();
  return soak.Grew() ? 1 : 0;
}

}  // namespace bench
