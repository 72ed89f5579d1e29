// The bench's tools for the 28 sound files: say for each whether the module will play it
// (and why not), and generate a set of synthetic demo sounds.
#pragma once

#include <string>

#include "sound/sound_slots.h"

namespace bench {

// The slot's file name inside the sound folder ("toggle_switch.wav").
std::string SlotFileName(const sound::SoundSlot& slot);

// The verdict on one WAV file: "ok: PCM 16-bit mono 22050 Hz, 0.100 s" or the reason the
// module refuses it, found by walking the file the way mmio's chunk search does.
std::string WaveVerdict(const std::string& path);

// Prints a verdict for each of the 28 files in folder and confirms it with the module's own
// loader; exit code 0 when every file is playable, 1 otherwise.
int CheckSounds(const std::string& folder);

// Writes 28 distinct synthetic sounds (clicks, tones, noise) into folder.
bool MakeSounds(const std::string& folder);

}  // namespace bench
