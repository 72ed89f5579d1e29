// The click map's page: one element per mouse area, placed by its box and telling its text
// lines; the panel's own words escaped; background bitmaps inside the page, and a window
// drawn whatever became of its bitmap.
#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <string>
#include <vector>

#include "bench/clickmap/map_page.h"
#include "bench/clickmap/map_text.h"
#include "bench/clickmap/window_background.h"
#include "tests/bitmap_file.h"
#include "tests/panel_folder.h"

namespace {

using namespace bench::clickmap;

MappedArea Area(int line, double left, double top, double width, double height, AreaKind kind) {
  MappedArea area;
  area.file = "Switches.xml";
  area.line = line;
  area.left = left, area.top = top, area.width = width, area.height = height;
  area.kind = kind;
  return area;
}

ClickEffect Click(const std::string& event, const std::string& change) {
  ClickEffect click;
  click.event = event;
  if (!change.empty()) click.changes.push_back(change);
  return click;
}

// A panel part with a switch on it, a covered area and a hidden one, in a window twice as
// wide as the page draws.
ClickMap SwitchPanel() {
  MappedGauge gauge;
  gauge.name = "Switches!Row";
  gauge.left = 100, gauge.top = 40, gauge.width = 400, gauge.height = 200;
  MappedArea part = Area(10, 100, 40, 400, 200, AreaKind::kActs);
  part.tooltip = "Panel";
  part.clicks = {Click("LeftSingle", "Panel lit 0 -> 1")};
  MappedArea button = Area(12, 120, 60, 30, 20, AreaKind::kPlays);
  button.tooltip = "Battery master";
  SoundCommand toggle;
  toggle.sound = "toggle switch";
  toggle.decibels = -10;
  button.clicks = {Click("LeftSingle", "Battery switch 0 -> 1"), Click("RightSingle", "")};
  button.clicks[0].sounds.push_back(toggle);
  MappedArea covered = Area(14, 100, 40, 400, 200, AreaKind::kUnreachable);
  covered.covered_by = "Switches.xml:10";
  MappedArea hidden = Area(16, 300.5, 80.25, 10, 10, AreaKind::kHidden);
  // Two knobs side by side whose boxes overlap.
  MappedArea left_knob = Area(20, 200, 100, 50, 50, AreaKind::kActs);
  MappedArea right_knob = Area(22, 240, 110, 30, 30, AreaKind::kActs);
  gauge.areas = {part, button, covered, hidden, left_knob, right_knob};
  MappedWindow window;
  window.name = "Window00";
  window.title = "Main Panel";
  window.width = 2000, window.height = 500;
  window.gauges = {gauge};
  ClickMap map;
  map.panel_cfg = "panel/panel.cfg";
  map.windows = {window};
  return map;
}

// The opening tag of the area element for FILE:LINE, and what it holds up to its end.
std::string AreaElement(const std::string& page, const std::string& file, int line) {
  std::string key = "data-file=\"" + file + "\" data-line=\"" + std::to_string(line) + "\"";
  size_t at = page.find(key);
  if (at == std::string::npos) return "";
  size_t start = page.rfind("<div", at), end = page.find("</div></div>", at);
  return page.substr(start, end - start);
}

std::string Attribute(const std::string& element, const std::string& name) {
  std::smatch match;
  std::regex pattern(" " + name + "=\"([^\"]*)\"");
  return std::regex_search(element, match, pattern) ? match[1].str() : "<none>";
}

// Text as a browser reads it from the page: the five entities the page writes, in one pass.
std::string Unescaped(const std::string& html) {
  static const std::pair<const char*, char> kEntities[] = {
      {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&#39;", '\''}};
  std::string text;
  for (size_t at = 0; at < html.size();) {
    bool entity = false;
    for (const auto& [name, c] : kEntities)
      if (html.compare(at, strlen(name), name) == 0) {
        text += c;
        at += strlen(name);
        entity = true;
        break;
      }
    if (!entity) text += html[at++];
  }
  return text;
}

// The text of every element that opens with `open`, up to `close`.
std::vector<std::string> Texts(const std::string& html, const std::string& open,
                               const std::string& close) {
  std::vector<std::string> texts;
  for (size_t at = html.find(open); at != std::string::npos; at = html.find(open, at)) {
    at += open.size();
    texts.push_back(Unescaped(html.substr(at, html.find(close, at) - at)));
  }
  return texts;
}

int Count(const std::string& text, const std::string& piece) {
  int count = 0;
  for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
    ++count;
  return count;
}

int Stack(const std::string& element) {
  std::smatch match;
  std::regex_search(element, match, std::regex("--z:([0-9]+)"));
  return std::stoi(match[1].str());
}

TEST(ClickMapPage, DrawsEachAreaOnceAtItsBoxWithItsLines) {
  ClickMap map = SwitchPanel();
  std::string page = MapPage(map, "/nonexistent");
  EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_EQ(Count(page, "<div class=\"area "), 6);
  EXPECT_EQ(Count(page, "<div class=\"gauge\""), 1);
  EXPECT_NE(page.find("data-size=\"2000 500\" style=\"width:1000px;height:250px\""),
            std::string::npos);
  const MappedGauge& gauge = map.windows[0].gauges[0];
  for (const MappedArea& area : gauge.areas) {
    std::string element = AreaElement(page, "Switches.xml", area.line);
    SCOPED_TRACE(element);
    EXPECT_EQ(Attribute(element, "data-kind"), AreaKindName(area.kind));
    EXPECT_NE(element.find(std::string("class=\"area kind-") + AreaKindName(area.kind)),
              std::string::npos);
    EXPECT_EQ(Texts(element, "<span class=\"tip-line\">", "</span>"), AreaLines(gauge, area));
  }
  // Boxes in the window's units; the style halves them, as the window is drawn half size.
  std::string hidden = AreaElement(page, "Switches.xml", 16);
  EXPECT_EQ(Attribute(hidden, "data-box"), "300.5 80.25 10 10");
  EXPECT_NE(hidden.find("left:150.25px;top:40.125px;width:5px;height:5px"), std::string::npos);
  // The switch nested in the part is found over it; of two knobs that overlap, the earlier is;
  // what no click reaches lies beneath them all.
  int part = Stack(AreaElement(page, "Switches.xml", 10));
  int button = Stack(AreaElement(page, "Switches.xml", 12));
  EXPECT_GT(button, part);
  EXPECT_GT(Stack(AreaElement(page, "Switches.xml", 20)),
            Stack(AreaElement(page, "Switches.xml", 22)));
  EXPECT_LT(Stack(AreaElement(page, "Switches.xml", 14)), part);
  EXPECT_LT(Stack(hidden), part);
}

TEST(ClickMapPage, TheTableHoldsTheTextLinesEachLinkedToItsArea) {
  ClickMap map = SwitchPanel();
  std::string page = MapPage(map, "/nonexistent");
  EXPECT_EQ(Texts(page, "<td class=\"line\">", "</td>"), MapLines(map));
  // The battery switch's line in the table leads to the battery switch's element.
  std::string row = page.substr(page.find("<tr><td><a class=\"swatch kind-plays\""));
  std::string target = Attribute(row, "href").substr(1);
  EXPECT_NE(AreaElement(page, "Switches.xml", 12).find("id=\"" + target + "\""), std::string::npos);
  // One count per kind in the legend.
  EXPECT_NE(page.find("plays a module sound (1)"), std::string::npos);
  EXPECT_NE(page.find("would play a module sound whose file is missing or refused (0)"),
            std::string::npos);
}

TEST(ClickMapPage, EscapesWhatThePanelWrote) {
  ClickMap map = SwitchPanel();
  map.panel_cfg = "R&D <panel>.cfg";
  MappedArea& area = map.windows[0].gauges[0].areas[1];
  area.file = "Tom's \"gauge\".xml";
  area.tooltip = "<b>Fuel</b> & \"more\"";
  map.windows[0].title = "<script>alert(1)</script>";
  map.problems = {"panel.cfg:3: <error> & more"};
  std::string page = MapPage(map, "/nonexistent");
  for (const char* raw : {"<b>", "<script>", "R&D", "<error>", "Tom's \"gauge\""})
    EXPECT_EQ(page.find(raw), std::string::npos) << raw;
  for (const char* escaped :
       {"&lt;b&gt;Fuel&lt;/b&gt; &amp; &quot;more&quot;", "R&amp;D &lt;panel&gt;.cfg",
        "&lt;script&gt;alert(1)&lt;/script&gt;", "&lt;error&gt; &amp; more"})
    EXPECT_NE(page.find(escaped), std::string::npos) << escaped;
  EXPECT_NE(AreaElement(page, "Tom&#39;s &quot;gauge&quot;.xml", 12), "");
}

TEST(ClickMapPage, EmbedsTheBackgroundBitmapFoundInAnyCase) {
  PanelFolder folder;
  for (int bits : {8, 24, 32}) {
    SCOPED_TRACE(bits);
    std::string bytes = BitmapFile(5, 3, bits, [](int x, int y) { return x * 40 + y * 0x3000; });
    folder.Write("panel/Art/MAIN_" + std::to_string(bits) + ".BMP", bytes);
    ClickMap map = SwitchPanel();
    map.windows[0].background = "art\\main_" + std::to_string(bits) + ".bmp";
    std::string page = MapPage(map, folder.Path("panel"));
    EXPECT_NE(page.find("<img alt=\"\" src=\"data:image/bmp;base64," + Base64(bytes) + "\">"),
              std::string::npos);
    EXPECT_NE(page.find("MAIN_" + std::to_string(bits) + ".BMP, 5 x 3, " + std::to_string(bits) +
                        " bits a pixel"),
              std::string::npos);
  }
}

TEST(ClickMapPage, AWindowStillDrawsWithoutItsBitmap) {
  PanelFolder folder;
  folder.Write("panel/broken.bmp", "BM not really");
  struct Case {
    const char* background;
    const char* note;
  } cases[] = {
      {"", "no background bitmap: its section names no file="},
      {"gone.bmp", "its bitmap gone.bmp is not in the panel folder"},
      {"broken.bmp", "its bitmap broken.bmp is not drawn: "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.background);
    ClickMap map = SwitchPanel();
    map.windows[0].background = c.background;
    std::string page = MapPage(map, folder.Path("panel"));
    EXPECT_NE(page.find(c.note), std::string::npos);
    EXPECT_EQ(page.find("<img"), std::string::npos);
    EXPECT_EQ(Count(page, "<div class=\"area "), 6);
  }
}

TEST(ClickMapPage, VirtualCockpitsAndUnsizedWindowsGetACanvas) {
  ClickMap map = SwitchPanel();
  map.windows[0].virtual_cockpit = true;
  map.windows[0].name = "VCockpit01";
  map.windows[0].width = map.windows[0].height = 0;
  std::string page = MapPage(map, "/nonexistent");
  // No size: as far as the gauge reaches, at one pixel a unit.
  EXPECT_NE(page.find("<div class=\"canvas virtual\" data-size=\"500 240\" "
                      "style=\"width:500px;height:240px\">"),
            std::string::npos);
  EXPECT_NE(page.find("virtual cockpit: the texture its gauges draw on, 500 x 240 pixels"),
            std::string::npos);
  EXPECT_EQ(page.find("names no file="), std::string::npos);
}

TEST(ClickMapPage, Base64PadsTheLastGroup) {
  // RFC 4648's own examples.
  const std::pair<const char*, const char*> cases[] = {{"", ""},
                                                       {"f", "Zg=="},
                                                       {"fo", "Zm8="},
                                                       {"foo", "Zm9v"},
                                                       {"foob", "Zm9vYg=="},
                                                       {"fooba", "Zm9vYmE="},
                                                       {"foobar", "Zm9vYmFy"}};
  for (const auto& [bytes, text] : cases) EXPECT_EQ(Base64(bytes), text) << bytes;
  EXPECT_EQ(Base64(std::string("\xff\xfe\x00", 3)), "//4A");
}

}  // namespace
