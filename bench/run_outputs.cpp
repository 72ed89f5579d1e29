#include "bench/run_outputs.h"

#include <fstream>

#include "bench/sounds/riff_writer.h"

namespace bench {

bool WriteRunOutputs(const Options& o, const std::vector<std::string>& trace,
                     const plot::Recording& recording, std::string* error) {
  if (!o.audio.empty() &&
      !WriteFileBytes(o.audio, PcmWave(2, recording.rate, 16, Samples16(recording.samples))))
    return *error = o.audio, false;
  if (o.plot.empty()) return true;
  std::string title = o.file + (o.wine ? " (KV3_Pelk.dll under Wine)" : " (native)");
  std::ofstream out(o.plot, std::ios::binary);
  out << plot::RenderSvg(plot::ReadTrace(trace), recording, title);
  return out ? true : (*error = o.plot, false);
}

}  // namespace bench
