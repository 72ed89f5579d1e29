// The scenario reader: each line is split into words (double quotes keep spaces together),
// its keyword picks the step, and every argument is checked so that a typo is reported with
// its file and line instead of quietly doing something else.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <sstream>

#include "bench/scenarios/scenario.h"

namespace bench {
namespace {

constexpr double kFramesPerSecond = 18.0;

// The host's mouse events, as a click names them and as (M:Event) gives them to a script.
const char* const kMouseEvents[] = {"LeftSingle",  "RightSingle",  "MiddleSingle", "LeftDouble",
                                    "RightDouble", "MiddleDouble", "LeftDrag",     "RightDrag",
                                    "MiddleDrag",  "LeftRelease",  "RightRelease", "MiddleRelease",
                                    "WheelUp",     "WheelDown",    "Move",         "Leave"};

// A path in a scenario is relative to the scenario file's folder.
std::string NextTo(const std::string& scenario_path, const std::string& path) {
  if (path.empty() || path[0] == '/' || path[0] == '\\' || (path.size() > 1 && path[1] == ':'))
    return path;
  size_t slash = scenario_path.find_last_of("/\\");
  return slash == std::string::npos ? path : scenario_path.substr(0, slash + 1) + path;
}

struct LineError {
  std::string message;
};

class Line {
 public:
  Line(std::vector<std::string> words) : words_(std::move(words)) {}
  size_t size() const { return words_.size(); }
  bool Has(size_t i) const { return i < words_.size(); }
  const std::string& Word(size_t i) const {
    if (!Has(i)) throw LineError{"'" + words_[0] + "' needs more arguments"};
    return words_[i];
  }
  double Number(size_t i) const {
    const std::string& w = Word(i);
    char* end = nullptr;
    double value = std::strtod(w.c_str(), &end);
    if (w.empty() || *end) throw LineError{"'" + w + "' is not a number"};
    return value;
  }
  uint32_t Unsigned(size_t i) const {
    const std::string& w = Word(i);
    char* end = nullptr;
    unsigned long long value = std::strtoull(w.c_str(), &end, 0);
    if (w.empty() || *end || w[0] == '-' || value > 0xFFFFFFFFull)
      throw LineError{"'" + w + "' is not a whole number from 0 to 4294967295"};
    return static_cast<uint32_t>(value);
  }
  // "2s", "1.5s" or "300ms" as frames at the host's cadence, at least one.
  uint32_t Duration(size_t i) const {
    const std::string& w = Word(i);
    char* end = nullptr;
    double amount = std::strtod(w.c_str(), &end);
    std::string unit = end;
    double seconds = unit == "s" ? amount : unit == "ms" ? amount / 1000 : -1;
    if (end == w.c_str() || seconds <= 0 || seconds > 86400)
      throw LineError{"'" + w + "' is not a duration such as 2s or 300ms"};
    return static_cast<uint32_t>(std::ceil(seconds * kFramesPerSecond - 1e-9));
  }
  bool OnOff(size_t i, const char* what) const {
    const std::string& w = Word(i);
    if (w != "on" && w != "off") throw LineError{std::string(what) + " must be 'on' or 'off'"};
    return w == "on";
  }
  void Expect(size_t i, const std::string& word) const {
    if (Word(i) != word) throw LineError{"expected '" + word + "' but found '" + words_[i] + "'"};
  }
  void End(size_t count) const {
    if (words_.size() > count) throw LineError{"unexpected '" + words_[count] + "'"};
  }

 private:
  std::vector<std::string> words_;
};

std::vector<std::string> SplitWords(const std::string& text) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == ' ' || text[i] == '\t' || text[i] == '\r') {
      ++i;
    } else if (text[i] == '#') {
      break;
    } else if (text[i] == '"') {
      size_t close = text.find('"', i + 1);
      if (close == std::string::npos) throw LineError{"a quoted name is not closed"};
      words.push_back(text.substr(i + 1, close - i - 1));
      i = close + 1;
    } else {
      size_t end = text.find_first_of(" \t\r#", i);
      if (end == std::string::npos) end = text.size();
      words.push_back(text.substr(i, end - i));
      i = end;
    }
  }
  return words;
}

