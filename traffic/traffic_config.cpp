// The "TrafficInfo" gauge's parameter text: interval x 1000 + radius in nautical miles.
#include "traffic/traffic.h"

namespace traffic {
namespace {

constexpr uint32_t kMinimumInterval = 16;

// Decimal digits only, at least one; wraps like the host's unsigned 32-bit arithmetic.
int ParseUnsignedDecimal(const char* text, uint32_t* n) {
  uint32_t value = 0;
  const char* c = text;
  for (; *c >= '0' && *c <= '9'; ++c) value = value * 10 + static_cast<uint32_t>(*c - '0');
  *n = value;
  return c != text && *c == '\0';
}

}  // namespace

int ConfigureFromParameters(const char* parameters, TrafficConfig* config) {
  uint32_t n;
  if (!parameters || !ParseUnsignedDecimal(parameters, &n)) return 1;
  uint32_t interval = n / 1000, radius_nm = n % 1000;
  if (interval == 0 || radius_nm == 0) return 0;
  config->interval = interval < kMinimumInterval ? kMinimumInterval : interval;
  config->radius_m = radius_nm * kMetresPerNauticalMile;
  return 1;
}

}  // namespace traffic
