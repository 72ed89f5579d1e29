// The session picture is drawn from the module's trace: what it read, wrote and sent, frame by
// frame, and nothing of the panel's own lines.
#include "bench/plot/session_plot.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::vector<std::string> kTrace = {
    "-- loaded: linkage id 19, gauges \"XMLSound\" and \"TrafficInfo\"",
    "-- frame 1",
    "GetNamedVariable(0 \"Sound knob\", units 1 \"ENUM\") -> 0",
    "GetNamedVariable(1 \"Sound gear warning\", units 1 \"ENUM\") -> 0",
    "GetNamedVariable(2 \"COM1 frequency\", units 2 \"MHz\") -> 118.5",
    "-- frame 2",
    "panel: (>L:Sound knob, enum) 1",
    "GetNamedVariable(0 \"Sound knob\", units 1 \"ENUM\") -> 1",
    "GetNamedVariable(1 \"Sound gear warning\", units 1 \"ENUM\") -> 2002",
    "SetNamedVariable(4 \"ATC traffic dist\", 8.15, units 3 \"NMILES\")",
    "-- frame 3",
    "GetNamedVariable(0 \"Sound knob\", units 1 \"ENUM\") -> 1",
    "SetNamedVariable(0 \"Sound knob\", 0, units 1 \"ENUM\")",
    "GetNamedVariable(1 \"Sound gear warning\", units 1 \"ENUM\") -> 2000",
    "-- teardown",
    "TriggerEvent(0x100AC, 0x11850)",
    "TriggerEvent(0x101AA, 0x1)",
};

TEST(SessionPlot, ReadsTheModulesOwnCallsOffTheTrace) {
  plot::Timeline t = plot::ReadTrace(kTrace);
  EXPECT_NEAR(t.seconds, 3.0 / 18, 1e-9);
  ASSERT_EQ(t.reads.size(), 2u);  // the radio frequency never changed: no lane
  EXPECT_EQ(t.reads[1].name, "Sound knob");
  EXPECT_EQ(t.reads[1].points, (std::vector<std::pair<double, double>>{{0, 0}, {1.0 / 18, 1}}));
  // The gear warning starts looping in frame 2 and stops in frame 3; the knob starts.
  ASSERT_EQ(t.sounds.size(), 3u);
  EXPECT_EQ(t.sounds[0].label, "Sound knob");
  EXPECT_TRUE(t.sounds[1].start);
  EXPECT_EQ(t.sounds[2].label, "Sound gear warning");
  EXPECT_FALSE(t.sounds[2].start);
  ASSERT_EQ(t.writes.size(), 1u);  // the reset and both events of frame 3 share one mark
  EXPECT_EQ(t.writes[0].label, "Sound knob = 0; event 0x100AC, 0x11850; event 0x101AA, 0x1");
  ASSERT_EQ(t.traffic.size(), 1u);
  EXPECT_EQ(t.traffic[0].points[0].second, 8.15);
}

TEST(SessionPlot, DrawsEveryLaneIntoOneSelfContainedPicture) {
  plot::Recording recording;
  recording.samples.assign(2 * 44100 / 6, 1000);
  std::string svg = plot::RenderSvg(plot::ReadTrace(kTrace), recording, "a <panel> & more");
  EXPECT_EQ(svg.rfind("<svg xmlns=\"http://www.w3.org/2000/svg\"", 0), 0u);
  for (const char* text : {">Sound knob<", ">sound, dB<", ">module writes and events<",
                           ">ATC traffic dist (written)<", "a &lt;panel&gt; &amp; more"})
    EXPECT_NE(svg.find(text), std::string::npos) << text;
  EXPECT_EQ(svg.find("nan"), std::string::npos);
  EXPECT_EQ(svg.find("href"), std::string::npos);  // nothing outside the file
}

}  // namespace
