// The verdict on one WAV file, found the way the module's loader and winmm would find it, but
// told in words: the chunk walk that the loader checks before winmm searches, winmm's searches
// for "fmt " and "data", the PCM format, the "data" body against the file, and the rules that
// Windows' DirectSound documents for a buffer's format. Only headers are read, so a huge file
// costs no more than a small one.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "bench/sounds/sound_files.h"
#include "platform/platform.h"
#include "sound/chunk_walk.h"

namespace bench {
namespace {

constexpr uint32_t kFormatId = 0x20746D66;   // "fmt "
constexpr uint32_t kDataId = 0x61746164;     // "data"
constexpr uint64_t kMmioLimit = 0x7FFFFFFF;  // mmio's positions are signed 32-bit

uint32_t Le32(const unsigned char* b) {
  return b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24;
}
uint16_t Le16(const unsigned char* b) { return static_cast<uint16_t>(b[0] | b[1] << 8); }

std::string IdText(uint32_t id) {
  std::string text;
  for (int i = 0; i < 4; ++i) {
    char c = static_cast<char>(id >> (8 * i));
    text += c >= 0x20 && c < 0x7F ? c : '?';
  }
  return text;
}

// A file read piece by piece where asked.
class FileBytes {
 public:
  explicit FileBytes(const std::string& path) : in_(path, std::ios::binary) {}
  bool Read(uint64_t at, size_t count, unsigned char* out) {
    in_.clear();
    in_.seekg(static_cast<std::streamoff>(at));
    in_.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(count));
    return static_cast<size_t>(in_.gcount()) == count;
  }
  bool Header(uint32_t at, sound::ChunkHeader* header) {
    unsigned char b[8];
    if (!Read(at, 8, b)) return false;
    *header = {Le32(b), Le32(b + 4)};
    return true;
  }

 private:
  std::ifstream in_;
};

struct Chunk {
  bool found = false;
  uint32_t data_offset = 0;
  uint32_t size = 0;
};

// winmm's find-chunk search from first, on a walk already known to be safe: its 32-bit
// steps are then the true ones.
Chunk FindChunk(FileBytes& file, uint32_t first, uint32_t length, uint32_t id) {
  uint64_t at = first;
  sound::ChunkHeader header;
  while (at + 8 <= length && file.Header(static_cast<uint32_t>(at), &header)) {
    if (header.id == id) return {true, static_cast<uint32_t>(at + 8), header.size};
    at += 8 + ((uint64_t{header.size} + 1) & ~uint64_t{1});
  }
  return {};
}

std::string Describe(const WAVEFORMATEX& f, uint32_t data_size) {
  char text[160];
  std::snprintf(text, sizeof text, "PCM %u-bit %s %u Hz, %.3f s", f.wBitsPerSample,
                f.nChannels == 1   ? "mono"
                : f.nChannels == 2 ? "stereo"
                                   : "multichannel",
                static_cast<unsigned>(f.nSamplesPerSec),
                f.nAvgBytesPerSec ? static_cast<double>(data_size) / f.nAvgBytesPerSec : 0.0);
  return text;
}

}  // namespace

// What Windows' DirectSound documents for a static buffer's PCM format and size; empty when
// the buffer is allowed. The stand-in DirectSound keeps the same rules.
std::string DirectSoundRuleBroken(const WAVEFORMATEX& f, uint32_t size) {
  uint32_t bits = f.wBitsPerSample, block = f.nChannels * bits / 8;
  if (f.nChannels == 0) return "the format has no channels";
  if (bits != 8 && bits != 16 && bits != 24 && bits != 32)
    return std::to_string(bits) + "-bit samples: DirectSound plays 8, 16, 24 or 32 bits";
  if (f.nSamplesPerSec < 100 || f.nSamplesPerSec > 200000)
    return "rate " + std::to_string(f.nSamplesPerSec) +
           " Hz is outside DirectSound's 100 to 200000 Hz";
  if (f.nBlockAlign != block)
    return "block alignment " + std::to_string(f.nBlockAlign) + " is not " + std::to_string(block) +
           " (" + std::to_string(f.nChannels) + " x " + std::to_string(bits) + "-bit samples)";
  if (f.nAvgBytesPerSec != uint64_t{f.nSamplesPerSec} * f.nBlockAlign)
    return "byte rate " + std::to_string(f.nAvgBytesPerSec) + " is not " +
           std::to_string(f.nSamplesPerSec) + " Hz x block " + std::to_string(f.nBlockAlign);
  if (size < 4 || size > 0x0FFFFFFF)
    return "\"data\" holds " + std::to_string(size) +
           " bytes; a DirectSound buffer holds 4 to 268435455";
  return "";
}

WaveVerdict JudgeWave(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return {WaveVerdict::kRefused, "missing file"};
  uint64_t length = std::filesystem::file_size(path, error);
  if (!error && length > kMmioLimit)
    return {WaveVerdict::kRefused,
            "the file's " + std::to_string(length) + " bytes are more than mmio's 2 GB"};
  std::string windows_path = path;
  HMMIO probe = mmioOpenA(&windows_path[0], nullptr, MMIO_ALLOCBUF | MMIO_READ);
  if (!probe || error)
    return {WaveVerdict::kRefused, "mmio cannot open it (a folder, or not readable)"};
  mmioClose(probe, 0);
  FileBytes file(path);
  unsigned char head[12];
  if (!file.Read(0, 12, head) || Le32(head) != 0x46464952 || Le32(head + 8) != 0x45564157)
    return {WaveVerdict::kRefused, "not a RIFF \"WAVE\" form"};
  uint32_t size = static_cast<uint32_t>(length);
  sound::ChunkFault fault;
  auto read = [&file](uint32_t at, sound::ChunkHeader* h) { return file.Header(at, h); };
  if (!sound::WalkIsSafe(12, size, kFormatId, kDataId, read, &fault))
    return {WaveVerdict::kRefused, "chunk \"" + IdText(fault.header.id) + "\" at byte " +
                                       std::to_string(fault.position) + " declares " +
                                       std::to_string(fault.header.size) + " bytes; the file has " +
                                       std::to_string(size)};
  Chunk fmt = FindChunk(file, 12, size, kFormatId);
  if (!fmt.found) return {WaveVerdict::kRefused, "no \"fmt \" chunk"};
  if (fmt.size < 16)
    return {WaveVerdict::kRefused, "\"fmt \" under 16 bytes (" + std::to_string(fmt.size) + ")"};
  unsigned char f[16];
  if (!file.Read(fmt.data_offset, 16, f))
    return {WaveVerdict::kRefused, "\"fmt \" is cut off by the end of the file"};
  WAVEFORMATEX format = {Le16(f), Le16(f + 2), Le32(f + 4), Le32(f + 8), Le16(f + 12), Le16(f + 14),
                         0};
  if (format.wFormatTag != WAVE_FORMAT_PCM)
    return {WaveVerdict::kRefused,
            "format tag " + std::to_string(format.wFormatTag) + " is not PCM"};
  Chunk data = FindChunk(file, 12, size, kDataId);
  if (!data.found) return {WaveVerdict::kRefused, "no \"data\" chunk"};
  uint64_t held = size - data.data_offset;
  if (data.size > held)
    return {WaveVerdict::kRefused, "\"data\" declares " + std::to_string(data.size) +
                                       " bytes but the file holds " + std::to_string(held)};
  std::string rule = DirectSoundRuleBroken(format, data.size);
  if (!rule.empty()) return {WaveVerdict::kDirectSoundRule, rule};
  return {WaveVerdict::kOk, "ok: " + Describe(format, data.size)};
}

}  // namespace bench
