// The frame loop every panel session runs: the panel's XML gauges, then the module's gauges in
// the host's order, with the set-up the host gives the module at each load.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bench/host/frame_loop.h"
#include "bench/host/host_emulator.h"
#include "bench/panels/run/running_panel.h"
#include "platform/standin/control.h"
#include "tests/panel_folder.h"

namespace {

using bench::FrameLoop;
using bench::HostEmulator;
using Lines = std::vector<std::string>;

const bench::FrameLoopOptions kNoting = {true, true};

// The session's notes and the panel's writes, from the trace line `from` on.
Lines Steps(const HostEmulator& host, size_t from) {
  Lines steps;
  for (size_t i = from; i < host.trace().size(); ++i)
    if (host.trace()[i].rfind("-- ", 0) == 0 || host.trace()[i].rfind("panel: ", 0) == 0)
      steps.push_back(host.trace()[i]);
  return steps;
}

long Count(const HostEmulator& host, size_t from, const std::string& prefix) {
  return std::count_if(host.trace().begin() + static_cast<long>(from), host.trace().end(),
                       [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
}

TEST(FrameLoop, AFrameRunsThePanelThenEachInstancePreUpdateThenPreDrawInLinkageOrder) {
  PanelFolder folder;
  folder.Write("Plane/panel/G/count.xml",
               "<Gauge><Update>(L:Count, number) ++ (&gt;L:Count, number)</Update></Gauge>");
  folder.Write("Plane/panel/panel.cfg",
               "[Window00]\n"
               "gauge00=KV3_Pelk!TrafficInfo, 0,0,1,1, 128020\n"
               "gauge01=KV3_Pelk!XMLSound, 0,0,1,1\n"
               "gauge02=G!count, 0,0\n"
               "gauge03=KV3_Pelk!XMLSound, 0,0,1,1\n");
  HostEmulator host;
  FrameLoop loop(host, kNoting);
  ASSERT_TRUE(loop.Load(KV3_MODULE_PATH)) << loop.error();
  bench::panels::RunningPanel panel(host, {});
  std::string error;
  ASSERT_TRUE(panel.Load(folder.Path("Plane"), {}, &error)) << error;
  size_t start = host.trace().size();
  loop.UsePanel(panel);
  loop.Frame();
  EXPECT_EQ(Steps(host, start),
            (Lines{"-- panel: 1 XML gauges, 2 XMLSound, 1 TrafficInfo", "-- frame 1",
                   "panel: (>L:Count) 1", "-- service 6 to XMLSound", "-- service 6 to XMLSound",
                   "-- service 10 to XMLSound", "-- service 10 to XMLSound",
                   "-- service 6 to TrafficInfo", "-- service 10 to TrafficInfo"}));
  EXPECT_STREQ(loop.gauge(kTrafficGauge)->parameters, "128020");
  EXPECT_EQ(loop.gauge(kSoundGauge)->parameters, nullptr);  // its lines give none
  loop.Teardown();
}

TEST(FrameLoop, TeardownIsPreKillToEveryInstanceOfTheSoundGaugeAlone) {
  HostEmulator host;
  FrameLoop loop(host, kNoting);
  ASSERT_TRUE(loop.Load(KV3_MODULE_PATH)) << loop.error();
  loop.SetInstances(kSoundGauge, 2);
  loop.Run(2);
  size_t start = host.trace().size();
  loop.Teardown();
  EXPECT_EQ(Steps(host, start), (Lines{"-- service 12 to XMLSound", "-- service 12 to XMLSound"}));
  // A panel without a sound gauge line has nothing to tear down.
  loop.SetInstances(kSoundGauge, 0);
  start = host.trace().size();
  loop.Teardown();
  EXPECT_EQ(Steps(host, start), Lines{});
}

TEST(FrameLoop, EveryLoadGivesTheGaugesTheirParameterTexts) {
  HostEmulator host;
  FrameLoop loop(host);
  loop.SetParameter(kTrafficGauge, "128020");
  ASSERT_TRUE(loop.Load(KV3_MODULE_PATH)) << loop.error();
  EXPECT_STREQ(loop.gauge(kTrafficGauge)->parameters, "128020");
  loop.Unload();
  ASSERT_TRUE(loop.Load(KV3_MODULE_PATH)) << loop.error();  // a fresh copy of the module
  EXPECT_STREQ(loop.gauge(kTrafficGauge)->parameters, "128020");
  loop.SetParameter(kTrafficGauge, std::nullopt);
  EXPECT_EQ(loop.gauge(kTrafficGauge)->parameters, nullptr);
}

TEST(FrameLoop, LoadingAgainStartsTheModuleAfreshAndALoadThatFailsSaysWhy) {
  HostEmulator host;
  FrameLoop loop(host);
  ASSERT_TRUE(loop.Load(KV3_MODULE_PATH)) << loop.error();
  loop.Frame();
  size_t second = host.trace().size();
  ASSERT_TRUE(loop.Load(KV3_MODULE_PATH)) << loop.error();
  loop.Frame();
  // The sound gauge's start-up looks its units up once per load.
  EXPECT_EQ(Count(host, 0, "GetUnitsId("), 2);
  EXPECT_EQ(Count(host, second, "GetUnitsId("), 1);
  EXPECT_EQ(loop.frame(), 2);
  standin::ResetPlatform();  // the first copy went without a teardown

  FrameLoop missing(host);
  EXPECT_FALSE(missing.Load("/nonexistent/KV3_Pelk.so"));
  EXPECT_NE(missing.error().find("/nonexistent/KV3_Pelk.so"), std::string::npos) << missing.error();
}

}  // namespace
