// One frame of host time. Natively the stand-in's audio clock moves on by a frame's worth of
// output; on Windows real DirectSound plays in real time, so the bench waits out the frame.
#pragma once

#include <string>

namespace bench {

constexpr int kFramesPerSecond = 18;  // the host's pre-update services a second

void PassOneFrame();
// Natively: start mixing what plays; the end of the session takes the mix.
void StartAudioCapture();
// Writes the mix since StartAudioCapture as a 16-bit stereo WAV; false when it cannot.
bool WriteAudioCapture(const std::string& path);

}  // namespace bench
