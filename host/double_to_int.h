// The one conversion from a host double to an integer. A plain cast is undefined behaviour
// for not-a-number, infinities and values out of range; those give 0 here. Otherwise the
// value is truncated toward zero to 64 bits and the low 32 bits are used, which is how the
// module reads control values and sends event values.
#pragma once

#include <cmath>
#include <cstdint>

inline uint32_t TruncateToLow32(double value) {
  // Within 32 bits the truncation to 64 bits has the same low half, and SSE2 converts to 32
  // bits in one instruction where a 64-bit conversion goes through the x87 unit.
  if (std::fabs(value) < 2147483648.0) return static_cast<uint32_t>(static_cast<int32_t>(value));
  if (!(std::fabs(value) < 9223372036854775808.0)) return 0;  // also catches not-a-number
  return static_cast<uint32_t>(static_cast<uint64_t>(static_cast<int64_t>(value)));
}
