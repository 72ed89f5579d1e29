// What the tests and the bench control and observe of the stand-in platform: the audio
// clock and the mix of what plays, failures to inject into chosen calls, the log of calls
// and counts of open files and live sound buffers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace standin {

// Output of the software sound device: 16-bit stereo at this rate.
constexpr uint32_t kMixRate = 44100;

// Moves the audio clock on by this many output frames: buffers play, one-shots that reach
// their end stop and rewind. While recording, what plays is mixed into the recording.
void AdvanceAudio(uint32_t frames);
void StartRecording();
// Interleaved left/right samples mixed since StartRecording; recording stops.
std::vector<int16_t> TakeRecording();

// Makes the nth call (from 1) of the named function fail, that one only or that one and
// every later one. Names are the Windows ones: "mmioOpenA", "CreateSoundBuffer", "Play"...
enum class Repeat { kOnce, kFromThenOn };
void FailCall(const std::string& function, int nth, Repeat repeat = Repeat::kOnce);
// Each call as "Name(arguments)", in order, and how often each name was called.
const std::vector<std::string>& Calls();
int CallCount(const std::string& function);

int OpenFiles();
int LiveBuffers();
int LiveDevices();
// Find-chunk searches that winmm would never have ended (their 32-bit steps go round in a
// cycle): the stand-in stops each, says so on standard error and counts it here.
int EndlessSearches();
// The bytes of the largest sound buffer made since the last reset: what a file could make
// DirectSound reserve in the host's address space.
uint32_t LargestSoundBuffer();

// Forgets failures, the log and the recording, and frees whatever the module left open, so
// each test starts from a machine with nothing open.
void ResetPlatform();

}  // namespace standin
