// The click map: every mouse area of a panel, what clicking it does, and which sound it plays.
// The bench loads the panel as a session does, settles it for a second of frames, then clicks
// each area with each mouse event it takes, every click from the same settled state, and runs
// the frames the module needs to answer. What it finds is one model, written as text lines
// (map_text.h) and as a standalone page drawn over the panel's own bitmaps (map_page.h).
#pragma once

#include <string>
#include <vector>

namespace bench::clickmap {

// One of the module's sounds as a click commands it.
struct SoundCommand {
  std::string variable;  // "Sound toggle switch"
  std::string sound;     // as a pilot names it: "toggle switch"
  enum Kind { kOnce, kLoop, kStop } kind = kOnce;
  double decibels = 0;  // the attenuation: 0 full volume, -10 ten decibels down
  // What the module does with it: it plays (the file is there and accepted, or no simulator
  // folder is known to judge it), or it would play but the file is missing or refused.
  bool playable = true;
  std::string file;     // the sound file as found or looked for; empty: no simulator folder
  std::string refusal;  // !playable: "missing", or check-sounds' verdict
};

// What one mouse event on an area did.
struct ClickEffect {
  std::string event;  // "LeftSingle", "RightSingle", ...
  std::vector<SoundCommand> sounds;
  std::vector<std::string> key_events;  // "TOGGLE_MASTER_BATTERY", "COM_RADIO_SET 128.175"
  std::vector<std::string> changes;     // other L: variables: "Battery switch 0 -> 1"
  bool Nothing() const { return sounds.empty() && key_events.empty() && changes.empty(); }
};

// How the page colours an area: what its clicks do, the first that applies.
enum class AreaKind {
  kPlays,        // plays a module sound
  kSoundBroken,  // would play a module sound whose file is missing or refused
  kActs,         // acts without a sound (key events, variables)
  kNothing,      // takes clicks that change nothing, or takes none
  kHidden,       // its visibility gives 0 in the settled state
  kUnreachable,  // under an earlier area everywhere: the pilot can never reach it
};

struct MappedArea {
  std::string file;     // the gauge file, as findings name it
  int line = 0;         // the area's line in it
  std::string tooltip;  // as the pilot sees it in the settled state; may be empty
  // Its box in the window's (or the virtual-cockpit texture's) coordinates.
  double left = 0, top = 0, width = 0, height = 0;
  std::vector<ClickEffect> clicks;  // one per mouse event it takes, in the order written
  AreaKind kind = AreaKind::kNothing;
  // kUnreachable: "FILE:LINE" of the area over it; empty when the area lies outside its gauge.
  std::string covered_by;
};

struct MappedGauge {
  std::string name;                                 // FILE!GAUGE as the panel.cfg line writes it
  int line = 0;                                     // the panel.cfg line
  double left = 0, top = 0, width = 0, height = 0;  // in the window's coordinates
  std::vector<MappedArea> areas;  // in document order, nested ones after their parent
};

struct MappedWindow {
  std::string name;   // the section: "Window00", "VCockpit01"
  std::string title;  // from [Window Titles]; may be empty
  bool virtual_cockpit = false;
  double width = 0, height = 0;  // size_mm (pixel_size for a virtual cockpit's texture)
  std::string background;        // the bitmap file= names, found in the panel folder; may be empty
  std::vector<MappedGauge> gauges;  // XML gauges with mouse areas, in panel.cfg order
};

struct ClickMap {
  std::string panel_cfg;              // as findings name it
  std::string panel_dir;              // the folder it was read from, where the bitmaps are
  std::string sim_root;               // the simulator folder the sounds were judged in; empty: none
  std::vector<MappedWindow> windows;  // in panel.cfg order
  std::vector<std::string> problems;  // loading and running findings, "FILE:LINE: ..."
};

}  // namespace bench::clickmap
