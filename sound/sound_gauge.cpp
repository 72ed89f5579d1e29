// The "XMLSound" gauge: on each periodic service it reads every slot's variable and starts,
// loops, stops or attenuates the slot's sound; a one-shot that has ended has its variable
// written back to 0 so that the panel can trigger it again.
#include "handoff/radio_handoff.h"
#include "host/host.h"
#include "module/gauges.h"
#include "module/main_window.h"
#include "sound/sound_slots.h"

namespace sound_gauge {
namespace {

using sound::Device;
using sound::SoundSlot;

constexpr int32_t kNotStarted = 0;
constexpr int32_t kReady = 1;
constexpr int32_t kOff = -1;

// DirectSound needs a window for its cooperative level. A host without "FS98MAIN" at attach
// time gets one more look, then the desktop window, which always exists.
HWND CooperativeWindow() {
  if (!HostMainWindow) HostMainWindow = FindWindowA("FS98MAIN", nullptr);
  return HostMainWindow ? HostMainWindow : GetDesktopWindow();
}

// Creates the device and loads every slot; a failure leaves the gauge off for good.
bool StartSound() {
  Device.enum_units = host::UnitsId(sound::kSlotUnits);
  Device.state = kOff;
  if (DirectSoundCreate(nullptr, &Device.sound, nullptr) != DS_OK) {
    Device.sound = nullptr;
    return false;
  }
  if (Device.sound->SetCooperativeLevel(CooperativeWindow(), DSSCL_NORMAL) != DS_OK) {
    Device.sound->Release();
    Device.sound = nullptr;
    return false;
  }
  Device.state = kReady;
  for (SoundSlot* slot = sound::SoundTable; slot->variable_name; ++slot)
    sound::LoadWaveIntoSlot(*slot, Device.sound);
  return true;
}

// A failed play may mean a lost or missing buffer: load the file once more and play the new
// buffer at the slot's recorded attenuation, not at DirectSound's default full volume.
void StartSlot(SoundSlot& slot, int32_t command) {
  slot.command = command;
  if (sound::PlaySlot(slot) || !sound::LoadWaveIntoSlot(slot, Device.sound)) return;
  sound::ApplySlotVolume(slot);
  sound::PlaySlot(slot);
}

void ServiceSlot(SoundSlot& slot) {
  if (slot.variable_id == host::kAbsent) slot.variable_id = host::FindVariable(slot.variable_name);
  if (slot.variable_id == host::kAbsent) return;
  double raw = host::GetVariable(slot.variable_id, Device.enum_units);
  // The common case, a stopped slot whose value still is its recorded attenuation, has
  // nothing to do; it is decided without splitting the value.
  if (slot.command == 0 && raw == slot.volume_part) return;
  sound::ControlValue value = sound::SplitControlValue(raw);
  // A stop comes before the new attenuation: "2002" then "0" must not let the mixer play the
  // loop at full volume (volume part 0) for the moment between the two calls.
  if (value.command == 0 && slot.command != 0) {
    sound::StopSlot(slot);
    slot.command = 0;
  }
  if (value.volume_part != slot.volume_part) {
    slot.volume_part = value.volume_part;
    sound::ApplySlotVolume(slot);
  }
  if (value.command != slot.command) {
    StartSlot(slot, value.command);
  } else if (slot.command != 0 && !sound::IsSlotPlaying(slot)) {
    slot.command = 0;
    host::SetVariable(slot.variable_id, 0.0, Device.enum_units);
  }
}

}  // namespace

void PeriodicService() {
  if (Device.state == kOff) return;
  if (Device.state == kNotStarted && !StartSound()) return;
  for (SoundSlot* slot = sound::SoundTable; slot->variable_name; ++slot) ServiceSlot(*slot);
}

// The radios are handed over first, whatever state the sounds are in; then every buffer is
// released before the device (releasing the device would destroy them under the slots).
void Teardown() {
  handoff::RadioHandoff();
  for (SoundSlot* slot = sound::SoundTable; slot->variable_name; ++slot) sound::ReleaseSlot(*slot);
  if (Device.sound) Device.sound->Release();
  Device.sound = nullptr;
  Device.state = kOff;
}

}  // namespace sound_gauge
