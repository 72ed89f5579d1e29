// Building RIFF files byte by byte: the bench writes its generated sounds and its recordings
// with these, and the tests build good and malformed WAV files from the same pieces.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

std::string Le16(uint16_t value);
std::string Le32(uint32_t value);

// A chunk: id, size, body, and the pad byte that follows an odd-sized body.
std::string RiffChunk(const std::string& id, const std::string& body);
// A chunk whose size field says declared_size whatever the body holds.
std::string RiffChunkDeclaring(const std::string& id, uint32_t declared_size, const std::string& body);
// "RIFF", the size of what follows, the form type, then the chunks.
std::string RiffForm(const std::string& form_type, const std::string& chunks);

// The 16-byte body of a "fmt " chunk for integer PCM.
std::string PcmFormat(uint16_t channels, uint32_t rate, uint16_t bits, uint16_t tag = 1);
// A whole PCM WAV file.
std::string PcmWave(uint16_t channels, uint32_t rate, uint16_t bits, const std::string& data);
// 16-bit samples as little-endian bytes.
std::string Samples16(const std::vector<int16_t>& samples);

bool WriteFileBytes(const std::string& path, const std::string& bytes);

}  // namespace bench
