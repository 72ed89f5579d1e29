// What a running panel's scripts reach, prefix by prefix, of the references the rule serves
// (script/references.h). Each is resolved once, when its gauge loads, to an id in one of the
// tables here, so a frame finds its variables by index:
//   L:  the host's named variables, the very store the module reads (created at 0 at load);
//   A:  aircraft state a scenario sets with `sim`; never set, it reads 0 with a note;
//   K:  key events, recorded and traced; one pops a value when the scenario expects one;
//   G:  Var1..Var9 of one gauge instance (GaugeLocals);
//   E:  the bench clock for the time variables; P:, C:, R: and the rest read 0 with a note;
//   M:  Event and Key (text), X and Y, while a click or key is handled.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "bench/script/references.h"
#include "bench/script/variables.h"

namespace bench {
class HostEmulator;
}

namespace bench::panels {

// A gauge instance's own variables, kept with the gauge, 0 when it loads.
class GaugeLocals : public script::VariableStore {
 public:
  bool Read(int32_t id, double* value) override { return *value = values_[id], true; }
  bool Write(int32_t id, double value) override { return values_[id] = value, true; }

 private:
  double values_[script::kGaugeVariables + 1] = {};  // by number: [0] is never bound
};

struct KeyEvent {
  std::string name;
  bool has_value;
  double value;
};

class PanelWorld : public script::VariableStore {
 public:
  // valued_events: the key events that take a value off the stack.
  PanelWorld(HostEmulator& host, std::vector<std::string> valued_events);

  script::Binding Resolve(const script::VariableUse& use, GaugeLocals* locals);

  bool Read(int32_t id, double* value) override;
  bool ReadText(int32_t id, std::string_view* text) override;
  bool Write(int32_t id, double value) override;

  // An aircraft variable, as a `sim` step sets it: the name with its index ("GENERAL ENG
  // THROTTLE LEVER POSITION:1"), matched without regard to case as the host's are.
  void SetAircraft(const std::string& name, double value);
  void SetSeconds(double seconds) { seconds_ = seconds; }
  // What a click or key handler reads from M: while it runs.
  void SetMouse(std::string_view event, double x, double y) { event_ = event, x_ = x, y_ = y; }
  void SetKey(std::string_view key) { key_ = key; }

  const std::vector<KeyEvent>& key_events() const { return key_events_; }
  // A key event sent by a click's Event= attribute, with no script.
  void SendKeyEvent(const std::string& name);

 private:
  enum Table : int32_t { kLocal, kAircraft, kKey, kMouse, kTime, kNothing };
  struct Aircraft {
    std::string name;  // folded: upper case
    double value = 0;
    bool set = false;
  };
  static int32_t Id(Table table, size_t index) {
    return (table << 24) | static_cast<int32_t>(index);
  }
  // The note of a reference no table here holds, reported once when a run reaches it.
  static std::string Unserved(const script::VariableUse& use);
  int32_t AircraftIndex(const std::string& name);
  int32_t Intern(std::vector<std::string>* names, const std::string& name);
  void Sent(size_t event, double value);

  HostEmulator& host_;
  std::vector<std::string> valued_events_;
  std::vector<int32_t> local_ids_;  // L: table index -> host variable id
  std::vector<std::string> local_names_;
  std::vector<Aircraft> aircraft_;
  std::vector<std::string> events_;
  std::vector<KeyEvent> key_events_;
  double seconds_ = 0;
  std::string_view event_, key_;
  double x_ = 0, y_ = 0;
};

}  // namespace bench::panels
