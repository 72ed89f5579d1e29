// The WAV loader on any bytes, through the stand-in's mmio and software DirectSound, built
// 32-bit as the module is, so the stand-in's chunk search steps with winmm's 32-bit positions.
// Besides the sanitizers' checks, every input must leave the file closed and, once the slot
// is released, no buffer and no device alive (a loader that leaks per file leaks per reload in
// the simulator); must not start a chunk search that would never end under winmm; and must
// not get a sound buffer larger than the file (a size claimed, not held, would reserve it).
#include "platform/standin/control.h"
#include "sound/sound_slots.h"
#include "tests/fuzz/input_file.h"

namespace {

// A static whose destructor removes the file when libFuzzer exits.
const fuzz::InputFile input("wave_loader");

void Require(bool held, const char* what) { fuzz::Require(held, "wave_loader", what); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  input.Write(data, size);
  standin::ResetPlatform();
  IDirectSound* device = nullptr;
  Require(DirectSoundCreate(nullptr, &device, nullptr) == DS_OK, "no device");
  sound::SoundSlot slot{"Sound fuzz", -1, 0, 0, nullptr, input.path().c_str()};
  int loaded = sound::LoadWaveIntoSlot(slot, device);
  Require(standin::OpenFiles() == 0, "the file was left open");
  Require(standin::EndlessSearches() == 0, "a chunk search that winmm would never end");
  Require(standin::LargestSoundBuffer() <= size, "a sound buffer larger than the file");
  Require(loaded ? slot.buffer != nullptr : slot.buffer == nullptr,
          "the result and the slot's buffer disagree");
  Require(standin::LiveBuffers() == loaded, "a buffer outlived a failed load");
  sound::ReleaseSlot(slot);
  Require(standin::LiveBuffers() == 0, "a buffer outlived its release");
  device->Release();
  Require(standin::LiveDevices() == 0, "the device outlived its release");
  return 0;
}
