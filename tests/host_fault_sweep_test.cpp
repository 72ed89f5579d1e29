// The host misbehaving in each way it can: the traffic interface failing each read in turn
// (once and from then on), a list that reports more ids than were asked for, and variables
// that vanish and come back. Nothing may crash or stay open; a failed read only skips that
// aircraft, every run sets "ATC traffic update" back to 1, and sound and traffic work again
// once the variables are back.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/host/frame_loop.h"
#include "bench/host/host_emulator.h"
#include "bench/host/module_loader.h"
#include "tests/sound_folder.h"

namespace {

using Lines = std::vector<std::string>;

constexpr uint32_t kFrameAudio = standin::kMixRate / 18;
const char* const kUpdate = "ATC traffic update";
const char* const kOneShot = "Sound toggle switch";
const char* const kLoop = "Sound gear warning";
const char* const kPanelVariables[] = {kUpdate,
                                       "ATC traffic state",
                                       "ATC traffic dir",
                                       "ATC traffic dist",
                                       "ATC traffic alt",
                                       kOneShot,
                                       kLoop,
                                       "NAV1 frequency"};

// The module loaded into a host whose panel has created its variables.
struct Panel {
  Panel() {
    EXPECT_TRUE(module->loaded()) << module->error();
    for (const char* name : kPanelVariables) host.CreateVariable(name, name == kUpdate ? 1 : 0);
  }
  ~Panel() {
    module->linkage()->gauges[0]->callback(module->linkage()->gauges[0], 12, 0);
    module.reset();
    EXPECT_EQ(standin::OpenFiles() + standin::LiveBuffers() + standin::LiveDevices(), 0);
  }
  // Both gauges' periodic service; the host calls they made.
  Lines Frame() {
    size_t first = host.trace().size();
    for (GaugeHeader** g = module->linkage()->gauges; *g; ++g) (*g)->callback(*g, 6, 0);
    standin::AdvanceAudio(kFrameAudio);
    return Lines(host.trace().begin() + static_cast<long>(first), host.trace().end());
  }
  Lines TrafficRun() {
    host.SetVariable(kUpdate, 128);
    return Frame();
  }

