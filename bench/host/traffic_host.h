// The host's traffic side, part of the host emulator: the object GetRegisteredCallback gives
// for "ITrafficInfo", the interface that object hands out, and the scripted aircraft the
// interface reports. Every call the module makes through them is a line of the host's trace.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "host/registered_callback.h"
#include "host/traffic_info.h"

namespace bench {

class HostEmulator;

class TrafficHost {
 public:
  explicit TrafficHost(HostEmulator& host);
  TrafficHost(const TrafficHost&) = delete;
  TrafficHost& operator=(const TrafficHost&) = delete;

  // Adds an aircraft at the end of the host's list (an id already listed is started afresh in
  // its place). It starts as another pilot's aircraft ("IS USER SIM" 0) with its engine
  // running ("ENG COMBUSTION" 1) and no magnetic variation ("MAGVAR" 0).
  void AddAircraft(uint32_t id, double latitude, double longitude, double altitude_m);
  void SetUser(uint32_t id, bool user = true) { SetValue(id, "IS USER SIM", user); }
  void SetEngine(uint32_t id, bool running) { SetValue(id, "ENG COMBUSTION", running); }
  // Any property's value, in the units the module reads it in.
  void SetValue(uint32_t id, const std::string& property, double value);
  // Every read of that property of that aircraft fails from now on ("MAGVAR": the host
  // knows no variation there).
  void FailRead(uint32_t id, const std::string& property);

  // The aircraft leaves the host's list.
  void RemoveAircraft(uint32_t id);
  // GetAircraftValue calls made so far, and a failure of the nth of them (counting from the
  // first ever made), that one only or every later one too.
  int reads() const { return reads_; }
  void FailNthRead(int nth, bool from_then_on) { failing_read_ = {nth, from_then_on}; }

  void SetTrafficFlag(bool on) { traffic_flag_ = on; }
  // A misbehaving host: ListAircraftInRadius reports this many more ids than it wrote.
  void ReturnExtraIds(uint32_t extra) { extra_ids_ = extra; }
  // A host without the capability: no callback object, or an object without the interface.
  void WithholdCallback() { callback_withheld_ = true; }
  void WithholdInterface() { interface_withheld_ = true; }

  // What the host's GetRegisteredCallback gives for the name: the object, or null.
  void* CallbackFor(const std::string& name);
  // The interface's operations, for a benchmark that swaps in its own.
  TrafficInfoTable* interface_table() { return &interface_table_; }

 private:
  struct Aircraft {
    uint32_t id;
    std::map<std::string, double> values;
    std::set<std::string> failing;
  };
  struct CallbackObject {
    RegisteredCallback base;
    TrafficHost* host;
  };
  struct InterfaceObject {
    TrafficInfo base;
    TrafficHost* host;
  };
  friend struct TrafficEntries;

  Aircraft* Find(uint32_t id);
  const Aircraft* User() const;
  bool InRadius(const Aircraft& aircraft, const Aircraft* user, double radius_m) const;
  const std::string* PropertyName(uint32_t property) const;
  std::string PropertyLabel(uint32_t property) const;
  // A property's value as the host reports it; false when the read fails.
  bool Read(uint32_t id, uint32_t property, double* value);

  HostEmulator& host_;
  RegisteredCallbackTable callback_table_{};
  TrafficInfoTable interface_table_{};
  CallbackObject callback_{{&callback_table_}, this};
  InterfaceObject interface_{{&interface_table_}, this};
  std::vector<Aircraft> aircraft_;
  std::vector<std::string> properties_;
  bool traffic_flag_ = false;
  uint32_t extra_ids_ = 0;
  int reads_ = 0;
  struct {
    int nth;
    bool from_then_on;
  } failing_read_ = {0, false};
  bool callback_withheld_ = false;
  bool interface_withheld_ = false;
};

}  // namespace bench
