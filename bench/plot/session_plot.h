// One picture of a session on a time axis, as a self-contained SVG file: a lane per variable
// that the module read and saw change, the level of what the cockpit sounded like with each
// sound's start and end, the module's writes and events, and the traffic gauge's outputs.
// Everything comes from the module's trace (reads, writes, events, frame marks) and the
// recording, so a Wine run is drawn from its trace and capture just like a native one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plot {

// A value over time: a step from each point to the next.
struct Series {
  std::string name;
  std::vector<std::pair<double, double>> points;  // seconds, value
};

// Something that happened at a moment: a sound starting or ending, a write, an event.
struct Mark {
  double seconds;
  std::string label;
  bool start;  // sounds: true at a start, false at an end
};

struct Timeline {
  double seconds = 0;           // the session's length
  std::vector<Series> reads;    // variables the module read whose value changed
  std::vector<Mark> sounds;     // sound slots starting and ending, as the module saw them
  std::vector<Mark> writes;     // the module's writes and events, traffic outputs aside
  std::vector<Series> traffic;  // what the traffic gauge wrote
};

// The timeline of a module trace: frames at the host's 18 a second ("-- frame N" lines); lines
// of the panel's own (those with a prefix of their own) are not the module's and are skipped.
Timeline ReadTrace(const std::vector<std::string>& trace);

// Interleaved 16-bit samples of the session's recording.
struct Recording {
  std::vector<int16_t> samples;
  int channels = 2;
  uint32_t rate = 44100;
};

// The picture; recording may be empty (no audio lane then).
std::string RenderSvg(const Timeline& timeline, const Recording& recording,
                      const std::string& title);

}  // namespace plot
