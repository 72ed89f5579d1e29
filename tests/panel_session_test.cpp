// A panel running without the module: the host emulator's variables are what its gauges
// write, and what the trace says the panel did.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench/host/host_emulator.h"
#include "bench/panels/run/running_panel.h"
#include "tests/panel_folder.h"

namespace {

using bench::HostEmulator;
using namespace bench::panels;

using Gauges = std::vector<std::pair<std::string, std::string>>;  // file name, text

// A panel of the given XML gauges, on gauge lines in that order.
struct RunningTestPanel {
  RunningTestPanel(const Gauges& gauges, std::vector<std::string> valued = {},
                   std::string extra_lines = "")
      : panel(host, std::move(valued)) {
    std::string cfg = "[Window00]\n";
    int n = 0;
    for (const auto& [name, xml] : gauges) {
      folder.Write("Plane/panel/G/" + name + ".xml", xml);
      cfg += "gauge0" + std::to_string(n++) + "=G!" + name + ", 0, 0\n";
    }
    folder.Write("Plane/panel/panel.cfg", cfg + extra_lines);
    std::string error;
    loaded = panel.Load(folder.Path("Plane"), {}, &error);
  }
  void Frames(int n) {
    for (int i = 0; i < n; ++i) panel.Frame(++frame);
  }
  bool Exists(const char* name) { return host.table()->FindNamedVariable(name) >= 0; }
  ClickOutcome Click(double x, double y, const char* event = "LeftSingle") {
    return panel.Gauge("G!g")->ClickAt(x, y, event, panel.runner());
  }
  std::vector<std::string> PanelLines() const {
    std::vector<std::string> lines;
    for (const std::string& line : host.trace())
      if (line.rfind("panel: ", 0) == 0) lines.push_back(line.substr(7));
    return lines;
  }

