// The host's function table, stored by the host into ImportTable before any gauge call.
// Every entry is __stdcall; offsets are those of the host's own table and are checked below.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/callconv.h"

#pragma pack(push, 4)

// 28 bytes the host fills for LookupModuleVariable: the number at offset 0, the value as a
// double at bytes 12 to 19. Handled as raw bytes; see host.h for the typed read.
struct ModuleVariableRecord {
  unsigned char bytes[28];
};
static_assert(sizeof(ModuleVariableRecord) == 28, "host record size");

// Opaque to the module: an element record of a gauge, owned by the host's element list code.
struct GaugeElement;

using ElementOperation = int32_t(HOST_STDCALL*)(GaugeElement* element);
using ElementOperationWithValue = int32_t(HOST_STDCALL*)(GaugeElement* element, uint32_t value);

struct HostServices {
  void* unused_00[0x60 / 4];
  // Element list operations, forwarded by the standard routines; the module returns their
  // results to the host unchanged.
  ElementOperation ElementListQuery;                // 0x60
  ElementOperationWithValue ElementListInstall;     // 0x64
  ElementOperation ElementListInitialize;           // 0x68
  ElementOperation ElementListUpdate;               // 0x6c
  ElementOperationWithValue ElementListGenerate;    // 0x70
  ElementOperation ElementListPlot;                 // 0x74
  void* unused_78;
  ElementOperation ElementListKill;                 // 0x7c
  void* unused_80[(0x90 - 0x80) / 4];
  // Sends a host event (an id of the host's event numbering) with a 32-bit value.
  int32_t(HOST_STDCALL* TriggerEvent)(uint32_t event, uint32_t value);  // 0x90
  void* unused_94[(0xa0 - 0x94) / 4];
  // Fills bytes 12 to 19 of the record with the value of the module variable numbered at 0.
  void(HOST_STDCALL* LookupModuleVariable)(ModuleVariableRecord* record);  // 0xa0
  void* unused_a4[(0xcc - 0xa4) / 4];
  // Id of a named variable; -1 when no gauge of the panel has created it.
  int32_t(HOST_STDCALL* FindNamedVariable)(const char* name);  // 0xcc
  void* unused_d0[(0xd8 - 0xd0) / 4];
  double(HOST_STDCALL* GetNamedVariable)(int32_t id, int32_t units);  // 0xd8
  void* unused_dc;
  void(HOST_STDCALL* SetNamedVariable)(int32_t id, double value, int32_t units);  // 0xe0
  void* unused_e4[(0x124 - 0xe4) / 4];
  int32_t(HOST_STDCALL* GetUnitsId)(const char* units_name);  // 0x124
  void* unused_128[(0x134 - 0x128) / 4];
  // An object the host or another module registered under the name; null when absent.
  // Its operations are __thiscall (see registered_callback.h). The host keeps ownership.
  void*(HOST_STDCALL* GetRegisteredCallback)(const char* interface_name);  // 0x134
};

static_assert(offsetof(HostServices, ElementListQuery) == 0x60, "host table offset");
static_assert(offsetof(HostServices, ElementListInstall) == 0x64, "host table offset");
static_assert(offsetof(HostServices, ElementListInitialize) == 0x68, "host table offset");
static_assert(offsetof(HostServices, ElementListUpdate) == 0x6c, "host table offset");
static_assert(offsetof(HostServices, ElementListGenerate) == 0x70, "host table offset");
static_assert(offsetof(HostServices, ElementListPlot) == 0x74, "host table offset");
static_assert(offsetof(HostServices, ElementListKill) == 0x7c, "host table offset");
static_assert(offsetof(HostServices, TriggerEvent) == 0x90, "host table offset");
static_assert(offsetof(HostServices, LookupModuleVariable) == 0xa0, "host table offset");
static_assert(offsetof(HostServices, FindNamedVariable) == 0xcc, "host table offset");
static_assert(offsetof(HostServices, GetNamedVariable) == 0xd8, "host table offset");
static_assert(offsetof(HostServices, SetNamedVariable) == 0xe0, "host table offset");
static_assert(offsetof(HostServices, GetUnitsId) == 0x124, "host table offset");
static_assert(offsetof(HostServices, GetRegisteredCallback) == 0x134, "host table offset");

// The host's import table as the module exports it: (tag, pointer) pairs ending in tag 0.
struct ImportEntry {
  uint32_t tag;
  HostServices* table;
};
struct ImportTableRecord {
  ImportEntry services;  // tag 15; the host stores its table here
  ImportEntry end;
};
static_assert(sizeof(ImportTableRecord) == 16, "import table size");

constexpr uint32_t kHostServicesTag = 0x0F;

#pragma pack(pop)

extern "C" ImportTableRecord ImportTable;
