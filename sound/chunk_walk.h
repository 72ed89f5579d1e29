// The walk that winmm's find-chunk search makes through a RIFF file, checked before the search
// is let loose on it. winmm steps from a chunk's data offset past its body padded to an even
// length, in 32-bit arithmetic, and reads the next header there until it finds the chunk or
// runs out of file. A size near 4 GiB wraps that step back onto the same chunk, into its own
// body or further back, and the search then never ends: inside the host's gauge thread that
// freezes the simulator. A walk is safe when every step it takes lands strictly further on and
// not past the end of the file; then the 32-bit and the true positions agree and the search
// must end.
#pragma once

#include <cstdint>

namespace sound {

struct ChunkHeader {
  uint32_t id;
  uint32_t size;
};

// The chunk that would send the search astray: where its header starts, and what it says.
struct ChunkFault {
  uint32_t position;
  ChunkHeader header;
};

// Walks from first (the first chunk inside the form) the way the searches for "fmt " and
// "data" would, until both are met or fewer than 8 bytes are left. read(position, &header)
// reads one header; it returning false is a failure of the file. True when both searches
// are sure to end; false with fault filled when a step would wrap, stand still, go back or
// leave the file (fault.header.size is 0 and position the failing read's when a read failed).
template <class ReadHeader>
bool WalkIsSafe(uint32_t first, uint32_t length, uint32_t format_id, uint32_t data_id,
                ReadHeader read, ChunkFault* fault) {
  bool format_met = false, data_met = false;
  uint64_t position = first;
  while (position + 8 <= length) {
    ChunkHeader header{};
    *fault = {static_cast<uint32_t>(position), header};
    if (!read(static_cast<uint32_t>(position), &header)) return false;
    format_met |= header.id == format_id;
    data_met |= header.id == data_id;
    if (format_met && data_met) return true;
    uint64_t next = position + 8 + ((uint64_t{header.size} + 1) & ~uint64_t{1});
    if (next > length) return fault->header = header, false;
    position = next;
  }
  return true;
}

}  // namespace sound
