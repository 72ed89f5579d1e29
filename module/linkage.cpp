// The exported records and the host-facing entry points of both gauges.
#include "module/gauge_records.h"
#include "host/host.h"
#include "module/gauges.h"

ImportTableRecord ImportTable = {{kHostServicesTag, nullptr}, {0, nullptr}};

namespace {

extern GaugeHeader sound_header;
extern GaugeHeader traffic_header;

GaugeElementRecord sound_element = {0, kSoundBitmapId, {}, &sound_header, {}, 1, {}};
GaugeElementRecord traffic_element = {0, kTrafficBitmapId, {}, &traffic_header, {}, 1, {}};
GaugeElementRecord* sound_elements[] = {&sound_element, nullptr};
GaugeElementRecord* traffic_elements[] = {&traffic_element, nullptr};

// Kind 1 and kind 3 with no box, then the end of the list: the gauges take no mouse input.
// Each gauge has its own list because the host may write into it.
#define NO_MOUSE_INPUT {{1, {0, 0, 0, 0}, -1, {}}, {3, {0, 0, 0, 0}, -1, {}}, {0, {0, 0, 0, 0}, -1, {}}}
MouseRectangle sound_mouse[3] = NO_MOUSE_INPUT;
MouseRectangle traffic_mouse[3] = NO_MOUSE_INPUT;
#undef NO_MOUSE_INPUT

// The standard routines get no gauge argument, so each gauge has its own set, bound to its
// own element: the host never installs or kills one element on behalf of two gauges.
template <GaugeElementRecord* Element>
struct StandardRoutines {
  static GaugeElement* element() { return reinterpret_cast<GaugeElement*>(Element); }
  static int32_t HOST_STDCALL Query() noexcept {
    return host::Present() ? host::Table()->ElementListQuery(element()) : 0;
  }
  static int32_t HOST_STDCALL Install(uint32_t value) noexcept {
    return host::Present() ? host::Table()->ElementListInstall(element(), value) : 0;
  }
  static int32_t HOST_STDCALL Initialize() noexcept {
    return host::Present() ? host::Table()->ElementListInitialize(element()) : 0;
  }
  static int32_t HOST_STDCALL Update() noexcept {
    return host::Present() ? host::Table()->ElementListUpdate(element()) : 0;
  }
  static int32_t HOST_STDCALL Generate(uint32_t value) noexcept {
    return host::Present() ? host::Table()->ElementListGenerate(element(), value) : 0;
  }
  static int32_t HOST_STDCALL Plot() noexcept {
    return host::Present() ? host::Table()->ElementListPlot(element()) : 0;
  }
  static int32_t HOST_STDCALL Kill() noexcept {
    return host::Present() ? host::Table()->ElementListKill(element()) : 0;
  }
};

void HOST_STDCALL SoundCallback(GaugeHeader*, int32_t service, uint32_t) noexcept {
  if (!host::Present()) return;
  if (service == kServicePreUpdate || service == kServicePreDraw) sound_gauge::PeriodicService();
  if (service == kServicePreKill) sound_gauge::Teardown();
}

void HOST_STDCALL TrafficCallback(GaugeHeader* gauge, int32_t service, uint32_t) noexcept {
  if (!host::Present()) return;
  if (service == kServicePreUpdate || service == kServicePreDraw)
    traffic_gauge::PeriodicService(gauge ? gauge->parameters : nullptr);
}

void HOST_STDCALL ModuleInit() noexcept {}
void HOST_STDCALL ModuleDeinit() noexcept {}

template <GaugeElementRecord* Element>
constexpr GaugeHeader MakeHeader(const char* name, GaugeElementRecord** elements,
                                 MouseRectangle* mouse, GaugeCallback callback) {
  using R = StandardRoutines<Element>;
  return GaugeHeader{800,        name,         elements,    R::Query, R::Install,
                     R::Initialize, R::Update, R::Generate, R::Plot,  R::Kill,
                     0,          19,           {},          mouse,    callback,
                     0,          nullptr,      {}};
}

GaugeHeader sound_header = MakeHeader<&sound_element>(kModuleGaugeNames[kSoundGauge],
                                                      sound_elements, sound_mouse, SoundCallback);
GaugeHeader traffic_header = MakeHeader<&traffic_element>(
    kModuleGaugeNames[kTrafficGauge], traffic_elements, traffic_mouse, TrafficCallback);

}  // namespace

LinkageRecord Linkage = {
    0x13, ModuleInit, ModuleDeinit, 0, 0, 0x900, {&sound_header, &traffic_header, nullptr}};