class Parser {
 public:
  explicit Parser(Scenario* scenario) : scenario_(scenario) {}
  void ParseLine(const Line& line, Step* step);

 private:
  int Gauge(const Line& line, size_t i) const {
    const std::string& name = line.Word(i);
    const char* const* names = kModuleGaugeNames;
    int gauge = static_cast<int>(std::find(names, names + kModuleGaugeCount, name) - names);
    if (gauge == kModuleGaugeCount)
      throw LineError{"'" + name + "' is not a gauge (" + names[kSoundGauge] + " or " +
                      names[kTrafficGauge] + ")"};
    if (frames_seen_) throw LineError{"gauge set-up must come before the first frame"};
    return gauge;
  }
  const std::string& Created(const Line& line, size_t i) const {
    const std::string& name = line.Word(i);
    // A panel's gauges create the variables their scripts name; whether they do is known
    // only once the panel has loaded.
    if (!created_.count(name) && !scenario_->has_panel)
      throw LineError{"variable \"" + name + "\" was never created"};
    return name;
  }
  void ParseAircraft(const Line& line, Step* step) const;
  void ParseExpectation(const Line& line, Step* step);
  bool ParsePanelStep(const Line& line, Step* step);
  void ParseClick(const Line& line, Step* step) const;
  const std::string& PanelGauge(const Line& line, size_t i) const {
    if (!scenario_->has_panel) throw LineError{"'" + line.Word(0) + "' needs a 'panel' step first"};
    const std::string& gauge = line.Word(i);
    if (gauge.find('!') == std::string::npos)
      throw LineError{"\"" + gauge + "\" is not a gauge line's FILE!GAUGE"};
    return gauge;
  }

  Scenario* scenario_;
  std::set<std::string> created_;
  bool frames_seen_ = false;
};

void Parser::ParseClick(const Line& line, Step* s) const {
  s->kind = StepKind::kClick, s->name = PanelGauge(line, 1);
  size_t next;
  if (line.Word(2) == "at") {
    s->x = line.Number(3), s->y = line.Number(4), next = 5;
  } else {
    line.Expect(2, "tooltip"), s->by_tooltip = true, s->text = line.Word(3), next = 4;
  }
  s->mouse = line.Has(next) ? line.Word(next) : "LeftSingle";
  bool known = false;
  for (const char* event : kMouseEvents) known = known || s->mouse == event;
  if (!known)
    throw LineError{"'" + s->mouse + "' is not a mouse event (LeftSingle, RightSingle, ...)"};
  line.End(next + 1);
}

bool Parser::ParsePanelStep(const Line& line, Step* s) {
  const std::string& keyword = line.Word(0);
  if (keyword == "panel") {
    if (frames_seen_) throw LineError{"the panel must be loaded before the first frame"};
    if (scenario_->has_panel) throw LineError{"a session loads one panel"};
    s->kind = StepKind::kPanel, s->text = NextTo(scenario_->path, line.Word(1)), line.End(2);
    scenario_->has_panel = true;
  } else if (keyword == "click") {
    ParseClick(line, s);
  } else if (keyword == "key") {
    s->kind = StepKind::kKey, s->name = PanelGauge(line, 1), s->text = line.Word(2), line.End(3);
  } else if (keyword == "sim") {
    s->kind = StepKind::kSim, s->name = line.Word(1), s->value = line.Number(2), line.End(3);
  } else {
    return false;
  }
  return true;
}

void Parser::ParseAircraft(const Line& line, Step* step) const {
  AircraftScript& a = step->aircraft;
  a.id = line.Unsigned(1);
  bool has_position = false;
  for (size_t i = 2; i < line.size(); ++i) {
    const std::string& w = line.Word(i);
    if (w == "user")
      a.user = true;
    else if (w == "no-magvar")
      a.magvar = false;
    else if (w == "magvar")
      a.variation = line.Number(++i);
    else if (w == "lat")
      a.latitude = line.Number(++i), has_position = true;
    else if (w == "lon")
      a.longitude = line.Number(++i);
    else if (w == "alt")
      a.altitude = line.Number(++i);
    else if (w == "engine")
      a.engine = line.OnOff(++i, "engine");
    else if (w == "fail")
      a.failing.push_back(line.Word(++i));
    else
      throw LineError{"unknown aircraft property '" + w + "'"};
  }
  if (!has_position) throw LineError{"an aircraft needs 'lat', 'lon' and 'alt'"};
}

