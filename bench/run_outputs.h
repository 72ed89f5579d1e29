// What a scenario run leaves behind when asked for: the recording of the cockpit as a WAV
// file and the session's picture, for the native run and the Wine run alike.
#pragma once

#include <string>
#include <vector>

#include "bench/commands.h"
#include "bench/plot/session_plot.h"

namespace bench {

// Writes --audio and --plot; false with the file that could not be written in error.
bool WriteRunOutputs(const Options& options, const std::vector<std::string>& trace,
                     const plot::Recording& recording, std::string* error);

}  // namespace bench