  bench::HostEmulator host;
  std::unique_ptr<bench::LoadedModule> module = bench::LoadIntoHost(host, KV3_MODULE_PATH);
};

// The value written into a variable by one of the lines, if any.
bool Written(const Lines& lines, const std::string& name, double* value) {
  for (const std::string& line : lines) {
    size_t at = line.find(" \"" + name + "\", ");
    if (line.rfind("SetNamedVariable(", 0) == 0 && at != std::string::npos)
      return *value = std::strtod(line.c_str() + at + name.size() + 5, nullptr), true;
  }
  return false;
}

// Aircraft that a failed read (other than the variation's) must keep out of the picks.
std::vector<double> SkippedAltitudes(const Lines& lines) {
  std::vector<double> altitudes;
  for (const std::string& line : lines)
    if (line.rfind("GetAircraftValue(", 0) == 0 && line.find("-> 0") != std::string::npos &&
        line.find("\"MAGVAR\"") == std::string::npos)
      altitudes.push_back(100.0 * std::strtoul(line.c_str() + 26, nullptr, 10));
  return altitudes;
}

// Four runs over a list that changes: the traffic flag, an aircraft leaving, another arriving
// and the user's aircraft changing. An aircraft flies at 100 m times its id.
void ScriptTraffic(bench::TrafficHost& traffic, int run) {
  if (run == 1) {
    for (uint32_t id = 1; id <= 4; ++id) traffic.AddAircraft(id, id * 0.01, 0, id * 100.0);
    traffic.SetUser(2);
    traffic.SetEngine(3, false);
  }
  traffic.SetTrafficFlag(run == 2);
  if (run == 3) traffic.RemoveAircraft(1), traffic.AddAircraft(5, 0.05, 0.01, 500);
  if (run == 4) traffic.SetUser(2, false), traffic.SetUser(4);
}

// Runs the four traffic runs and checks each; the number of reads the host served.
int RunTrafficSession(int failing_read, bool from_then_on) {
  Panel panel;
  bench::TrafficHost& traffic = panel.host.traffic();
  traffic.FailNthRead(failing_read, from_then_on);
  panel.Frame();  // set-up
  for (int run = 1; run <= 4; ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    ScriptTraffic(traffic, run);
    Lines lines = panel.TrafficRun();
    EXPECT_EQ(panel.host.Variable(kUpdate), 1.0);
    double state = panel.host.Variable("ATC traffic state"), alt, dir, dist;
    EXPECT_TRUE(state == 0 || state == 1 || state == 2) << state;
    if (Written(lines, "ATC traffic alt", &alt)) {
      EXPECT_TRUE(alt >= 100 && alt <= 500 && std::fmod(alt, 100) == 0) << "not read: " << alt;
      for (double skipped : SkippedAltitudes(lines)) EXPECT_NE(alt, skipped);
    }
    if (Written(lines, "ATC traffic dir", &dir)) {
      EXPECT_TRUE(dir >= 0 && dir <= 360) << dir;
    }
    if (Written(lines, "ATC traffic dist", &dist)) {
      EXPECT_TRUE(dist >= 0 && std::isfinite(dist)) << dist;
    }
  }
  return traffic.reads();
}

TEST(HostFaultSweep, EachTrafficReadFailedOnceAndFromThenOnSkipsOnlyThatAircraft) {
  const int reads = RunTrafficSession(0, false);
  ASSERT_GT(reads, 20);
  for (int nth = 1; nth <= reads; ++nth) {
    for (bool from_then_on : {false, true}) {
      SCOPED_TRACE("read " + std::to_string(nth) + (from_then_on ? " and after" : " once"));
      RunTrafficSession(nth, from_then_on);
    }
  }
}

// The host reports more ids than it wrote and than it was asked for; the scan looks at no
// more aircraft than it asked for, whatever the list holds.
TEST(HostFaultSweep, MoreIdsThanAskedAreNeverRead) {
  for (uint32_t extra : {1u, 121u, 1000u, 0x7FFFFFFFu}) {
    for (uint32_t listed : {0u, 3u, 200u}) {
      SCOPED_TRACE(std::to_string(listed) + " listed, " + std::to_string(extra) + " more");
      Panel panel;
      for (uint32_t id = 1; id <= listed; ++id)
        panel.host.traffic().AddAircraft(id, 0, id * 1e-4, 100.0 * id);
      if (listed) panel.host.traffic().SetUser(listed);
      panel.host.traffic().ReturnExtraIds(extra);
      panel.Frame();
      for (int run = 0; run < 7; ++run) {
        Lines lines = panel.TrafficRun();
        uint32_t asked = 0, visited = 0;
        for (const std::string& line : lines) {
          if (line.rfind("ListAircraftInRadius(", 0) == 0)
            asked = std::strtoul(line.c_str() + line.find(", ") + 2, nullptr, 10);
          visited += line.find("\"IS USER SIM\"") != std::string::npos;
        }
        EXPECT_LE(visited, asked);
        EXPECT_EQ(panel.host.Variable(kUpdate), 1.0);
      }
    }
  }
}

// Each panel variable vanishes at each of the first frames and comes back three frames later
// with its value, while a loop and a one-shot play and traffic runs. Afterwards a one-shot
// plays and returns to 0, and a traffic run resets the schedule, unless "ATC traffic update"
// was missing when the gauge set itself up, which switches traffic off for good.
TEST(HostFaultSweep, VariablesThatVanishAndComeBackLeaveTheGaugesWorking) {
  SoundFolder folder;
  folder.WriteAll({"toggle_switch.wav", "gear_warn.wav"});
  for (const char* name : kPanelVariables) {
    for (int gone_at = 0; gone_at < 6; ++gone_at) {
      SCOPED_TRACE(std::string(name) + " gone at frame " + std::to_string(gone_at));
      Panel panel;
      bench::HostEmulator& host = panel.host;
      panel.host.traffic().AddAircraft(1, 0, 0, 100);
      panel.host.traffic().SetUser(1);
      panel.host.traffic().AddAircraft(2, 0.1, 0, 200);
      double value = 0;
      for (int frame = 0; frame < 10; ++frame) {
        if (frame == gone_at) value = host.Variable(name), host.RemoveVariable(name);
        if (frame == gone_at + 3) host.CreateVariable(name, value);
        if (frame == 1) host.SetVariable(kLoop, 2002);
        if (frame == 2) host.SetVariable(kOneShot, 1);
        if (frame == 3) host.SetVariable(kUpdate, 128);
        panel.Frame();
      }
      for (int i = 0; i < 6 && host.Variable(kOneShot) != 0; ++i) panel.Frame();
      host.SetVariable(kOneShot, 1);
      int plays = standin::CallCount("Play");
      panel.Frame();
      EXPECT_GT(standin::CallCount("Play"), plays);
      for (int i = 0; i < 6 && host.Variable(kOneShot) != 0; ++i) panel.Frame();
      EXPECT_EQ(host.Variable(kOneShot), 0.0);
      panel.TrafficRun();
      bool traffic_off = name == std::string(kUpdate) && gone_at == 0;
      EXPECT_EQ(host.Variable(kUpdate), traffic_off ? 128.0 : 1.0);
    }
  }
}

}  // namespace
