// The "TrafficInfo" gauge's parameter text on any bytes, against a reading of the same rule
// written another way: digits only, the value modulo 2^32, interval = value / 1000 raised to
// 16, radius = value mod 1000 nautical miles, a zero interval or radius switching the gauge
// off, and anything else leaving the defaults.
#include <cstdint>
#include <cstdio>
#include <string>

#include "traffic/traffic.h"

namespace {

struct Expected {
  int result;
  traffic::TrafficConfig config;
};

Expected Reference(const std::string& text) {
  bool digits = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
  if (!digits) return {1, traffic::kDefaultConfig};
  uint64_t value = 0;
  for (char c : text) value = (value * 10 + static_cast<uint64_t>(c - '0')) % 4294967296ull;
  uint64_t interval = value / 1000, radius = value % 1000;
  if (interval == 0 || radius == 0) return {0, traffic::kDefaultConfig};
  return {1, {static_cast<uint32_t>(interval < 16 ? 16 : interval), radius * 1852.0}};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The host hands the text over as a C string: it ends at the first zero byte.
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string c_text = text.substr(0, text.find('\0'));
  traffic::TrafficConfig config = traffic::kDefaultConfig;
  int result = traffic::ConfigureFromParameters(c_text.c_str(), &config);
  Expected expected = Reference(c_text);
  if (result != expected.result || config.interval != expected.config.interval ||
      config.radius_m != expected.config.radius_m) {
    std::fprintf(stderr, "traffic_parameters: '%s' gave %d, interval %u, radius %g m\n",
                 c_text.c_str(), result, config.interval, config.radius_m);
    __builtin_trap();
  }
  return 0;
}
