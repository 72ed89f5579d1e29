// The "XMLSound" gauge driven as the host drives it, with real files in the sound folder
// and the stand-in's software DirectSound playing them against the audio clock.
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "bench/sounds/sound_files.h"
#include "sound/sound_slots.h"
#include "tests/loaded_module.h"
#include "tests/sound_folder.h"

namespace {

constexpr uint32_t kFrameAudio = standin::kMixRate / 18;  // the host's 18 services a second

std::vector<std::string> AllFiles() {
  std::vector<std::string> files;
  for (const sound::SoundSlot* s = sound::SoundTable; s->variable_name; ++s)
    files.push_back(bench::SlotFileName(*s));
  return files;
}

class SoundGauge : public LoadedModuleTest {
 protected:
  void SetUp() override {
    folder.WriteAll(AllFiles());
    LoadedModuleTest::SetUp();
  }
  void Frame(int count = 1) {
    for (int i = 0; i < count; ++i) {
      sound()->callback(sound(), 6, 0);
      standin::AdvanceAudio(kFrameAudio);
    }
  }
  // Platform calls made from now on.
  void Mark() { mark_ = standin::Calls().size(); }
  std::vector<std::string> CallsSinceMark() const {
    return std::vector<std::string>(standin::Calls().begin() + mark_, standin::Calls().end());
  }
  int TraceCount(const std::string& prefix) const {
    return static_cast<int>(
        std::count_if(host.trace().begin(), host.trace().end(),
                      [&](const std::string& l) { return l.rfind(prefix, 0) == 0; }));
  }

  // The slot variables are never read, and nothing is left open.
  void ExpectSoundOffAfterFailing(const char* failing) {
    standin::FailCall(failing, 1);
    host.CreateVariable("Sound click", 1);
    for (int i = 0; i < 3; ++i) sound()->callback(sound(), 6, 0);
    EXPECT_EQ(TraceCount("GetNamedVariable"), 0);
    EXPECT_EQ(TraceCount("GetUnitsId"), 1);
    EXPECT_EQ(standin::CallCount("DirectSoundCreate"), 1);
    EXPECT_EQ(standin::LiveDevices(), 0);
    EXPECT_EQ(standin::CallCount("mmioOpenA"), 0);
  }

  SoundFolder folder;
  size_t mark_ = 0;
};

using Calls = std::vector<std::string>;

TEST_F(SoundGauge, OneShotPlaysOnceAndItsVariableReturnsToZero) {
  host.CreateVariable("Sound toggle switch", 1);
  Frame();
  EXPECT_EQ(standin::CallCount("Play"), 1);
  Frame();
  EXPECT_EQ(host.Variable("Sound toggle switch"), 1.0);  // a tenth of a second: still playing
  Frame();
  EXPECT_EQ(host.Variable("Sound toggle switch"), 0.0);
  EXPECT_EQ(TraceCount("SetNamedVariable"), 1);
  Frame(3);  // idle again: read, nothing more
  EXPECT_EQ(standin::CallCount("Play"), 1);
}

TEST_F(SoundGauge, LoopPlaysUntilItsDigitChangesAndIsNeverWritten) {
  host.CreateVariable("Sound gear warning");
  Frame();
  host.SetVariable("Sound gear warning", 2002);
  Mark();
  Frame(20);
  EXPECT_EQ(CallsSinceMark().front(), "SetVolume(-2000)");
  EXPECT_EQ(standin::Calls().back(), "GetStatus()");
  EXPECT_EQ(TraceCount("SetNamedVariable"), 0);
  Mark();
  host.SetVariable("Sound gear warning", 2000);
  Frame();
  EXPECT_EQ(CallsSinceMark(), (Calls{"Stop()", "SetCurrentPosition(0)"}));
  EXPECT_EQ(host.Variable("Sound gear warning"), 2000);
}

TEST_F(SoundGauge, DigitChangesReplayWithoutRewindingAndSwitchTheLoopFlag) {
  host.CreateVariable("Sound horn", 1);
  Frame();
  Mark();
  host.SetVariable("Sound horn", 3);
  Frame();
  host.SetVariable("Sound horn", 2);
  Frame();
  host.SetVariable("Sound horn", 1);
  Frame();
  host.SetVariable("Sound horn", 1001);  // volume only: no new play
  Frame();
  EXPECT_EQ(CallsSinceMark(), (Calls{"Play(0, 0, 0x0)", "Play(0, 0, 0x1)", "Play(0, 0, 0x0)",
                                     "SetVolume(-1000)", "GetStatus()"}));
}

// A stop is made before the new attenuation, so a stopping loop is never turned up first;
// every other change applies the attenuation before it plays.
TEST_F(SoundGauge, AStopComesBeforeTheNewVolumeAndAPlayAfterIt) {
  const struct {
    double from, to;
    Calls calls;
  } cases[] = {
      {2002, 0, {"Stop()", "SetCurrentPosition(0)", "SetVolume(0)"}},
      {1, 0, {"Stop()", "SetCurrentPosition(0)"}},  // a one-shot still playing
      {2002, 3000, {"Stop()", "SetCurrentPosition(0)", "SetVolume(-3000)"}},
      {2002, 1001, {"SetVolume(-1000)", "Play(0, 0, 0x0)"}},
      {0, 3000, {"SetVolume(-3000)"}},
      {3000, 1, {"SetVolume(0)", "Play(0, 0, 0x0)"}},
  };
  host.CreateVariable("Sound power cart");
  Frame();
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.from) + " to " + std::to_string(c.to));
    host.SetVariable("Sound power cart", c.from);
    Frame();
    Mark();
    host.SetVariable("Sound power cart", c.to);
    sound()->callback(sound(), 6, 0);
    EXPECT_EQ(CallsSinceMark(), c.calls);
    host.SetVariable("Sound power cart", 0);
    Frame();
  }
}

