#include "bench/sounds/riff_writer.h"

#include <cstdio>

namespace bench {

std::string Le16(uint16_t value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

std::string Le32(uint32_t value) { return Le16(value & 0xFFFF) + Le16(value >> 16); }

std::string RiffChunkDeclaring(const std::string& id, uint32_t declared_size, const std::string& body) {
  std::string chunk = id + Le32(declared_size) + body;
  if (body.size() % 2) chunk += '\0';
  return chunk;
}

std::string RiffChunk(const std::string& id, const std::string& body) {
  return RiffChunkDeclaring(id, static_cast<uint32_t>(body.size()), body);
}

std::string RiffForm(const std::string& form_type, const std::string& chunks) {
  return "RIFF" + Le32(static_cast<uint32_t>(4 + chunks.size())) + form_type + chunks;
}

std::string PcmFormat(uint16_t channels, uint32_t rate, uint16_t bits, uint16_t tag) {
  uint16_t block = static_cast<uint16_t>(channels * bits / 8);
  return Le16(tag) + Le16(channels) + Le32(rate) + Le32(rate * block) + Le16(block) + Le16(bits);
}

std::string PcmWave(uint16_t channels, uint32_t rate, uint16_t bits, const std::string& data) {
  return RiffForm("WAVE", RiffChunk("fmt ", PcmFormat(channels, rate, bits)) + RiffChunk("data", data));
}

std::string Samples16(const std::vector<int16_t>& samples) {
  std::string bytes;
  bytes.reserve(samples.size() * 2);
  for (int16_t s : samples) bytes += Le16(static_cast<uint16_t>(s));
  return bytes;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace bench
