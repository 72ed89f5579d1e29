// check-sounds' verdict on any bytes against what the module's loader does with them through
// the stand-in: a file the bench calls playable must load, and one it refuses must not, or
// the author is told a sound will play that stays silent in the simulator (or the reverse).
// The stand-in DirectSound keeps Windows' rules, so a verdict naming one of those rules is a
// refusal here too.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/sounds/sound_files.h"
#include "platform/standin/control.h"
#include "sound/sound_slots.h"

namespace {

std::string input_path;

void Require(bool held, const char* what, const std::string& verdict = "") {
  if (held) return;
  std::fprintf(stderr, "sound_verdict: %s %s\n", what, verdict.c_str());
  __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char folder[] = "/dev/shm/kv3-fuzz-verdict-XXXXXX";
  Require(mkdtemp(folder) != nullptr, "cannot make a folder for the input");
  input_path = std::string(folder) + "/input.wav";
  std::atexit([] {
    std::remove(input_path.c_str());
    rmdir(input_path.substr(0, input_path.rfind('/')).c_str());
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FILE* file = std::fopen(input_path.c_str(), "wb");
  Require(file && std::fwrite(data, 1, size, file) == size && std::fclose(file) == 0,
          "cannot write the input file");
  standin::ResetPlatform();
  bench::WaveVerdict verdict = bench::JudgeWave(input_path);
  IDirectSound* device = nullptr;
  Require(DirectSoundCreate(nullptr, &device, nullptr) == DS_OK, "no device");
  sound::SoundSlot slot{"Sound fuzz", -1, 0, 0, nullptr, input_path.c_str()};
  bool loads = sound::LoadWaveIntoSlot(slot, device) != 0;
  sound::ReleaseSlot(slot);
  device->Release();
  Require(standin::EndlessSearches() == 0, "a chunk search that winmm would never end");
  bool playable = verdict.kind == bench::WaveVerdict::kOk;
  Require(playable == loads, loads ? "the module loads a file check-sounds refuses:"
                                   : "the module refuses a file check-sounds passes:",
          verdict.text);
  return 0;
}
