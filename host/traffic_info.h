// The host's "ITrafficInfo" interface, reached through the registered callback object's
// GetInterface. A C++ object of the host: its table begins with AddRef, Release and the
// interface lookup like every such object; the entries below are the ones the module calls,
// all __thiscall, at the host's offsets. The host keeps ownership of the object; the module
// may call it from the first gauge service on and never releases it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/callconv.h"

struct TrafficInfo;

struct TrafficInfoTable {
  void* not_called_00[0x20 / 4];
  // Host ids for a simulation property name and a units name. Any text gives an id; the
  // units ids are valid for the host's named-variable reads and writes too.
  uint32_t(HOST_THISCALL* LookupProperty)(TrafficInfo* self, const char* property_name);  // 0x20
  int32_t(HOST_THISCALL* LookupUnits)(TrafficInfo* self, const char* units_name);         // 0x24
  // Fills ids with the aircraft within the radius (metres, around the user's aircraft) in the
  // host's order and returns how many it wrote. The host promises at most max_count;
  // Rationale: the module still reads no further than it asked, whatever count comes back.
  uint32_t(HOST_THISCALL* ListAircraftInRadius)(TrafficInfo* self, double radius_m,
                                                uint32_t max_count, uint32_t* ids);  // 0x28
  void* not_called_2c;
  // One property of one aircraft in the given units into *value; nonzero on success. The index
  // picks one of several instances (engine 1, ...); single-valued properties take 0.
  int32_t(HOST_THISCALL* GetAircraftValue)(TrafficInfo* self, uint32_t aircraft, uint32_t property,
                                           int32_t units, double* value,
                                           int32_t index);  // 0x30
  void* not_called_34[(0x3c - 0x34) / 4];
  // A host-wide flag. While it is nonzero the module takes every listed aircraft as traffic
  // without asking for its engine, and reports state 2 instead of 1.
  int32_t(HOST_THISCALL* TrafficFlag)(TrafficInfo* self);  // 0x3c
};

static_assert(offsetof(TrafficInfoTable, LookupProperty) == 0x20, "traffic table offset");
static_assert(offsetof(TrafficInfoTable, LookupUnits) == 0x24, "traffic table offset");
static_assert(offsetof(TrafficInfoTable, ListAircraftInRadius) == 0x28, "traffic table offset");
static_assert(offsetof(TrafficInfoTable, GetAircraftValue) == 0x30, "traffic table offset");
static_assert(offsetof(TrafficInfoTable, TrafficFlag) == 0x3c, "traffic table offset");
static_assert(sizeof(TrafficInfoTable) == 0x40, "traffic table size");

struct TrafficInfo {
  const TrafficInfoTable* table;
};