void Parser::ParseExpectation(const Line& line, Step* s) {
  const std::string& what = line.Word(1);
  if (what == "key-event") {
    s->kind = StepKind::kExpectKeyEvent, s->name = line.Word(2);
    if (line.Has(3)) {
      s->with_value = true, s->value = line.Number(3), line.End(4);
      scenario_->valued_key_events.push_back(s->name);
    }
  } else if (what == "no" && line.Word(2) == "key-event") {
    s->kind = StepKind::kExpectNoKeyEvent, s->name = line.Word(3), line.End(4);
  } else if (what == "event") {
    s->kind = StepKind::kExpectEvent, s->number = line.Unsigned(2);
    s->event_value = line.Unsigned(3), line.End(4);
  } else if (what == "no") {
    line.Expect(2, "event"), s->kind = StepKind::kExpectNoEvent, s->number = line.Unsigned(3);
    line.End(4);
  } else if (what == "unwritten") {
    s->kind = StepKind::kExpectUnwritten, s->name = Created(line, 2), line.End(3);
  } else {
    s->kind = StepKind::kExpectValue, s->name = Created(line, 1), line.Expect(2, "==");
    s->value = line.Number(3);
    if (line.Has(4)) line.Expect(4, "tolerance"), s->tolerance = line.Number(5), line.End(6);
  }
}

void Parser::ParseLine(const Line& line, Step* s) {
  const std::string& keyword = line.Word(0);
  if (keyword == "instances") {
    s->kind = StepKind::kInstances, s->gauge = Gauge(line, 1);
    s->number = line.Unsigned(2), line.End(3);
  } else if (keyword == "parameter") {
    s->kind = StepKind::kParameter, s->gauge = Gauge(line, 1);
    s->text = line.Word(2), line.End(3);
  } else if (keyword == "create") {
    s->kind = StepKind::kCreate, s->name = line.Word(1);
    s->value = line.Has(2) ? line.Number(2) : 0, line.End(3);
    created_.insert(s->name);
  } else if (keyword == "set") {
    s->kind = StepKind::kSet, s->name = Created(line, 1), s->value = line.Number(2), line.End(3);
  } else if (keyword == "module-variable") {
    s->kind = StepKind::kModuleVariable, s->number = line.Unsigned(1), s->value = line.Number(2);
    line.End(3);
  } else if (keyword == "frames" || keyword == "run") {
    s->kind = StepKind::kFrames, frames_seen_ = true;
    s->number = keyword == "frames" ? line.Unsigned(1) : line.Duration(1), line.End(2);
  } else if (keyword == "wait") {
    s->kind = StepKind::kWait, s->name = Created(line, 1), line.Expect(2, "==");
    s->value = line.Number(3), line.Expect(4, "within"), s->number = line.Duration(5);
    line.End(6), frames_seen_ = true;
  } else if (keyword == "teardown") {
    s->kind = StepKind::kTeardown, line.End(1), frames_seen_ = true;
  } else if (keyword == "expect") {
    ParseExpectation(line, s);
  } else if (keyword == "aircraft") {
    s->kind = StepKind::kAircraft, ParseAircraft(line, s);
  } else if (keyword == "traffic-flag") {
    s->kind = StepKind::kTrafficFlag, s->traffic_flag = line.OnOff(1, "traffic-flag"), line.End(2);
  } else if (!ParsePanelStep(line, s)) {
    throw LineError{"unknown step '" + keyword + "'"};
  }
}

}  // namespace

bool ParseScenario(const std::string& path, const std::string& text, Scenario* scenario,
                   std::string* error) {
  scenario->path = path;
  Parser parser(scenario);
  std::istringstream lines(text);
  std::string raw;
  for (int number = 1; std::getline(lines, raw); ++number) {
    try {
      Line line(SplitWords(raw));
      if (line.size() == 0) continue;
      Step step{};
      step.line = number;
      parser.ParseLine(line, &step);
      scenario->steps.push_back(step);
    } catch (const LineError& e) {
      *error = path + ":" + std::to_string(number) + ": " + e.message;
      return false;
    }
  }
  return true;
}

}  // namespace bench
