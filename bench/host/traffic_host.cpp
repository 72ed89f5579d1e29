#include "bench/host/traffic_host.h"

#include <algorithm>
#include <cmath>

#include "bench/host/host_emulator.h"

namespace bench {
namespace {

// The host's own idea of distance: a sphere on which a minute of arc is 1852 metres.
double DistanceMetres(double lat1, double lon1, double lat2, double lon2) {
  const double kRadians = 3.14159265358979323846 / 180, kEarthRadius = 1852.0 * 60 / kRadians;
  double a = std::sin((lat2 - lat1) * kRadians / 2), b = std::sin((lon2 - lon1) * kRadians / 2);
  double h = a * a + std::cos(lat1 * kRadians) * std::cos(lat2 * kRadians) * b * b;
  return 2 * kEarthRadius * std::asin(std::sqrt(std::min(1.0, h)));
}

}  // namespace

// The objects' operations: the object pointer arrives in ECX, as the host's C++ methods get it.
struct TrafficEntries {
  static TrafficHost& Of(RegisteredCallback* self) {
    return *reinterpret_cast<TrafficHost::CallbackObject*>(self)->host;
  }
  static TrafficHost& Of(TrafficInfo* self) {
    return *reinterpret_cast<TrafficHost::InterfaceObject*>(self)->host;
  }

  static uint32_t HOST_THISCALL AddRef(RegisteredCallback* self) {
    Of(self).host_.Log("AddRef(object) -> 1");
    return 1;
  }
  static uint32_t HOST_THISCALL Release(RegisteredCallback* self) {
    Of(self).host_.Log("Release(object) -> 1");
    return 1;
  }
  static void* HOST_THISCALL GetInterface(RegisteredCallback* self, const char* name) {
    TrafficHost& t = Of(self);
    bool offered = !t.interface_withheld_ && name && std::string(name) == "ITrafficInfo";
    t.host_.Log("GetInterface(" + QuotedText(name) + ") -> " + (offered ? "interface" : "null"));
    return offered ? &t.interface_ : nullptr;
  }

  static uint32_t HOST_THISCALL LookupProperty(TrafficInfo* self, const char* name) {
    TrafficHost& t = Of(self);
    std::string property = name ? name : "";
    auto found = std::find(t.properties_.begin(), t.properties_.end(), property);
    if (found == t.properties_.end()) found = t.properties_.insert(found, property);
    uint32_t id = static_cast<uint32_t>(found - t.properties_.begin()) + 1;
    t.host_.Log("LookupProperty(" + QuotedText(name) + ") -> " + std::to_string(id));
    return id;
  }
  static int32_t HOST_THISCALL LookupUnits(TrafficInfo* self, const char* name) {
    TrafficHost& t = Of(self);
    int32_t id = t.host_.UnitsFor(name ? name : "");
    t.host_.Log("LookupUnits(" + QuotedText(name) + ") -> " + std::to_string(id));
    return id;
  }

  static uint32_t HOST_THISCALL ListAircraftInRadius(TrafficInfo* self, double radius_m,
                                                     uint32_t max_count, uint32_t* ids) {
    TrafficHost& t = Of(self);
    const TrafficHost::Aircraft* user = t.User();
    uint32_t written = 0;
    std::string listed;
    for (const TrafficHost::Aircraft& a : t.aircraft_) {
      if (written == max_count) break;
      if (!t.InRadius(a, user, radius_m)) continue;
      ids[written++] = a.id;
      listed += (listed.empty() ? "" : ", ") + std::to_string(a.id);
    }
    uint32_t reported = written + t.extra_ids_;
    t.host_.Log("ListAircraftInRadius(" + FormatValue(radius_m) + ", " + std::to_string(max_count) +
                ") -> " + std::to_string(reported) + " [" + listed + "]");
    return reported;
  }

  static int32_t HOST_THISCALL GetAircraftValue(TrafficInfo* self, uint32_t aircraft,
                                                uint32_t property, int32_t units, double* value,
                                                int32_t index) {
    TrafficHost& t = Of(self);
    bool ok = t.Read(aircraft, property, value);
    t.host_.Log("GetAircraftValue(aircraft " + std::to_string(aircraft) + ", " +
                t.PropertyLabel(property) + ", " + t.host_.UnitsLabel(units) + ", index " +
                std::to_string(index) + ") -> " + (ok ? "1 value " + FormatValue(*value) : "0"));
    return ok;
  }

