#include "bench/host/host_clock.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include "platform/standin/control.h"
#endif

namespace bench {

#if defined(_WIN32)

const uint32_t kCaptureRate = 48000;
void PassOneFrame() { Sleep(1000 / kFramesPerSecond); }
void StartAudioCapture() {}
std::vector<int16_t> TakeAudioCapture() { return {}; }

#else

const uint32_t kCaptureRate = standin::kMixRate;
void PassOneFrame() { standin::AdvanceAudio(standin::kMixRate / kFramesPerSecond); }
void StartAudioCapture() { standin::StartRecording(); }
std::vector<int16_t> TakeAudioCapture() { return standin::TakeRecording(); }

#endif

}  // namespace bench
