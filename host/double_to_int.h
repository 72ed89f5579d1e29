// The one conversion from a host double to an integer. A plain cast is undefined behaviour
// for not-a-number, infinities and values out of range; those give 0 here. Otherwise the
// value is truncated toward zero to 64 bits and the low 32 bits are used, which is how the
// module reads control values and sends event values.
#pragma once

#include <cstdint>

inline uint32_t TruncateToLow32(double value) {
  // The builtin, not std::fabs: MinGW's math.h makes fabs an x87 instruction, which in the
  // DLL sent every slot's value through memory twice on each service; the builtin is one
  // SSE2 mask in both builds.
  double magnitude = __builtin_fabs(value);
  // Within 32 bits the truncation to 64 bits has the same low half, and SSE2 converts to 32
  // bits in one instruction where a 64-bit conversion goes through the x87 unit.
  if (__builtin_expect(magnitude < 2147483648.0, 1))
    return static_cast<uint32_t>(static_cast<int32_t>(value));
  if (!(magnitude < 9223372036854775808.0)) return 0;  // also catches not-a-number
  return static_cast<uint32_t>(static_cast<uint64_t>(static_cast<int64_t>(value)));
}
