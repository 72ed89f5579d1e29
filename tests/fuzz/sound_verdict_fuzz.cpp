// check-sounds' verdict on any bytes against what the module's loader does with them through
// the stand-in: a file the bench calls playable must load, and one it refuses must not, or
// the author is told a sound will play that stays silent in the simulator (or the reverse).
// The stand-in DirectSound keeps Windows' rules, so a verdict naming one of those rules is a
// refusal here too.
#include "bench/sounds/sound_files.h"
#include "platform/standin/control.h"
#include "sound/sound_slots.h"
#include "tests/fuzz/input_file.h"

namespace {

const fuzz::InputFile input("sound_verdict");

void Require(bool held, const std::string& what) { fuzz::Require(held, "sound_verdict", what); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  input.Write(data, size);
  standin::ResetPlatform();
  bench::WaveVerdict verdict = bench::JudgeWave(input.path());
  IDirectSound* device = nullptr;
  Require(DirectSoundCreate(nullptr, &device, nullptr) == DS_OK, "no device");
  sound::SoundSlot slot{"Sound fuzz", -1, 0, 0, nullptr, input.path().c_str()};
  bool loads = sound::LoadWaveIntoSlot(slot, device) != 0;
  sound::ReleaseSlot(slot);
  device->Release();
  Require(standin::EndlessSearches() == 0, "a chunk search that winmm would never end");
  bool playable = verdict.kind == bench::WaveVerdict::kOk;
  Require(playable == loads, std::string(loads ? "the module loads a file check-sounds refuses: "
                                               : "the module refuses a file check-sounds passes: ") +
                                 verdict.text);
  return 0;
}