TEST_F(SoundGauge, ControlValuesSplitIntoDigitAndAttenuation) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double value;
    int32_t command, volume;
  } cases[] = {{1, 1, 0},
               {2002, 2, 2000},
               {3000, 0, 3000},
               {2.9, 2, 0},
               {-0.5, 0, 0},
               {-7, -7, 0},
               {-12, -2, -10},
               {4294967297.0, 1, 0},
               {-2147483648.0, -8, -2147483640},
               {std::nan(""), 0, 0},
               {inf, 0, 0},
               {-inf, 0, 0},
               {1e300, 0, 0},
               {2147483648.0, -8, -2147483640},
               {-9223372036854775808.0, 0, 0},
               {9223372036854774784.0, -4, -1020}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    sound::ControlValue split = sound::SplitControlValue(c.value);
    EXPECT_EQ(split.command, c.command);
    EXPECT_EQ(split.volume_part, c.volume);
  }
}

TEST_F(SoundGauge, NegativeDigitsPlayOnceAndOddVolumesAreRefusedButRecorded) {
  host.CreateVariable("Sound knob", -7);
  Frame();
  host.SetVariable("Sound knob", 20001);  // -200 dB is beyond DirectSound's range
  Mark();
  Frame();
  EXPECT_EQ(standin::Calls()[mark_], "SetVolume(-20000)");
  EXPECT_EQ(standin::CallCount("Play"), 2);
}

TEST_F(SoundGauge, AllFilesLoadBeforeTheFirstVariableIsRead) {
  host.CreateVariable("Sound toggle switch");
  int opened_at_first_read = -1;
  host.OnHostCall([&](const std::string& line) {
    if (opened_at_first_read < 0 && line.rfind("GetNamedVariable", 0) == 0)
      opened_at_first_read = standin::LiveBuffers();
  });
  Frame();
  EXPECT_EQ(opened_at_first_read, 28);
  EXPECT_EQ(standin::CallCount("mmioOpenA"), 28);
  EXPECT_EQ(standin::OpenFiles(), 0);
}

TEST_F(SoundGauge, MissingVariablesAreLookedUpOnEveryService) {
  Frame(3);
  EXPECT_EQ(TraceCount("FindNamedVariable"), 3 * 28);
  host.CreateVariable("Sound lever", 0);
  Frame(2);
  EXPECT_EQ(TraceCount("FindNamedVariable(\"Sound lever\")"), 4);
  EXPECT_EQ(TraceCount("GetNamedVariable"), 2);
}

TEST_F(SoundGauge, SteadyStateCostsOneReadPerSlot) {
  for (const sound::SoundSlot* s = sound::SoundTable; s->variable_name; ++s)
    host.CreateVariable(s->variable_name);
  Frame();
  int before = host.host_calls();
  Frame();
  EXPECT_EQ(host.host_calls() - before, 28);
}

