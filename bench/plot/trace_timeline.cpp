// Reading a module trace back into a timeline: the trace has one line per host call with its
// arguments and result, and "-- frame N" before each frame's services.
#include <cstdlib>
#include <map>
#include <set>

#include "bench/host/host_clock.h"
#include "bench/plot/session_plot.h"
#include "sound/sound_slots.h"

namespace plot {
namespace {

struct Call {
  std::string name;  // the variable's name, or the event's code
  double value = 0;  // read or written value, or the event's value
};

// The quoted name in `GetNamedVariable(3 "Sound knob", units 1 "ENUM") -> 1`.
std::string QuotedName(const std::string& line) {
  size_t open = line.find('"');
  size_t close = open == std::string::npos ? open : line.find('"', open + 1);
  return close == std::string::npos ? "" : line.substr(open + 1, close - open - 1);
}

bool ParseRead(const std::string& line, Call* call) {
  size_t arrow = line.rfind(") -> ");
  if (line.rfind("GetNamedVariable(", 0) != 0 || arrow == std::string::npos) return false;
  *call = {QuotedName(line), std::strtod(line.c_str() + arrow + 5, nullptr)};
  return !call->name.empty();
}

// `SetNamedVariable(3 "Sound knob", 0, units 1 "ENUM")`: the value follows the name.
bool ParseWrite(const std::string& line, Call* call) {
  if (line.rfind("SetNamedVariable(", 0) != 0) return false;
  std::string name = QuotedName(line);
  size_t after = line.find("\", ");
  if (name.empty() || after == std::string::npos) return false;
  *call = {name, std::strtod(line.c_str() + after + 3, nullptr)};
  return true;
}

// `TriggerEvent(0x100AC, 0x11850)`: the event and its value, as they stand.
bool ParseEvent(const std::string& line, Call* call) {
  if (line.rfind("TriggerEvent(", 0) != 0 || line.back() != ')') return false;
  call->name = line.substr(13, line.size() - 14);
  return true;
}

bool IsTrafficOutput(const std::string& name) {
  return name == "ATC traffic state" || name == "ATC traffic dir" || name == "ATC traffic dist" ||
         name == "ATC traffic alt";
}

bool IsSoundSlot(const std::string& name) {
  for (const sound::SoundSlot* s = sound::SoundTable; s->variable_name; ++s)
    if (name == s->variable_name) return true;
  return false;
}

// Steps on one variable; only points where the value changes are kept.
void Append(std::map<std::string, Series>& lanes, const std::string& name, double t, double v) {
  Series& lane = lanes[name];
  lane.name = name;
  if (lane.points.empty() || lane.points.back().second != v) lane.points.push_back({t, v});
}

class TimelineBuilder {
 public:
  void Line(const std::string& line) {
    Call call;
    if (line.rfind("-- frame ", 0) == 0) {
      now_ = (std::atof(line.c_str() + 9) - 1) / bench::kFramesPerSecond;
    } else if (ParseRead(line, &call)) {
      Append(reads_, call.name, now_, call.value);
      if (IsSoundSlot(call.name)) SoundCommand(call);
    } else if (ParseWrite(line, &call)) {
      if (IsTrafficOutput(call.name))
        Append(traffic_, call.name, now_, call.value);
      else
        Write(call.name + " = " + Text(call.value));
    } else if (ParseEvent(line, &call)) {
      Write("event " + call.name);
    }
  }

  Timeline Take() {
    timeline_.seconds = now_ + 1.0 / bench::kFramesPerSecond;
    for (auto& [name, series] : reads_)
      if (series.points.size() > 1) timeline_.reads.push_back(series);
    for (auto& [name, series] : traffic_) timeline_.traffic.push_back(series);
    return timeline_;
  }

 private:
  static std::string Text(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
  }
  // Writes of one moment share a mark, so that the teardown's events read as one list.
  void Write(const std::string& what) {
    std::vector<Mark>& writes = timeline_.writes;
    if (!writes.empty() && writes.back().seconds == now_)
      writes.back().label += "; " + what;
    else
      writes.push_back({now_, what, true});
  }
  // A slot starts when its command digit leaves 0 or changes, and ends when it returns to 0.
  void SoundCommand(const Call& call) {
    int32_t command = sound::SplitControlValue(call.value).command;
    int32_t& last = commands_[call.name];
    if (command == last) return;
    timeline_.sounds.push_back({now_, call.name, command != 0});
    last = command;
  }

  double now_ = 0;
  std::map<std::string, Series> reads_, traffic_;
  std::map<std::string, int32_t> commands_;
  Timeline timeline_;
};

}  // namespace

Timeline ReadTrace(const std::vector<std::string>& trace) {
  TimelineBuilder builder;
  for (const std::string& line : trace) builder.Line(line);
  return builder.Take();
}

}  // namespace plot
