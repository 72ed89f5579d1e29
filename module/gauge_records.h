// The records the host reads from the module: Linkage, the gauge headers, their image
// elements and mouse-rectangle lists. Layouts are the host's (#pragma pack(4)), checked below.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/host_services.h"

#pragma pack(push, 4)

struct GaugeHeader;

using GaugeCallback = void(HOST_STDCALL*)(GaugeHeader* gauge, int32_t service, uint32_t extra);
using StandardRoutine = int32_t(HOST_STDCALL*)();
using StandardRoutineWithValue = int32_t(HOST_STDCALL*)(uint32_t value);

// A blank image element: kind 0 (a static bitmap), its resource id, a pointer back to the
// gauge that owns it, flags 1. The host owns everything else in it.
struct GaugeElementRecord {
  uint32_t kind;                   // 0
  uint32_t bitmap_id;              // 4
  uint32_t host_owned_08[6];       // 8
  GaugeHeader* gauge;              // 32
  uint32_t host_owned_36[3];       // 36
  uint32_t flags;                  // 48
  uint32_t host_owned_52[11];      // 52
};
static_assert(sizeof(GaugeElementRecord) == 96, "element record size");
static_assert(offsetof(GaugeElementRecord, bitmap_id) == 4, "element offset");
static_assert(offsetof(GaugeElementRecord, gauge) == 32, "element offset");
static_assert(offsetof(GaugeElementRecord, flags) == 48, "element offset");

// One mouse rectangle: kind, a box, the cursor and five fields the module leaves zero.
struct MouseRectangle {
  int32_t kind;
  int32_t box[4];
  int32_t cursor;
  int32_t rest[5];
};
static_assert(sizeof(MouseRectangle) == 44, "mouse rectangle size");

struct GaugeHeader {
  uint32_t header_version;                  // 0
  const char* name;                         // 4
  GaugeElementRecord** elements;            // 8: null-terminated
  StandardRoutine query;                    // 12
  StandardRoutineWithValue install;         // 16
  StandardRoutine initialize;               // 20
  StandardRoutine update;                   // 24
  StandardRoutineWithValue generate;        // 28
  StandardRoutine plot;                     // 32
  StandardRoutine kill;                     // 36
  uint32_t host_owned_40;                   // 40
  uint32_t size;                            // 44
  uint32_t host_owned_48[8];                // 48
  MouseRectangle* mouse_rectangles;         // 80
  GaugeCallback callback;                   // 84
  uint32_t host_owned_88;                   // 88
  const char* parameters;                   // 92: filled by the host, may be null
  uint32_t host_owned_96[39];               // 96
};
static_assert(sizeof(GaugeHeader) == 252, "gauge header size");
static_assert(offsetof(GaugeHeader, name) == 4, "gauge header offset");
static_assert(offsetof(GaugeHeader, elements) == 8, "gauge header offset");
static_assert(offsetof(GaugeHeader, query) == 12, "gauge header offset");
static_assert(offsetof(GaugeHeader, kill) == 36, "gauge header offset");
static_assert(offsetof(GaugeHeader, size) == 44, "gauge header offset");
static_assert(offsetof(GaugeHeader, mouse_rectangles) == 80, "gauge header offset");
static_assert(offsetof(GaugeHeader, callback) == 84, "gauge header offset");
static_assert(offsetof(GaugeHeader, parameters) == 92, "gauge header offset");

// The module's two gauges: their places in Linkage's list and the names a panel.cfg gauge
// line and the host know them by.
enum ModuleGauge : int { kSoundGauge = 0, kTrafficGauge = 1, kModuleGaugeCount = 2 };
inline constexpr const char* kModuleGaugeNames[kModuleGaugeCount] = {"XMLSound", "TrafficInfo"};

using ModuleRoutine = void(HOST_STDCALL*)();

struct LinkageRecord {
  uint32_t module_id;        // 0
  ModuleRoutine init;        // 4
  ModuleRoutine deinit;      // 8
  uint32_t flags;            // 12
  uint32_t priority;         // 16
  uint32_t version;          // 20
  GaugeHeader* gauges[kModuleGaugeCount + 1];  // 24: in ModuleGauge order, then null
};
static_assert(offsetof(LinkageRecord, gauges) == 24, "linkage offset");

#pragma pack(pop)

extern "C" LinkageRecord Linkage;

// Host service codes the gauges act on.
constexpr int32_t kServicePreUpdate = 6;
constexpr int32_t kServicePreDraw = 10;
constexpr int32_t kServicePreKill = 12;

constexpr uint32_t kSoundBitmapId = 0x1000;
constexpr uint32_t kTrafficBitmapId = 0x1100;
