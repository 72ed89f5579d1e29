// A temporary current directory holding the sound folder the module reads,
// "Sound/KV3_R40/", filled with short generated tones; the stand-in platform starts clean.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bench/sounds/riff_writer.h"
#include "platform/standin/control.h"

class SoundFolder {
 public:
  // One tenth of a second at 22050 Hz, 16-bit mono: a one-shot ends within two frames of
  // the host (2450 output frames each).
  static constexpr uint32_t kRate = 22050;
  static constexpr size_t kFrames = 2205;

  SoundFolder() : previous_(std::filesystem::current_path()) {
    char pattern[] = "/tmp/kv3-sounds-XXXXXX";
    root_ = mkdtemp(pattern);
    std::filesystem::create_directories(root_ / "Sound" / "KV3_R40");
    std::filesystem::current_path(root_);
    standin::ResetPlatform();
  }
  ~SoundFolder() {
    standin::ResetPlatform();
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(root_);
  }

  static std::string PathOf(const std::string& file) { return "Sound/KV3_R40/" + file; }
  static void Write(const std::string& file, const std::string& bytes) {
    bench::WriteFileBytes(PathOf(file), bytes);
  }
  // A square wave of the given amplitude, so a mix's peak shows the gain it was played at.
  static std::string Tone(int16_t amplitude, size_t frames = kFrames) {
    std::vector<int16_t> samples(frames);
    for (size_t i = 0; i < frames; ++i) samples[i] = (i / 10) % 2 ? amplitude : -amplitude;
    return bench::PcmWave(1, kRate, 16, bench::Samples16(samples));
  }
  void WriteAll(const std::vector<std::string>& files) {
    for (const std::string& file : files) Write(file, Tone(8000));
  }
  // One of the files under tests/reproducers that once hung or misled the module.
  static std::string Reproducer(const std::string& name) {
    std::ifstream in(std::string(KV3_SOURCE_DIR) + "/tests/reproducers/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

 private:
  std::filesystem::path previous_;
  std::filesystem::path root_;
};
