#include "sound/sound_slots.h"

namespace sound {

#define KV3_SLOT(variable, file) {variable, -1, 0, 0, nullptr, "Sound\\KV3_R40\\" file}
SoundSlot SoundTable[kSlotCount + 1] = {
    KV3_SLOT("Sound toggle switch", "toggle_switch.wav"),
    KV3_SLOT("Sound toggle switch off", "toggle_switch_off.wav"),
    KV3_SLOT("Sound round switch", "round_switch.wav"),
    KV3_SLOT("Sound round switch off", "round_switch_off.wav"),
    KV3_SLOT("Sound knob", "knob.wav"),
    KV3_SLOT("Sound button", "button.wav"),
    KV3_SLOT("Sound latch", "latch.wav"),
    KV3_SLOT("Sound click", "click.wav"),
    KV3_SLOT("Sound springloaded", "springloaded.wav"),
    KV3_SLOT("Sound round button", "round_button.wav"),
    KV3_SLOT("Sound fire alert", "fire_alert.wav"),
    KV3_SLOT("Sound drop tanks", "drop_tanks.wav"),
    KV3_SLOT("Sound micro", "micro.wav"),
    KV3_SLOT("Sound gun", "gun.wav"),
    KV3_SLOT("Sound flaps handle", "flaps_handle.wav"),
    KV3_SLOT("Sound parking brake in", "parking_brake_in.wav"),
    KV3_SLOT("Sound parking brake out", "parking_brake_out.wav"),
    KV3_SLOT("Sound gear handle", "gear_handle.wav"),
    KV3_SLOT("Sound electronic", "electronic.wav"),
    KV3_SLOT("Sound canopy handle", "canopy_handle.wav"),
    KV3_SLOT("Sound rotary switch", "rotary_switch.wav"),
    KV3_SLOT("Sound power cart", "power_cart.wav"),
    KV3_SLOT("Sound horn", "horn.wav"),
    KV3_SLOT("Sound gear warning", "gear_warn.wav"),
    KV3_SLOT("Sound lever", "lever.wav"),
    KV3_SLOT("Sound tire scrub", "tire_scrub.wav"),
    KV3_SLOT("Sound disk brakes", "disk_brakes.wav"),
    KV3_SLOT("Sound jet whine", "jet_whine.wav"),
    {nullptr, 0, 0, 0, nullptr, nullptr},
};
#undef KV3_SLOT

SoundDevice Device = {nullptr, 0, -1};

// DirectSound results count only when exactly 0: a positive one is a failure too.
int PlaySlot(SoundSlot& slot) {
  if (!slot.buffer) return 0;
  return slot.buffer->Play(0, 0, slot.command == 2 ? DSBPLAY_LOOPING : 0) == DS_OK;
}

int StopSlot(SoundSlot& slot) {
  if (!slot.buffer) return 0;
  return slot.buffer->Stop() == DS_OK && slot.buffer->SetCurrentPosition(0) == DS_OK;
}

int IsSlotPlaying(SoundSlot& slot) {
  DWORD status = 0;
  if (!slot.buffer || slot.buffer->GetStatus(&status) != DS_OK) return 0;
  return (status & DSBSTATUS_PLAYING) != 0;
}

// The volume part is an attenuation, DirectSound's volume a level: one is minus the other.
// A volume part is a multiple of 10, so its negation never overflows; DirectSound refuses
// whatever lies outside -10000 to 0.
int ApplySlotVolume(SoundSlot& slot) {
  if (!slot.buffer) return 0;
  return slot.buffer->SetVolume(-slot.volume_part) == DS_OK;
}

void ReleaseSlot(SoundSlot& slot) {
  if (slot.buffer) slot.buffer->Release();
  slot.buffer = nullptr;
}

}  // namespace sound
