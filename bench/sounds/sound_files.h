// The bench's tools for the 28 sound files: say for each whether the module will play it
// (and why not), and generate a set of synthetic demo sounds.
#pragma once

#include <string>

#include "platform/platform.h"
#include "sound/sound_slots.h"

namespace bench {

// The slot's file name inside the sound folder ("toggle_switch.wav").
std::string SlotFileName(const sound::SoundSlot& slot);

struct WaveVerdict {
  enum Kind { kOk, kRefused, kDirectSoundRule };
  Kind kind;
  // "ok: PCM 16-bit mono 22050 Hz, 0.100 s", or why the module or DirectSound refuses it.
  std::string text;
};

// The verdict on one WAV file, found by walking its chunks the way the module's loader and
// winmm's search do; reads headers only.
WaveVerdict JudgeWave(const std::string& path);

// The rule of Windows' DirectSound that a static buffer of this format and size breaks, or
// empty when it may be created.
std::string DirectSoundRuleBroken(const WAVEFORMATEX& format, uint32_t size);

// Prints a verdict for each of the 28 files in folder and confirms it with the module's own
// loader; exit code 0 when every file is playable, 1 otherwise, 2 when a verdict and the
// loader disagree.
int CheckSounds(const std::string& folder);

// Writes 28 distinct synthetic sounds (clicks, tones, noise) into folder, making it if need be.
// False when it cannot, with why in *why when given ("the folder cannot be made: ...").
bool MakeSounds(const std::string& folder, std::string* why = nullptr);

}  // namespace bench