  PanelFolder folder;
  HostEmulator host;
  RunningPanel panel;
  bool loaded = false;
  long frame = 0;
};

TEST(PanelSession, GaugesRunInPanelOrderAtTheirFrequencyWithTheirNamesCreatedAtLoad) {
  RunningTestPanel p(
      Gauges{{"slow",
              "<Gauge><Update Frequency='6'>(L:Slow, number) ++ (&gt;L:Slow, number)"
              "</Update></Gauge>"},
             {"fast",
              "<Gauge><Update>(L:Fast, number) ++ (&gt;L:Fast, number) (L:Slow, number)"
              " (&gt;L:Slow seen, number) 0 if{ (&gt;L:Never, number) }</Update></Gauge>"}});
  ASSERT_TRUE(p.loaded);
  EXPECT_TRUE(p.Exists("Never"));  // named only in a branch that never runs
  p.Frames(1);
  EXPECT_EQ(p.host.Variable("Slow"), 1);       // the first frame updates every gauge
  EXPECT_EQ(p.host.Variable("Slow seen"), 1);  // the later line sees the earlier one's write
  p.Frames(17);
  EXPECT_EQ(p.host.Variable("Slow"), 6);
  EXPECT_EQ(p.host.Variable("Fast"), 18);
}

TEST(PanelSession, NothingBelowAnInvisibleElementIsEvaluated) {
  RunningTestPanel p(Gauges{{"g", R"(<Gauge>
      <Element><Visible>(L:Shown, bool)</Visible>
        <Select><Value>(L:Own, number) ++ (&gt;L:Own, number) 0</Value></Select>
        <Element><Select><Value>(L:Child, number) ++ (&gt;L:Child, number) 0</Value></Select></Element>
      </Element>
      <Element><Select><Value>(L:Sibling, number) ++ (&gt;L:Sibling, number) 0</Value></Select></Element>
    </Gauge>)"}});
  p.Frames(2);
  EXPECT_EQ(p.host.Variable("Own") + p.host.Variable("Child"), 0);
  EXPECT_EQ(p.host.Variable("Sibling"), 2);
  p.host.SetVariable("Shown", 1);
  p.Frames(1);
  EXPECT_EQ(p.host.Variable("Own"), 1);
  EXPECT_EQ(p.host.Variable("Child"), 1);
}

// A switch under a guard, a two-way knob, and an unsized background area in the older
// format; the same guard in the newer format.
const char kOlderClicks[] = R"(<Gauge>
  <Mouse>
    <Area Left="0" Top="0" Width="40" Height="40"><Tooltip>Guard</Tooltip>
      <Click>(L:Open, bool) ! (&gt;L:Open, bool)</Click>
      <Area Left="10" Top="10" Width="20" Height="20"><Visible>(L:Open, bool)</Visible>
        <Tooltip>Button</Tooltip><Click>(L:Pressed, number) ++ (&gt;L:Pressed, number)</Click>
      </Area>
    </Area>
    <Area Left="50" Top="0" Width="20" Height="20"><Tooltip>Knob %((L:Knob, number))%!d!</Tooltip>
      <Click Kind="LeftSingle+RightSingle">(M:Event) 'LeftSingle' scmp 0 == if{ 1 } els{ -1 }
        (L:Knob, number) + (&gt;L:Knob, number) (M:X) (&gt;L:X, number)</Click>
      <Area Left="0" Top="0"><Tooltip>Knob face</Tooltip></Area>
    </Area>
    <Area Left="100" Top="100"><Click Event="GEAR_TOGGLE"/></Area>
  </Mouse></Gauge>)";
const char kNewerClicks[] = R"(<SimBase.Document><SimGauge.Gauge>
  <MouseArea><FloatPosition>0,0</FloatPosition><Size>40,40</Size>
    <Tooltip><DefaultScript>Guard</DefaultScript></Tooltip>
    <MouseClick><Script>(L:Open, bool) ! (&gt;L:Open, bool)</Script></MouseClick>
    <MouseArea><FloatPosition>10,10</FloatPosition><Size>20,20</Size>
      <Visibility>(L:Open, bool)</Visibility>
      <MouseClick><Script>(L:Pressed, number) ++ (&gt;L:Pressed, number)</Script></MouseClick>
    </MouseArea>
  </MouseArea></SimGauge.Gauge></SimBase.Document>)";

TEST(PanelSession, AClickGoesToTheDeepestVisibleAreaThatTakesIt) {
  for (const char* xml : {kOlderClicks, kNewerClicks}) {
    RunningTestPanel p(Gauges{{"g", xml}});
    EXPECT_TRUE(p.Click(15, 15).taken);  // the button is hidden: the guard takes it
    EXPECT_EQ(p.host.Variable("Open"), 1);
    p.Click(15, 15);
    EXPECT_EQ(p.host.Variable("Pressed"), 1);
    p.Click(5, 5);  // beside the button, still on the guard
    EXPECT_EQ(p.host.Variable("Open"), 0);
    EXPECT_FALSE(p.Click(45, 45).taken);
    EXPECT_FALSE(p.Click(15, 15, "RightSingle").taken);
    EXPECT_EQ(p.host.Variable("Pressed"), 1);
  }
}

TEST(PanelSession, ClickKindsTooltipsAndEventsReachTheScript) {
  RunningTestPanel p(Gauges{{"g", kOlderClicks}});
  // The knob's face has no click of its own: the knob under it takes the event.
  p.Click(55, 5, "RightSingle");
  EXPECT_EQ(p.host.Variable("Knob"), -1);
  EXPECT_EQ(p.host.Variable("X"), 5);      // in the area's own coordinates
  RunningGauge* g = p.panel.Gauge("g!G");  // names compare as Windows compares them
  ASSERT_NE(g, nullptr);
  g->ClickTooltip("Knob", "LeftSingle", p.panel.runner());  // the text before its piece
  EXPECT_EQ(p.host.Variable("Knob"), 0);
  // The tooltip as the pilot sees it now, its piece evaluated.
  EXPECT_FALSE(g->ClickTooltip("Knob -1", "LeftSingle", p.panel.runner()).found);
  g->ClickTooltip("Knob 0", "LeftSingle", p.panel.runner());
  EXPECT_EQ(p.host.Variable("Knob"), 1);
  EXPECT_FALSE(g->ClickTooltip("Button", "LeftSingle", p.panel.runner()).found);  // hidden
  EXPECT_TRUE(p.Click(5000, 5000).taken);  // the unsized area reaches every way
  ASSERT_EQ(p.panel.world().key_events().size(), 1u);
  EXPECT_EQ(p.panel.world().key_events()[0].name, "GEAR_TOGGLE");
}

// A gauge's strings run each frame with the element scripts, in document order, with their
// side effects; its scripts and strings share registers for the frame, as shipped gauges rely
// on (a value script stores, a later string reads).
TEST(PanelSession, StringsRunEveryFrameWithTheScriptsAndShareTheirRegisters) {
  RunningTestPanel p(Gauges{{"g", R"xml(<Gauge>
      <Element><Shift><Value>(L:Base, number) 10 * s3</Value></Shift>
        <FormattedText><String>%{loop}%( l3 ++ s3 (&gt;L:Counted, number) )%( l3 l0 ++ s0 p 35 &lt; )%{next}</String></FormattedText>
        <Text Color="%( l0 (&gt;L:Loops, number) 'Red' )"><String>%( (L:Base, number) 2 == )%{if}%( 1 (&gt;L:Two, number) )%{else}%( 1 (&gt;L:Other, number) )%{end}</String></Text>
      </Element>
      <Element><Visible>0</Visible><Text><String>%( 1 (&gt;L:Hidden, number) )</String></Text></Element>
      <Mouse><Area Left="0" Top="0" Width="10" Height="10"><Tooltip>Loops %( l0 )%!d!</Tooltip>
        <Click>l3 (&gt;L:Clicked, number)</Click></Area></Mouse></Gauge>)xml"}});
  p.host.SetVariable("Base", 2);
  p.Frames(1);
  EXPECT_EQ(p.host.Variable("Counted"), 35);  // 20 stored by the value script, up to 35
  EXPECT_EQ(p.host.Variable("Loops"), 15);    // the attribute's piece read the loop's count
  EXPECT_EQ(p.host.Variable("Two"), 1);       // only the chosen branch's piece ran
  EXPECT_EQ(p.host.Variable("Other"), 0);
  EXPECT_EQ(p.host.Variable("Hidden"), 0);  // nothing below an invisible element runs
  p.host.SetVariable("Base", 1);
  p.Frames(1);  // the next frame starts from registers at 0 again
  EXPECT_EQ(p.host.Variable("Counted"), 35);
  EXPECT_EQ(p.host.Variable("Loops"), 25);
  EXPECT_EQ(p.host.Variable("Other"), 1);
  // A click is a pass of its own: its registers start at 0, and the tooltip it is found by is
  // the text the pilot sees then.
  RunningGauge* g = p.panel.Gauge("G!g");
  EXPECT_TRUE(g->ClickTooltip("Loops 0", "LeftSingle", p.panel.runner()).taken);
  EXPECT_EQ(p.host.Variable("Clicked"), 0);
}

TEST(PanelSession, KeysRunTheirVisibleHandler) {
  RunningTestPanel p(Gauges{{"g", R"(<Gauge><Keys>
      <On Key="B"><Visible>(L:Armed, bool)</Visible>(L:B, number) ++ (&gt;L:B, number)</On>
      <On Key="b">(M:Key) 'b' scmi 0 == (&gt;L:Was b, bool)</On></Keys></Gauge>)"}});
  RunningGauge* g = p.panel.Gauge("G!g");
  EXPECT_TRUE(g->Key("b", p.panel.runner()));  // the first handler is hidden
  EXPECT_EQ(p.host.Variable("B"), 0);
  EXPECT_EQ(p.host.Variable("Was b"), 1);
  p.host.SetVariable("Armed", 1);
  g->Key("B", p.panel.runner());
  EXPECT_EQ(p.host.Variable("B"), 1);
  EXPECT_FALSE(g->Key("C", p.panel.runner()));
}

TEST(PanelSession, EachPrefixReachesItsOwnStore) {
  const char* xml = R"(<Gauge><Update>
      (A:Gear handle position, bool) (&gt;L:Gear, number)
      (A:RADIO HEIGHT, feet) (&gt;L:Height, number)
      (E:ABSOLUTE TIME, seconds) (&gt;L:Time, number)
      (G:Var1) ++ (&gt;G:Var1) (G:Var1) (&gt;L:Runs, number)
      (C:fs9gps:WaypointsNumber) (&gt;L:Gps, number)
      7 5 (&gt;K:COM_RADIO_SET) (&gt;K:GEAR_TOGGLE) (&gt;L:Left, number)
    </Update></Gauge>)";
  RunningTestPanel p(Gauges{{"g", xml}}, {"COM_RADIO_SET"}, "gauge09=G!g, 0, 0\n");
  p.panel.world().SetAircraft("GEAR HANDLE POSITION", 1);
  p.Frames(19);
  EXPECT_EQ(p.host.Variable("Gear"), 1);  // aircraft names in any case
  EXPECT_EQ(p.host.Variable("Height"), 0);
  EXPECT_EQ(p.host.Variable("Time"), 1);   // frame 19 is one second in
  EXPECT_EQ(p.host.Variable("Runs"), 19);  // each line keeps its own G: variables
  // The valued event took the 5; the bare one left the stack alone.
  EXPECT_EQ(p.host.Variable("Left"), 7);
  const std::vector<KeyEvent>& events = p.panel.world().key_events();
  ASSERT_EQ(events.size(), 2u * 2 * 19);
  EXPECT_TRUE(events[0].has_value);
  EXPECT_EQ(events[0].value, 5);
  EXPECT_FALSE(events[1].has_value);
  // Each unset or unserved variable is reported once, however often it is read.
  std::vector<std::string> notes = p.panel.diagnostics();
  ASSERT_EQ(notes.size(), 2u) << testing::PrintToString(notes);
  EXPECT_NE(notes[0].find(":3: warning: (A:RADIO HEIGHT) has no value"), std::string::npos);
  EXPECT_NE(notes[1].find(":6: warning: (C:fs9gps:WaypointsNumber) is served by another"),
            std::string::npos);
}

TEST(PanelSession, TheTraceShowsWritesThatChangeAValueAndEveryKeyEvent) {
  RunningTestPanel p(Gauges{{"g",
                             "<Gauge><Update>(L:Count, number) 3 min ++ (&gt;L:Count, number)"
                             " 1 (&gt;L:Steady, bool) (&gt;K:SMOKE_TOGGLE)</Update></Gauge>"}});
  p.Frames(5);
  std::vector<std::string> lines = p.PanelLines();
  std::vector<std::string> want = {"(>L:Count) 1",      "(>L:Steady) 1",     "(>K:SMOKE_TOGGLE)",
                                   "(>L:Count) 2",      "(>K:SMOKE_TOGGLE)", "(>L:Count) 3",
                                   "(>K:SMOKE_TOGGLE)", "(>L:Count) 4",      "(>K:SMOKE_TOGGLE)",
                                   "(>K:SMOKE_TOGGLE)"};
  EXPECT_EQ(lines, want);
}

}  // namespace
