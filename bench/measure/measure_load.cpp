// What the start-up load of the 28 sound files costs against reading the same bytes with
// plain file reads. The load is the module's own loader (the bench is built from the same
// source) through mmio and DirectSound: natively the stand-in's, on Windows the system's.
#include <cstdio>
#include <string>
#include <vector>

#include "bench/measure/measure.h"
#include "bench/measure/timing.h"
#include "bench/sounds/sound_files.h"
#include "platform/platform.h"
#include "sound/sound_slots.h"

namespace bench {

int MeasureStartUpLoad(int rounds) {
  IDirectSound* device = nullptr;
  if (DirectSoundCreate(nullptr, &device, nullptr) != DS_OK ||
      device->SetCooperativeLevel(GetDesktopWindow(), DSSCL_NORMAL) != DS_OK) {
    std::printf("Start-up load: no sound device, not measured\n");
    if (device) device->Release();
    return 1;
  }
  sound::SoundSlot slots[sound::kSlotCount];
  std::vector<std::string> paths;
  for (int s = 0; s < sound::kSlotCount; ++s) {
    slots[s] = sound::SoundTable[s];
    slots[s].buffer = nullptr;
    paths.push_back("Sound/KV3_R40/" + SlotFileName(slots[s]));
  }
  std::vector<char> bytes(1 << 16);
  long total = 0;
  auto load = [&](long) {
    for (sound::SoundSlot& slot : slots) sound::LoadWaveIntoSlot(slot, device);
  };
  auto bare = [&](long) {
    total = 0;
    for (const std::string& path : paths) {
      FILE* file = std::fopen(path.c_str(), "rb");
      if (!file) continue;
      for (size_t got; (got = std::fread(bytes.data(), 1, bytes.size(), file)) > 0;) total += got;
      std::fclose(file);
    }
  };
  TimedPair t = TimeAgainstBare(rounds, load, bare);
  int loaded = 0;
  for (sound::SoundSlot& slot : slots) {
    loaded += slot.buffer != nullptr;
    sound::ReleaseSlot(slot);
  }
  device->Release();
  std::printf("Start-up load of the 28 sound files (%d loaded, %ld KB), %d loads a round:\n",
              loaded, total / 1024, rounds);
  PrintRatio(t, "microseconds per start-up", 1000, "ratio to plain file reads");
  return 0;
}

}  // namespace bench
