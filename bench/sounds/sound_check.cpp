// check-sounds: the verdict comes from a walk of the file's chunks as mmio makes it (from the
// first chunk inside the form to the end of the file, odd chunks padded, nested forms
// skipped whole); the module's own loader then runs on the same file against the platform's
// mmio and DirectSound, and the two must agree.
#include <cstdio>
#include <fstream>
#include <iterator>

#include "bench/sounds/sound_files.h"
#include "platform/platform.h"
#include "sound/sound_slots.h"

namespace bench {
namespace {

uint32_t Le32At(const std::string& b, size_t at) {
  return static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8 |
         static_cast<uint8_t>(b[at + 2]) << 16 | static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3])) << 24;
}
uint16_t Le16At(const std::string& b, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8);
}

// The offset of the first chunk with this id at or after 12, or npos.
size_t FindChunk(const std::string& bytes, const char* id) {
  uint64_t at = 12;
  while (at + 8 <= bytes.size()) {
    if (bytes.compare(at, 4, id) == 0) return static_cast<size_t>(at);
    at += 8 + ((uint64_t{Le32At(bytes, at + 4)} + 1) & ~uint64_t{1});
  }
  return std::string::npos;
}

std::string Describe(const std::string& bytes, size_t fmt, uint32_t data_size) {
  uint16_t channels = Le16At(bytes, fmt + 10), bits = Le16At(bytes, fmt + 22);
  uint32_t rate = Le32At(bytes, fmt + 12), byte_rate = Le32At(bytes, fmt + 16);
  char text[160];
  std::snprintf(text, sizeof text, "PCM %u-bit %s %u Hz, %.3f s", bits,
                channels == 1 ? "mono" : channels == 2 ? "stereo" : "multichannel", rate,
                byte_rate ? static_cast<double>(data_size) / byte_rate : 0.0);
  return text;
}

// True when the module's loader accepts the file.
bool ModuleLoads(const std::string& path, IDirectSound* sound) {
  sound::SoundSlot slot{"check", -1, 0, 0, nullptr, path.c_str()};
  int loaded = sound::LoadWaveIntoSlot(slot, sound);
  sound::ReleaseSlot(slot);
  return loaded == 1;
}

}  // namespace

std::string SlotFileName(const sound::SoundSlot& slot) {
  std::string path = slot.file_path;
  return path.substr(path.find_last_of('\\') + 1);
}

std::string WaveVerdict(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return "missing file";
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") || bytes.compare(8, 4, "WAVE"))
    return "not a RIFF \"WAVE\" form";
  size_t fmt = FindChunk(bytes, "fmt ");
  if (fmt == std::string::npos) return "no \"fmt \" chunk";
  uint32_t fmt_size = Le32At(bytes, fmt + 4);
  if (fmt_size < 16) return "\"fmt \" under 16 bytes (" + std::to_string(fmt_size) + ")";
  if (fmt + 24 > bytes.size()) return "\"fmt \" is cut off by the end of the file";
  uint16_t tag = Le16At(bytes, fmt + 8);
  if (tag != 1) return "format tag " + std::to_string(tag) + " is not PCM";
  size_t data = FindChunk(bytes, "data");
  if (data == std::string::npos) return "no \"data\" chunk";
  uint32_t declared = Le32At(bytes, data + 4);
  size_t held = bytes.size() - (data + 8);
  if (declared > held)
    return "\"data\" declares " + std::to_string(declared) + " bytes but the file holds " + std::to_string(held);
  return "ok: " + Describe(bytes, fmt, declared);
}

int CheckSounds(const std::string& folder) {
  IDirectSound* sound = nullptr;
  if (DirectSoundCreate(nullptr, &sound, nullptr) != DS_OK ||
      sound->SetCooperativeLevel(GetDesktopWindow(), DSSCL_NORMAL) != DS_OK) {
    std::fprintf(stderr, "kv3-bench: no DirectSound device to check the files against\n");
    return 2;
  }
  int playable = 0, disagreements = 0;
  for (const sound::SoundSlot* s = sound::SoundTable; s->variable_name; ++s) {
    std::string file = SlotFileName(*s);
    std::string path = folder + "/" + file;
    std::string verdict = WaveVerdict(path);
    bool ok = verdict.rfind("ok", 0) == 0;
    bool loads = ModuleLoads(path, sound);
    if (ok && !loads) verdict = "DirectSound would refuse the format or size (" + verdict.substr(4) + ")";
    if (!ok && loads) ++disagreements, verdict += " (but the module loads it)";
    playable += loads;
    std::printf("%-22s %s\n", (file + ":").c_str(), verdict.c_str());
  }
  sound->Release();
  std::printf("%d of 28 files will play\n", playable);
  return disagreements ? 2 : playable == 28 ? 0 : 1;
}

}  // namespace bench
