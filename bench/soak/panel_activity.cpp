#include "bench/soak/panel_activity.h"

#include <cmath>
#include <limits>

#include "bench/host/host_emulator.h"
#include "handoff/radio_handoff.h"
#include "sound/sound_slots.h"
#include "traffic/traffic.h"

namespace bench {
namespace {

const double kInfinity = std::numeric_limits<double>::infinity();
// Every command digit and the usual attenuations, then values a panel should never write
// but might: negative digits, fractions, beyond 32 bits, not-a-number, beyond -100 dB.
const double kControlValues[] = {
    0,         1,          2,     3,     9,      1001,     2002, 3000,         5001,
    10002,     10000,      2000,  -7,    -12,    2.9,      -0.5, 4294967297.0, std::nan(""),
    kInfinity, -kInfinity, 1e300, 20001, -10001, 123456789};
constexpr uint32_t kControlValueCount = sizeof kControlValues / sizeof kControlValues[0];
constexpr uint32_t kAircraftIds = 40;

double Degrees(SoakRandom& random) { return (random.Below(6001) - 3000.0) / 10000.0; }

// A write into one slot: any control value, or a new volume part for the digit it holds.
void WriteSlot(HostEmulator& host, SoakRandom& random) {
  const char* name = sound::SoundTable[random.Below(sound::kSlotCount)].variable_name;
  if (random.OneIn(3)) {
    sound::ControlValue now = sound::SplitControlValue(host.Variable(name));
    host.SetVariable(name, now.command + 10.0 * random.Below(1100));
  } else {
    host.SetVariable(name, kControlValues[random.Below(kControlValueCount)]);
  }
}

void ChangeTraffic(HostEmulator& host, SoakRandom& random) {
  TrafficHost& traffic = host.traffic();
  uint32_t id = random.Below(kAircraftIds) + 1;
  switch (random.Below(6)) {
    case 0:
    case 1:
      traffic.AddAircraft(id, Degrees(random), Degrees(random), random.Below(12000));
      break;
    case 2:
      traffic.RemoveAircraft(id);
      break;
    case 3:
      traffic.SetUser(id, random.OneIn(2));
      break;
    case 4:
      traffic.SetEngine(id, random.OneIn(2));
      break;
    default:
      traffic.SetTrafficFlag(random.OneIn(4));
      break;
  }
}

}  // namespace

uint32_t SoakRandom::Below(uint32_t n) {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return static_cast<uint32_t>((z ^ (z >> 31)) % n);
}

void CreatePanelVariables(HostEmulator& host) {
  for (const sound::SoundSlot* s = sound::SoundTable; s->variable_name; ++s)
    host.CreateVariable(s->variable_name);
  for (const traffic::PanelVariable& v : traffic::kPanelVariables) host.CreateVariable(v.name, 1);
  for (const handoff::RadioPair& radio : handoff::kRadios)
    host.CreateVariable(radio.variable, 118.5);
}

int PanelActivity(HostEmulator& host, SoakRandom& random) {
  int writes = 0;
  // About ten writes a second at the host's cadence.
  for (int i = random.Below(8) < 3 ? 1 + random.Below(2) : 0; i > 0; --i, ++writes)
    WriteSlot(host, random);
  if (random.OneIn(20)) {
    host.SetVariable(traffic::kPanelVariables[traffic::kUpdate].name,
                     random.OneIn(10) ? std::nan("") : 128 + random.Below(64));
    ++writes;
  }
  if (random.OneIn(30)) ChangeTraffic(host, random);
  if (random.OneIn(200)) {
    host.SetVariable(handoff::kRadios[random.Below(handoff::kRadioCount)].variable,
                     108 + random.Below(30000) / 1000.0);
    ++writes;
  }
  return writes;
}

}  // namespace bench
