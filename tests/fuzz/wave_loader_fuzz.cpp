// The WAV loader on any bytes, through the stand-in's mmio and software DirectSound. Besides
// the sanitizers' checks, every input must leave the file closed and, once the slot is
// released, no buffer and no device alive (a loader that leaks per file leaks per reload in
// the simulator), and must not start a chunk search that would never end under winmm.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/standin/control.h"
#include "sound/sound_slots.h"

namespace {

std::string input_path;

void Require(bool held, const char* what) {
  if (held) return;
  std::fprintf(stderr, "wave_loader: %s\n", what);
  __builtin_trap();
}

void WriteInput(const uint8_t* data, size_t size) {
  FILE* file = std::fopen(input_path.c_str(), "wb");
  Require(file && std::fwrite(data, 1, size, file) == size && std::fclose(file) == 0,
          "cannot write the input file");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // In memory where the machine has it: a file is written for every input.
  char folder[] = "/dev/shm/kv3-fuzz-wave-XXXXXX";
  Require(mkdtemp(folder) != nullptr, "cannot make a folder for the input");
  input_path = std::string(folder) + "/input.wav";
  std::atexit([] {
    std::remove(input_path.c_str());
    rmdir(input_path.substr(0, input_path.rfind('/')).c_str());
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WriteInput(data, size);
  standin::ResetPlatform();
  IDirectSound* device = nullptr;
  Require(DirectSoundCreate(nullptr, &device, nullptr) == DS_OK, "no device");
  sound::SoundSlot slot{"Sound fuzz", -1, 0, 0, nullptr, input_path.c_str()};
  int loaded = sound::LoadWaveIntoSlot(slot, device);
  Require(standin::OpenFiles() == 0, "the file was left open");
  Require(standin::EndlessSearches() == 0, "a chunk search that winmm would never end");
  Require(loaded ? slot.buffer != nullptr : slot.buffer == nullptr,
          "the result and the slot's buffer disagree");
  Require(standin::LiveBuffers() == loaded, "a buffer outlived a failed load");
  sound::ReleaseSlot(slot);
  Require(standin::LiveBuffers() == 0, "a buffer outlived its release");
  device->Release();
  Require(standin::LiveDevices() == 0, "the device outlived its release");
  return 0;
}
