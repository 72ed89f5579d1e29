// One frame of host time. Natively the stand-in's audio clock moves on by a frame's worth of
// output; on Windows real DirectSound plays in real time, so the bench waits out the frame.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

constexpr int kFramesPerSecond = 18;  // the host's pre-update services a second

void PassOneFrame();
// Natively: start mixing what plays; the end of the session takes the mix.
void StartAudioCapture();
// The mix since StartAudioCapture: interleaved 16-bit stereo at kCaptureRate. Empty on
// Windows, where the sound can only be captured outside the process.
std::vector<int16_t> TakeAudioCapture();
extern const uint32_t kCaptureRate;

}  // namespace bench
