// check-sounds: each file's verdict (wave_verdict.cpp) is confirmed by running the module's own
// loader on the same file against the platform's mmio and DirectSound; the two must agree. On
// Windows that platform is the real one, and under Wine it is Wine's, whose DirectSound takes
// some formats that Windows' refuses: that is said as such, not counted as a disagreement.
#include <cstdio>

#include "bench/sounds/sound_files.h"
#include "platform/platform.h"
#include "sound/sound_slots.h"

namespace bench {
namespace {

// True when the module's loader accepts the file.
bool ModuleLoads(const std::string& path, IDirectSound* sound) {
  sound::SoundSlot slot{"check", -1, 0, 0, nullptr, path.c_str()};
  int loaded = sound::LoadWaveIntoSlot(slot, sound);
  sound::ReleaseSlot(slot);
  return loaded == 1;
}

bool RunningUnderWine() {
#if defined(_WIN32)
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
#else
  return false;
#endif
}

}  // namespace

std::string SlotFileName(const sound::SoundSlot& slot) {
  std::string path = slot.file_path;
  return path.substr(path.find_last_of('\\') + 1);
}

int CheckSounds(const std::string& folder) {
  IDirectSound* sound = nullptr;
  if (DirectSoundCreate(nullptr, &sound, nullptr) != DS_OK ||
      sound->SetCooperativeLevel(GetDesktopWindow(), DSSCL_NORMAL) != DS_OK) {
    std::fprintf(stderr, "kv3-bench: no DirectSound device to check the files against\n");
    return 2;
  }
  bool wine = RunningUnderWine();
  int playable = 0, disagreements = 0;
  for (const sound::SoundSlot* s = sound::SoundTable; s->variable_name; ++s) {
    std::string file = SlotFileName(*s);
    std::string path = folder + "/" + file;
    WaveVerdict verdict = JudgeWave(path);
    bool ok = verdict.kind == WaveVerdict::kOk;
    bool loads = ModuleLoads(path, sound);
    if (verdict.kind == WaveVerdict::kDirectSoundRule)
      verdict.text = "DirectSound refuses it: " + verdict.text;
    if (loads && verdict.kind == WaveVerdict::kDirectSoundRule && wine)
      verdict.text += " (Wine's DirectSound accepts what Windows' refuses)";
    else if (ok != loads)
      ++disagreements,
          verdict.text += loads ? " (but the module loads it)" : " (but the module refuses it)";
    playable += ok && loads;
    std::printf("%-22s %s\n", (file + ":").c_str(), verdict.text.c_str());
  }
  sound->Release();
  std::printf("%d of 28 files will play\n", playable);
  if (disagreements) std::printf("%d verdicts disagree with the module's loader\n", disagreements);
  return disagreements ? 2 : playable == 28 ? 0 : 1;
}

}  // namespace bench
