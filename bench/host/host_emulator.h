// A stand-in for the simulator host: it implements the host's function table with named
// variables, units, events, module variables, element lists and registered objects, and
// records every call the module makes as one line of a plain, stable trace.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "bench/host/traffic_host.h"
#include "host/host_services.h"

namespace bench {

class HostEmulator {
 public:
  HostEmulator();
  ~HostEmulator();
  HostEmulator(const HostEmulator&) = delete;
  HostEmulator& operator=(const HostEmulator&) = delete;

  HostServices* table() { return &table_; }

  // The panel's side: variables its mark-up gauges create and write. A variable that was
  // removed comes back under its old id when it is created or written again.
  int32_t CreateVariable(const std::string& name, double value = 0.0);
  // The variable vanishes, as when the gauge that made it goes: the host no longer finds it,
  // reads of its id give 0 and writes to it are dropped.
  void RemoveVariable(const std::string& name);
  void SetVariable(const std::string& name, double value);
  double Variable(const std::string& name) const;
  // The panel's scripts reach their variables by the id CreateVariable gave, without a
  // lookup by name: a vanished variable reads 0, and a write brings it back. Returns whether
  // the write changed the value.
  double PanelRead(int32_t id) const { return Present(id) ? variables_[id].value : 0.0; }
  bool PanelWrite(int32_t id, double value);
  // Every panel write from now on (id, value) into *writes; nullptr stops. The click map tells
  // what a click made the panel write from what the module wrote back.
  void RecordPanelWrites(std::vector<std::pair<int32_t, double>>* writes) {
    panel_writes_ = writes;
  }
  const std::string& VariableName(int32_t id) const { return variables_[id].name; }

  // The variables' values and presence, to go back to: the click map clicks every area from
  // one settled state. A restore keeps variables created since, at what they hold.
  struct Values {
    std::vector<double> values;
    std::vector<bool> present;
  };
  Values SaveValues() const;
  void RestoreValues(const Values& saved);
  void SetModuleVariable(uint32_t number, double value) { module_variables_[number] = value; }
  void SetElementResult(int32_t result) { element_result_ = result; }

  // Names a module element in the trace ("element of XMLSound"); unnamed ones print "element ?".
  void NameElement(const void* element, const std::string& name) { element_names_[element] = name; }

  // The traffic interface and its aircraft, reached through GetRegisteredCallback.
  TrafficHost& traffic() { return traffic_; }

  void Note(const std::string& line) {
    if (keep_trace_) trace_.push_back(line);
  }
  const std::vector<std::string>& trace() const { return trace_; }
  // A long session keeps no trace, so the bench's memory stays flat; calls are still counted
  // and observed.
  void KeepTrace(bool keep) { keep_trace_ = keep; }
  // Whether notes are kept: a caller that builds a note's text asks first.
  bool tracing() const { return keep_trace_; }

  // Calls that reach the host through the table; the bench's own notes are not counted.
  int host_calls() const { return host_calls_; }
  // Called with each host call's trace line as it happens, to look at the rest of the
  // machine at that moment (what the module has open when it sends an event, say).
  void OnHostCall(std::function<void(const std::string&)> observer) { on_host_call_ = observer; }

  // The table entries reach the emulator that is current, as the host's functions have no
  // context argument.
  static HostEmulator* current();

 private:
  struct NamedVariable {
    std::string name;
    double value;
    bool present;
  };
  friend struct Entries;
  friend struct TrafficEntries;
  void Log(const std::string& line);
  // The host's one numbering of units names, for GetUnitsId and the traffic interface alike.
  int32_t UnitsFor(const std::string& name);
  std::string VariableLabel(int32_t id) const;
  std::string UnitsLabel(int32_t units) const;
  std::string ElementLabel(const void* element) const;
  // The id of a present variable; with gone_too, of one that was removed as well.
  int32_t Find(const std::string& name, bool gone_too = false) const;
  bool Present(int32_t id) const;

  HostServices table_{};
  std::vector<NamedVariable> variables_;
  std::vector<std::string> units_;
  std::map<uint32_t, double> module_variables_;
  std::map<const void*, std::string> element_names_;
  int32_t element_result_ = 1;
  int host_calls_ = 0;
  std::function<void(const std::string&)> on_host_call_;
  std::vector<std::string> trace_;
  bool keep_trace_ = true;
  std::vector<std::pair<int32_t, double>>* panel_writes_ = nullptr;
  TrafficHost traffic_{*this};
};

// A double as the trace prints it: enough digits to tell values apart, and the same text in
// both builds.
std::string FormatValue(double value);
// A name argument as the trace prints it: quoted, or null.
std::string QuotedText(const char* text);
// Flags, event codes and event values as the trace prints them: 0x and upper-case hex.
std::string HexText(uint32_t value);

}  // namespace bench
