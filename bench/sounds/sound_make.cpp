// make-sounds: 28 synthetic sounds, so a demo needs nothing downloaded. Switches and handles
// are short decaying clicks, each at its own pitch; warnings are tones; mechanical sounds
// are shaped noise. 22050 Hz, 16-bit mono.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <vector>

#include "bench/sounds/riff_writer.h"
#include "bench/sounds/sound_files.h"
#include "sound/sound_slots.h"

namespace bench {
namespace {

constexpr uint32_t kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

enum class Kind { kClick, kTone, kNoise };
struct Recipe {
  const char* file;
  Kind kind;
  double pitch;  // Hz
  double seconds;
};
const Recipe kRecipes[] = {
    {"fire_alert.wav", Kind::kTone, 880, 1.0},   {"horn.wav", Kind::kTone, 420, 1.0},
    {"gear_warn.wav", Kind::kTone, 760, 0.5},    {"electronic.wav", Kind::kTone, 1500, 0.3},
    {"micro.wav", Kind::kTone, 1000, 0.2},       {"jet_whine.wav", Kind::kTone, 2800, 1.0},
    {"power_cart.wav", Kind::kNoise, 120, 1.0},  {"tire_scrub.wav", Kind::kNoise, 900, 0.6},
    {"disk_brakes.wav", Kind::kNoise, 400, 0.8}, {"gun.wav", Kind::kNoise, 200, 0.15},
    {"drop_tanks.wav", Kind::kNoise, 150, 0.4},
};

std::vector<int16_t> Synthesize(Kind kind, double pitch, double seconds) {
  size_t frames = static_cast<size_t>(seconds * kRate);
  std::vector<int16_t> samples(frames);
  uint32_t noise = 12345;
  double smoothed = 0;
  for (size_t i = 0; i < frames; ++i) {
    double t = static_cast<double>(i) / kRate;
    noise = noise * 1664525u + 1013904223u;
    double white = static_cast<int32_t>(noise) / 2147483648.0;
    double tone = std::sin(2 * kPi * pitch * t);
    double v = 0;
    if (kind == Kind::kClick) v = (0.6 * tone + 0.4 * white) * std::exp(-t * 60);
    if (kind == Kind::kTone) v = 0.5 * tone * std::min(1.0, (seconds - t) * 200);  // ends clean
    if (kind == Kind::kNoise) {
      smoothed += (white - smoothed) * std::min(1.0, pitch / kRate * 2 * kPi);
      v = 1.5 * smoothed * std::min(1.0, (seconds - t) * 50);
    }
    samples[i] = static_cast<int16_t>(std::lround(std::max(-1.0, std::min(1.0, 0.8 * v)) * 32767));
  }
  return samples;
}

}  // namespace

bool MakeSounds(const std::string& folder, std::string* why) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    if (why) *why = "the folder cannot be made: " + error.message();
    return false;
  }
  int click = 0;
  for (const sound::SoundSlot* s = sound::SoundTable; s->variable_name; ++s) {
    std::string file = SlotFileName(*s);
    Recipe recipe{file.c_str(), Kind::kClick, 600.0 + 110.0 * click, 0.08};
    for (const Recipe& r : kRecipes)
      if (file == r.file) recipe = r;
    if (recipe.kind == Kind::kClick) ++click;
    std::vector<int16_t> samples = Synthesize(recipe.kind, recipe.pitch, recipe.seconds);
    if (!WriteFileBytes(folder + "/" + file, PcmWave(1, kRate, 16, Samples16(samples)))) {
      if (why) *why = file + " cannot be written";
      return false;
    }
  }
  return true;
}

}  // namespace bench