TEST_F(SoundGauge, AFailingDeviceCreationSwitchesSoundOffForGood) {
  ExpectSoundOffAfterFailing("DirectSoundCreate");
}

TEST_F(SoundGauge, AFailingCooperativeLevelSwitchesSoundOffForGood) {
  ExpectSoundOffAfterFailing("SetCooperativeLevel");
  EXPECT_EQ(standin::CallCount("IDirectSound::Release"), 1);
}

TEST_F(SoundGauge, TeardownHandsOffTheRadiosBeforeReleasingEverything) {
  host.CreateVariable("Sound gear warning", 2);
  Frame();
  int buffers_at_first_event = -1;
  host.OnHostCall([&](const std::string& line) {
    if (buffers_at_first_event < 0 && line.rfind("TriggerEvent", 0) == 0)
      buffers_at_first_event = standin::LiveBuffers();
  });
  sound()->callback(sound(), 12, 0);
  EXPECT_EQ(buffers_at_first_event, 28);
  EXPECT_EQ(standin::LiveBuffers(), 0);
  EXPECT_EQ(standin::LiveDevices(), 0);
  EXPECT_EQ(standin::CallCount("Stop"), 0);  // released while playing
  Frame();
  EXPECT_EQ(standin::CallCount("DirectSoundCreate"), 1);
}

TEST_F(SoundGauge, TeardownBeforeTheFirstServiceMeansSoundNeverStarts) {
  host.CreateVariable("Sound click", 1);
  sound()->callback(sound(), 12, 0);
  EXPECT_GT(TraceCount("TriggerEvent"), 0);
  Frame(2);
  EXPECT_EQ(standin::CallCount("DirectSoundCreate"), 0);
  EXPECT_EQ(TraceCount("GetNamedVariable(\""), 0);
}

TEST_F(SoundGauge, AFailedPlayReloadsOnceAndPlaysAtTheRecordedVolume) {
  host.CreateVariable("Sound gun", 3002);
  Frame();  // start-up and the first play
  standin::FailCall("Play", standin::CallCount("Play") + 1);
  host.SetVariable("Sound gun", 3001);
  Mark();
  Frame();
  Calls calls = CallsSinceMark();
  EXPECT_EQ(calls.front(), "Play(0, 0, 0x0)");
  EXPECT_EQ(calls[1], "Release()");
  EXPECT_EQ(calls[2], "mmioOpenA(Sound\\KV3_R40\\gun.wav, 0x10000)");
  EXPECT_EQ(calls[calls.size() - 2], "SetVolume(-3000)");
  EXPECT_EQ(calls.back(), "Play(0, 0, 0x0)");
}

TEST_F(SoundGauge, AMissingFileCostsOneOpenPerCommandAndResetsItsVariable) {
  std::filesystem::remove(SoundFolder::PathOf("latch.wav"));
  host.CreateVariable("Sound latch", 1);
  Frame();
  EXPECT_EQ(standin::CallCount("mmioOpenA"), 29);
  EXPECT_EQ(host.Variable("Sound latch"), 1);
  Frame();
  EXPECT_EQ(host.Variable("Sound latch"), 0);
  EXPECT_EQ(standin::CallCount("mmioOpenA"), 29);
}

TEST_F(SoundGauge, WithoutTheHostWindowTheDesktopWindowIsUsed) {
  Frame();
  EXPECT_EQ(standin::Calls()[1], "SetCooperativeLevel(0x10010, 0x1)");
}

// The mix the stand-in records: a loop at 2002 sounds at a tenth of the amplitude of 2.
TEST_F(SoundGauge, AttenuationReachesTheMix) {
  auto peak = [&](double value) {
    host.SetVariable("Sound gear warning", value);
    Frame();
    standin::StartRecording();
    Frame(4);
    std::vector<int16_t> mix = standin::TakeRecording();
    int top = 0;
    for (int16_t s : mix) top = std::max(top, std::abs(int{s}));
    return top;
  };
  host.CreateVariable("Sound gear warning");
  double loud = peak(2), quiet = peak(2002);
  EXPECT_NEAR(loud, 8000, 2);
  EXPECT_NEAR(20 * std::log10(quiet / loud), -20.0, 0.5);
  EXPECT_EQ(peak(0), 0);
}

}  // namespace
