// Writes click maps built by hand, as pages and text lines, for tests/check-click-map to load
// in a real browser, whatever the mapping of a real panel finds:
//   example.html, example.txt  the example aircraft's map, the lines kv3-bench click-map gives
//   variety.html, variety.txt  what the page must draw in every way: 8-, 24- and 32-bit
//                              backgrounds, a broken and a missing one, a virtual cockpit,
//                              every kind of area, markup in tooltips and a few hundred areas
// usage: click-map-sample OUT_DIR EXAMPLE_PANEL_DIR
#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/clickmap/map_page.h"
#include "bench/clickmap/map_text.h"
#include "bench/sounds/riff_writer.h"
#include "tests/bitmap_file.h"

namespace {

using namespace bench::clickmap;

SoundCommand Sound(const std::string& name, double decibels,
                   SoundCommand::Kind kind = SoundCommand::kOnce) {
  SoundCommand sound;
  sound.variable = "Sound " + name;
  sound.sound = name;
  sound.decibels = decibels;
  sound.kind = kind;
  return sound;
}

ClickEffect Click(const std::string& event, std::vector<SoundCommand> sounds,
                  std::vector<std::string> keys, std::vector<std::string> changes) {
  ClickEffect click;
  click.event = event;
  click.sounds = std::move(sounds);
  click.key_events = std::move(keys);
  click.changes = std::move(changes);
  return click;
}

MappedArea Area(const std::string& file, int line, const std::string& tooltip, double left,
                double top, double width, double height, AreaKind kind,
                std::vector<ClickEffect> clicks = {}) {
  MappedArea area;
  area.file = file;
  area.line = line;
  area.tooltip = tooltip;
  area.left = left, area.top = top, area.width = width, area.height = height;
  area.kind = kind;
  area.clicks = std::move(clicks);
  return area;
}

MappedGauge Gauge(const std::string& name, int line, double left, double top, double width,
                  double height, std::vector<MappedArea> areas) {
  MappedGauge gauge;
  gauge.name = name;
  gauge.line = line;
  gauge.left = left, gauge.top = top, gauge.width = width, gauge.height = height;
  gauge.areas = std::move(areas);
  return gauge;
}

ClickMap ExampleMap() {
  const AreaKind plays = AreaKind::kPlays;
  const std::string kExample = "examples/DemoTrainer/panel/";
  MappedWindow main;
  main.name = "Window00";
  main.title = "Main Panel";
  main.width = 1024, main.height = 256;
  main.gauges = {
      Gauge("Switches!Battery", 11, 20, 20, 140, 60,
            {Area(kExample + "Switches/Battery.xml", 17, "Battery master", 20, 20, 40, 60, plays,
                  {Click("LeftSingle", {Sound("toggle switch", 0)}, {"TOGGLE_MASTER_BATTERY"},
                         {"Battery switch 0 -> 1"})}),
             Area(kExample + "Switches/Battery.xml", 22, "Landing light", 70, 20, 40, 60, plays,
                  {Click("LeftSingle", {Sound("toggle switch", -10)}, {},
                         {"Landing light switch 0 -> 1"})}),
             Area(kExample + "Switches/Battery.xml", 29, "Fire test guard", 120, 20, 40, 60, plays,
                  {Click("LeftSingle", {Sound("latch", -5)}, {}, {"Fire guard open 0 -> 1"})}),
             Area(kExample + "Switches/Battery.xml", 33, "Fire test", 130, 40, 20, 20,
                  AreaKind::kHidden)}),
      Gauge("Gear!GearHandle", 12, 300, 20, 60, 120,
            {Area(kExample + "Gear/GearHandle.xml", 31, "Landing gear", 300, 20, 60, 120, plays,
                  {Click("LeftSingle", {Sound("gear handle", 0)}, {"GEAR_TOGGLE"}, {})})}),
      Gauge(
          "Radios!RadioStack", 13, 500, 20, 200, 40,
          {Area(kExample + "Radios/RadioStack.xml", 19, "COM1 128.200", 500, 20, 40, 40, plays,
                {Click("LeftSingle", {Sound("knob", -5)}, {}, {"COM1 frequency 128.2 -> 128.225"}),
                 Click("RightSingle", {Sound("knob", -5)}, {},
                       {"COM1 frequency 128.2 -> 128.175"})})}),
      Gauge("Traffic!TrafficDisplay", 14, 750, 20, 120, 120, {}),
  };
  ClickMap map;
  map.panel_cfg = "examples/DemoTrainer/panel/panel.cfg";
  map.windows = {main};
  return map;
}

// A panel-grey bitmap with a darker frame, so a background that is drawn shows as one.
std::string PanelBitmap(int width, int height, int bits) {
  return BitmapFile(width, height, bits, [=](int x, int y) -> uint32_t {
    bool frame = x < 6 || y < 6 || x >= width - 6 || y >= height - 6;
    int shade = frame ? 0x30 : 0x58 + (x * 7 + y * 3) % 24;
    return shade * 0x010101u + (bits == 32 ? 0x100000u : 0);
  });
}

MappedWindow Window(const std::string& name, const std::string& title, double width, double height,
                    const std::string& background) {
  MappedWindow window;
  window.name = name;
  window.title = title;
  window.width = width, window.height = height;
  window.background = background;
  return window;
}

// Every kind of area, some overlapping, with the characters a page must escape.
MappedGauge EveryKind() {
  SoundCommand refused = Sound("fire alert", -20, SoundCommand::kLoop);
  refused.playable = false;
  refused.file = "Sound\\KV3_R40\\fire_alert.wav";
  refused.refusal = "missing";
  MappedArea covered = Area("Mixed & <odd>.xml", 9, "", 40, 40, 200, 100, AreaKind::kUnreachable);
  covered.covered_by = "Mixed & <odd>.xml:5";
  return Gauge("Panel <Main> & \"more\"!Mixed", 20, 40, 40, 600, 300,
               {Area("Mixed & <odd>.xml", 5, "Pump 'A' <on> & \"off\"", 40, 40, 200, 100,
                     AreaKind::kActs, {Click("LeftSingle", {}, {"FUEL_PUMP"}, {})}),
                covered,
                Area("Mixed & <odd>.xml", 12, "Fire", 260, 40, 80, 80, AreaKind::kSoundBroken,
                     {Click("LeftSingle", {refused}, {}, {"Fire test 0 -> 1"})}),
                Area("Mixed & <odd>.xml", 15, "Horn", 360, 40, 80, 80, AreaKind::kPlays,
                     {Click("LeftSingle", {Sound("horn", -3, SoundCommand::kLoop)}, {}, {}),
                      Click("RightSingle", {Sound("horn", 0, SoundCommand::kStop)}, {}, {})}),
                Area("Mixed & <odd>.xml", 20, "Nothing here", 460, 40, 80, 80, AreaKind::kNothing,
                     {Click("LeftSingle", {}, {}, {})}),
                Area("Mixed & <odd>.xml", 24, "Blank", 560, 40, 60, 60, AreaKind::kNothing),
                // A button on a larger plate: the button is found over the plate.
                Area("Mixed & <odd>.xml", 30, "Plate", 40, 200, 300, 120, AreaKind::kActs,
                     {Click("LeftSingle", {}, {}, {"Plate lit 0 -> 1"})}),
                Area("Mixed & <odd>.xml", 33, "Button", 100, 230, 40, 40, AreaKind::kPlays,
                     {Click("LeftSingle", {Sound("round button", 0)}, {}, {})}),
                Area("Mixed & <odd>.xml", 36, "Cover", 360, 200, 60, 60, AreaKind::kHidden),
                // Beyond its gauge's right edge, with no width left.
                Area("Mixed & <odd>.xml", 40, "Beyond", 640, 60, 0, 20, AreaKind::kUnreachable)});
}

// An overhead panel of switches in rows: a page of a few hundred areas.
MappedGauge Overhead(int rows, int columns) {
  std::vector<MappedArea> areas;
  for (int row = 0; row < rows; ++row)
    for (int column = 0; column < columns; ++column) {
      int line = 10 + 4 * (row * columns + column);
      std::string name = "Switch " + std::to_string(row + 1) + "-" + std::to_string(column + 1);
      areas.push_back(Area(
          "Overhead.xml", line, name, 20 + column * 50, 30 + row * 45, 36, 36, AreaKind::kPlays,
          {Click("LeftSingle", {Sound("toggle switch", -10)}, {}, {name + " 0 -> 1"})}));
    }
  return Gauge("Overhead!Switches", 30, 10, 20, columns * 50 + 20, rows * 45 + 30, areas);
}

ClickMap VarietyMap() {
  MappedWindow main = Window("Window00", "Main <Panel>", 1600, 800, "MAIN.bmp");
  main.gauges = {EveryKind()};
  MappedWindow overhead = Window("Window01", "Overhead", 1400, 700, "overhead.BMP");
  overhead.gauges = {Overhead(15, 26)};
  MappedWindow radios = Window("Window02", "Radios", 400, 200, "radios32.bmp");
  radios.gauges = {Gauge("Radios!Stack", 40, 0, 0, 400, 200,
                         {Area("Radios.xml", 3, "COM1", 20, 20, 60, 60, AreaKind::kActs,
                               {Click("LeftSingle", {}, {"COM_RADIO_SET 128.175"}, {})})})};
  MappedWindow broken = Window("Window03", "Broken", 300, 100, "broken.bmp");
  broken.gauges = {Gauge("Broken!Gauge", 50, 0, 0, 300, 100,
                         {Area("Broken.xml", 4, "Lamp", 10, 10, 50, 50, AreaKind::kNothing)})};
  MappedWindow missing = Window("Window04", "", 300, 100, "missing.bmp");
  missing.gauges = {Gauge("Missing!Gauge", 60, 0, 0, 300, 100,
                          {Area("Missing.xml", 4, "Lamp", 10, 10, 50, 50, AreaKind::kNothing)})};
  MappedWindow vc = Window("VCockpit01", "", 512, 512, "");
  vc.virtual_cockpit = true;
  vc.gauges = {Gauge("VC!Switches", 70, 0, 0, 512, 512,
                     {Area("VcSwitches.xml", 8, "Avionics", 300, 400, 64, 32, AreaKind::kPlays,
                           {Click("LeftSingle", {Sound("toggle switch", 0)}, {}, {})})})};
  ClickMap map;
  map.panel_cfg = "variety/panel.cfg";
  map.sim_root = "/sim";
  map.windows = {main, overhead, radios, broken, missing, vc};
  map.problems = {"variety/panel.cfg:9: warning: an <odd> & \"quoted\" finding"};
  return map;
}

bool WriteMap(const ClickMap& map, const std::string& panel_dir, const std::string& stem) {
  std::string lines;
  for (const std::string& line : MapLines(map)) lines += line + "\n";
  return bench::WriteFileBytes(stem + ".html", MapPage(map, panel_dir)) &&
         bench::WriteFileBytes(stem + ".txt", lines);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: click-map-sample OUT_DIR EXAMPLE_PANEL_DIR\n");
    return 2;
  }
  std::string out = argv[1], panel = out + "/variety-panel";
  std::filesystem::create_directories(panel);
  bool ok =
      bench::WriteFileBytes(panel + "/main.bmp", PanelBitmap(800, 400, 8)) &&
      bench::WriteFileBytes(panel + "/Overhead.bmp", PanelBitmap(700, 350, 24)) &&
      bench::WriteFileBytes(panel + "/radios32.bmp", PanelBitmap(200, 100, 32)) &&
      bench::WriteFileBytes(panel + "/broken.bmp", PanelBitmap(200, 100, 24).substr(0, 200)) &&
      WriteMap(ExampleMap(), argv[2], out + "/example") &&
      WriteMap(VarietyMap(), panel, out + "/variety");
  if (!ok) std::fprintf(stderr, "click-map-sample: cannot write in %s\n", out.c_str());
  return ok ? 0 : 1;
}
