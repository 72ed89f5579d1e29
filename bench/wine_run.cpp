#include "bench/wine_run.h"

#include <cstdio>

#if defined(_WIN32)

namespace bench {

int RunUnderWine(const Options&) {
  std::fprintf(stderr,
               "kv3-bench: --wine is for the native bench; this one already runs on Windows\n");
  return 2;
}

}  // namespace bench

#else

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "bench/run_outputs.h"

extern char** environ;

namespace bench {
namespace {

namespace fs = std::filesystem;

// Runs a program found on PATH and waits for it; its exit code, or -1 when it cannot start.
int Spawn(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid;
  if (posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0) return -1;
  int status = 0;
  if (waitpid(pid, &status, 0) < 0 || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

// Wine 8 mixes to 32-bit float stereo at 48 kHz; the capture holds those frames raw.
plot::Recording ReadCapture(const std::string& raw_path) {
  std::ifstream raw(raw_path, std::ios::binary);
  plot::Recording recording{{}, 2, 48000};
  float value;
  while (raw.read(reinterpret_cast<char*>(&value), sizeof value)) {
    float clamped = value > 1.0f ? 1.0f : value < -1.0f ? -1.0f : value;
    recording.samples.push_back(static_cast<int16_t>(clamped * 32767.0f));
  }
  return recording;
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A private HOME: its own 32-bit prefix, and an ALSA default device that writes what it is
// given to a file in front of the null device, so DirectSound works with no sound card.
void PrepareHome(const fs::path& home, const fs::path& capture) {
  fs::create_directories(home);
  std::ofstream(home / ".asoundrc")
      << "pcm.!default {\n  type file\n  slave.pcm \"null\"\n  file \"" << capture.string()
      << "\"\n  format \"raw\"\n}\n";
  setenv("HOME", home.c_str(), 1);
  setenv("WINEPREFIX", (home / ".wine").c_str(), 1);
  setenv("WINEARCH", "win32", 1);
  setenv("WINEDEBUG", "-all", 1);
  setenv("DISPLAY", "", 1);
}

}  // namespace

int RunUnderWine(const Options& o) {
  fs::path out = fs::absolute(fs::path(o.self).parent_path());
  // Each run records into its own file: a Wine process still shutting down from an earlier
  // run keeps the device it opened then, and must not write into this recording.
  fs::path home = out / "wine-home";
  fs::path capture = home / ("capture-" + std::to_string(getpid()) + ".raw");
  PrepareHome(home, capture);
  if (!fs::exists(home / ".wine" / "system.reg") && Spawn({"wineboot", "-i"}) != 0) {
    std::fprintf(stderr,
                 "kv3-bench: Wine could not set up its prefix; it needs a kernel that "
                 "runs 32-bit programs\n");
    return 2;
  }
  std::string module = o.module.size() > 3 && o.module.substr(o.module.size() - 3) == ".so"
                           ? (out / "KV3_Pelk.dll").string()
                           : fs::absolute(o.module).string();
  std::vector<std::string> argv = {"wine", (out / "kv3-bench.exe").string(), o.command};
  if (o.command == "soak" || o.command == "measure") {
    argv.insert(argv.end(), {"--module", module});
    if (o.command == "soak") argv.insert(argv.end(), {"--seed", std::to_string(o.seed)});
    if (o.frames >= 0) argv.insert(argv.end(), {"--frames", std::to_string(o.frames)});
    if (o.minutes > 0) argv.insert(argv.end(), {"--minutes", std::to_string(o.minutes)});
  } else if (o.command == "click-map") {
    argv.push_back(o.file);  // the map names files as the user named the aircraft
  } else {
    argv.push_back(fs::absolute(o.file.empty() ? "Sound/KV3_R40" : o.file).string());
  }
  if (o.command == "run" || o.command == "click-map") argv.insert(argv.end(), {"--module", module});
  if (!o.out.empty()) argv.insert(argv.end(), {"--out", fs::absolute(o.out).string()});
  // The picture is drawn here, from the trace the Windows bench writes and the capture.
  std::string trace = o.trace.empty() && !o.plot.empty()
                          ? (home / ("trace-" + std::to_string(getpid()) + ".txt")).string()
                          : o.trace;
  if (!trace.empty()) argv.insert(argv.end(), {"--trace", fs::absolute(trace).string()});
  if (!o.root.empty()) argv.insert(argv.end(), {"--root", fs::absolute(o.root).string()});
  // run changes into --root before it reads the panel; the map names files as the user did.
  if (!o.sim_root.empty())
    argv.insert(
        argv.end(),
        {"--sim-root", o.command == "click-map" ? o.sim_root : fs::absolute(o.sim_root).string()});
  if (!o.fltsim.empty()) argv.insert(argv.end(), {"--fltsim", o.fltsim});
  int code = Spawn(argv);
  Spawn({"wineserver", "-w"});  // every Wine process has ended and closed the recording
  if (code < 0) return std::fprintf(stderr, "kv3-bench: cannot start wine\n"), 2;
  std::string unwritten;
  bool written = WriteRunOutputs(o, ReadLines(trace), ReadCapture(capture.string()), &unwritten);
  fs::remove(capture);
  if (trace != o.trace) fs::remove(trace);
  if (!written) return std::fprintf(stderr, "kv3-bench: cannot write %s\n", unwritten.c_str()), 2;
  return code;
}

}  // namespace bench

#endif