  static int32_t HOST_THISCALL TrafficFlag(TrafficInfo* self) {
    TrafficHost& t = Of(self);
    t.host_.Log(std::string("TrafficFlag() -> ") + (t.traffic_flag_ ? "1" : "0"));
    return t.traffic_flag_;
  }
};

TrafficHost::TrafficHost(HostEmulator& host) : host_(host) {
  callback_table_.AddRef = TrafficEntries::AddRef;
  callback_table_.Release = TrafficEntries::Release;
  callback_table_.GetInterface = TrafficEntries::GetInterface;
  interface_table_.LookupProperty = TrafficEntries::LookupProperty;
  interface_table_.LookupUnits = TrafficEntries::LookupUnits;
  interface_table_.ListAircraftInRadius = TrafficEntries::ListAircraftInRadius;
  interface_table_.GetAircraftValue = TrafficEntries::GetAircraftValue;
  interface_table_.TrafficFlag = TrafficEntries::TrafficFlag;
}

void* TrafficHost::CallbackFor(const std::string& name) {
  return !callback_withheld_ && name == "ITrafficInfo" ? &callback_ : nullptr;
}

void TrafficHost::AddAircraft(uint32_t id, double latitude, double longitude, double altitude_m) {
  Aircraft fresh{id,
                 {{"PLANE LATITUDE", latitude},
                  {"PLANE LONGITUDE", longitude},
                  {"PLANE ALTITUDE", altitude_m},
                  {"IS USER SIM", 0.0},
                  {"ENG COMBUSTION", 1.0},
                  {"MAGVAR", 0.0}},
                 {}};
  if (Aircraft* known = Find(id)) {
    *known = fresh;
  } else {
    aircraft_.push_back(fresh);
  }
}

void TrafficHost::RemoveAircraft(uint32_t id) {
  aircraft_.erase(std::remove_if(aircraft_.begin(), aircraft_.end(),
                                 [id](const Aircraft& a) { return a.id == id; }),
                  aircraft_.end());
}

void TrafficHost::SetValue(uint32_t id, const std::string& property, double value) {
  if (Aircraft* a = Find(id)) a->values[property] = value;
}

void TrafficHost::FailRead(uint32_t id, const std::string& property) {
  if (Aircraft* a = Find(id)) a->failing.insert(property);
}

TrafficHost::Aircraft* TrafficHost::Find(uint32_t id) {
  for (Aircraft& a : aircraft_)
    if (a.id == id) return &a;
  return nullptr;
}

// The host centres its search on the first aircraft flown by the user.
const TrafficHost::Aircraft* TrafficHost::User() const {
  for (const Aircraft& a : aircraft_)
    if (a.values.at("IS USER SIM") != 0.0) return &a;
  return nullptr;
}

// Without a user aircraft there is no centre, and the host lists every aircraft it knows.
bool TrafficHost::InRadius(const Aircraft& a, const Aircraft* user, double radius_m) const {
  if (!user) return true;
  const std::map<std::string, double>& u = user->values;
  return DistanceMetres(u.at("PLANE LATITUDE"), u.at("PLANE LONGITUDE"),
                        a.values.at("PLANE LATITUDE"), a.values.at("PLANE LONGITUDE")) <= radius_m;
}

const std::string* TrafficHost::PropertyName(uint32_t property) const {
  return property >= 1 && property <= properties_.size() ? &properties_[property - 1] : nullptr;
}

std::string TrafficHost::PropertyLabel(uint32_t property) const {
  const std::string* name = PropertyName(property);
  return "property " + std::to_string(property) + (name ? " \"" + *name + "\"" : " ?");
}

bool TrafficHost::Read(uint32_t id, uint32_t property, double* value) {
  ++reads_;
  if (reads_ == failing_read_.nth || (failing_read_.from_then_on && failing_read_.nth > 0 &&
                                      reads_ > failing_read_.nth))
    return false;
  const Aircraft* a = Find(id);
  const std::string* name = PropertyName(property);
  if (!a || !name || a->failing.count(*name)) return false;
  auto found = a->values.find(*name);
  if (found == a->values.end()) return false;
  *value = found->second;
  return true;
}

}  // namespace bench
