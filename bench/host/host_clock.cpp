#include "bench/host/host_clock.h"

#include "bench/sounds/riff_writer.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include "platform/standin/control.h"
#endif

namespace bench {

#if defined(_WIN32)

void PassOneFrame() { Sleep(1000 / kFramesPerSecond); }
void StartAudioCapture() {}
// Under Wine the sound is captured outside the process, from the ALSA device.
bool WriteAudioCapture(const std::string&) { return false; }

#else

void PassOneFrame() { standin::AdvanceAudio(standin::kMixRate / kFramesPerSecond); }
void StartAudioCapture() { standin::StartRecording(); }

bool WriteAudioCapture(const std::string& path) {
  const std::string data = Samples16(standin::TakeRecording());
  const uint32_t rate = standin::kMixRate;
  return WriteFileBytes(path, PcmWave(2, rate, 16, data));
}

#endif

}  // namespace bench
