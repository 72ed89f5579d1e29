// The "XMLSound" gauge's sounds: 28 slots, each a named variable that the panel writes and
// a WAV file played through a DirectSound buffer, and the operations on one slot.
#pragma once

#include <cstdint>

#include "host/double_to_int.h"
#include "platform/platform.h"

namespace sound {

struct SoundSlot {
  const char* variable_name;
  int32_t variable_id;
  int32_t command;      // last command digit acted on: 0 stopped, 2 looping, else playing once
  int32_t volume_part;  // last attenuation applied, hundredths of a decibel
  IDirectSoundBuffer* buffer;
  const char* file_path;  // relative to the host's current directory
};

// The units the gauge reads every slot's variable in, by the host's name.
constexpr char kSlotUnits[] = "ENUM";

constexpr int kSlotCount = 28;
// The slots in their fixed order, then a row with a null name that ends every walk.
extern SoundSlot SoundTable[kSlotCount + 1];

struct SoundDevice {
  IDirectSound* sound;
  int32_t state;  // 0 not started, 1 ready, -1 off for the rest of the module's life
  int32_t enum_units;
};
extern SoundDevice Device;

// A control value split into its last decimal digit (the command) and the rest (the
// attenuation); both keep the value's sign.
struct ControlValue {
  int32_t command;
  int32_t volume_part;
};
// Inline: it runs for every slot on every service. Truncating division: -7 gives command -7,
// -12 gives -2 with volume part -10.
inline ControlValue SplitControlValue(double value) {
  int32_t n = static_cast<int32_t>(TruncateToLow32(value));
  int32_t command = n % 10;
  return {command, n - command};
}

// 1 on success, 0 on failure; all fail at once when the slot has no buffer.
int PlaySlot(SoundSlot& slot);
int StopSlot(SoundSlot& slot);
int IsSlotPlaying(SoundSlot& slot);
int ApplySlotVolume(SoundSlot& slot);
void ReleaseSlot(SoundSlot& slot);

// Fills the slot's buffer from its WAV file; 1 on success, 0 with the slot empty otherwise.
int LoadWaveIntoSlot(SoundSlot& slot, IDirectSound* sound);

}  // namespace sound
