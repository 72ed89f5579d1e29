// What a panel and the host's traffic do during a soak, drawn at random but the same for the
// same seed in both builds: control values written into the 28 slot variables (valid ones and
// odd ones), volume changes and stops, traffic runs, and a traffic list that changes.
#pragma once

#include <cstdint>

namespace bench {

class HostEmulator;

// splitmix64: a generator of our own, so a seed gives the same session whatever the standard
// library of the build.
class SoakRandom {
 public:
  explicit SoakRandom(uint64_t seed) : state_(seed) {}
  uint32_t Below(uint32_t n);  // 0 to n - 1
  bool OneIn(uint32_t n) { return Below(n) == 0; }

 private:
  uint64_t state_;
};

// The panel's variables: the 28 slots', the traffic gauge's and the radios'.
void CreatePanelVariables(HostEmulator& host);
// One frame of panel and traffic activity; the number of variable writes it made.
int PanelActivity(HostEmulator& host, SoakRandom& random);

}  // namespace bench
