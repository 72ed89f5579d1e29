// Every platform call of a panel session failed at each of its occurrences, once and from then
// on. The session plays a one-shot, loops, changes volumes, stops, tears down and loads the
// module again. Whatever fails, nothing crashes or stays open, a one-shot that could not play
// has its variable back at 0 one service later, and a volume part that DirectSound refused
// stays recorded, so it is not sent again.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "bench/host/frame_loop.h"
#include "bench/host/host_emulator.h"
#include "bench/host/module_loader.h"
#include "sound/sound_slots.h"
#include "tests/sound_folder.h"

namespace {

constexpr uint32_t kFrameAudio = standin::kMixRate / 18;
const char* const kOneShot = "Sound toggle switch";
const char* const kLoop = "Sound gear warning";
const char* const kQuiet = "Sound knob";  // only its volume part ever changes

// Every call the module makes that can fail; Release has no failure to give.
const char* const kSwept[] = {"DirectSoundCreate",
                              "SetCooperativeLevel",
                              "CreateSoundBuffer",
                              "Lock",
                              "Unlock",
                              "Play",
                              "Stop",
                              "SetCurrentPosition",
                              "GetStatus",
                              "SetVolume",
                              "mmioOpenA",
                              "mmioDescend",
                              "mmioRead",
                              "mmioSeek",
                              "mmioGetInfo",
                              "mmioAdvance",
                              "mmioSetInfo",
                              "mmioClose"};

struct Failure {
  std::string function;
  int nth;
  standin::Repeat repeat;
  bool Hits(const std::string& call, int occurrence) const {
    return call == function &&
           (occurrence == nth || (repeat == standin::Repeat::kFromThenOn && occurrence > nth));
  }
};

class SweptSession {
 public:
  explicit SweptSession(const Failure& failure) : failure_(failure) {}
  // What broke the protocol, one line each.
  std::vector<std::string> Run() {
    for (load_ = 1; load_ <= 2; ++load_) RunOneLoad();
    return problems_;
  }

 private:
  void RunOneLoad() {
    bench::HostEmulator host;
    host_ = &host;
    {
      std::unique_ptr<bench::LoadedModule> module = bench::LoadIntoHost(host, KV3_MODULE_PATH);
      if (!module->loaded()) return Problem("the module did not load: " + module->error());
      gauge_ = module->linkage()->gauges[0];
      table_ = static_cast<sound::SoundSlot*>(module->Symbol("_ZN5sound10SoundTableE"));
      device_ = static_cast<sound::SoundDevice*>(module->Symbol("_ZN5sound6DeviceE"));
      for (const char* name : {kOneShot, kLoop, kQuiet}) host.CreateVariable(name);
      Frame();  // start-up: the device and every file
      OneShot();
      host.SetVariable(kLoop, 2002);
      Frame(3);
      ChangeVolume(kLoop, 3002);
      ChangeVolume(kQuiet, 20000);  // -200 dB, beyond what DirectSound takes
      host.SetVariable(kLoop, 0);
      Frame();
      OneShot();
      if (!On()) ExpectVariablesUnread();
      gauge_->callback(gauge_, 12, 0);
      ExpectNothingOpen("after the teardown");
    }
    ExpectNothingOpen("after the module was unloaded");
  }

  void Frame(int count = 1) {
    for (int i = 0; i < count; ++i) {
      gauge_->callback(gauge_, 6, 0);
      if (standin::OpenFiles() != 0) Problem("a file was left open after a service");
      standin::AdvanceAudio(kFrameAudio);
    }
  }

  // A device that could not be created or set up leaves the sound off for the module's life.
  bool On() const { return device_ && device_->state == 1; }
  void ExpectVariablesUnread() {
    for (const std::string& line : host_->trace())
      if (line.rfind("GetNamedVariable", 0) == 0)
        return Problem("a sound that is off read " + line);
  }

  void OneShot() {
    host_->SetVariable(kOneShot, 1);
    int plays_before = standin::CallCount("Play");
    Frame();
    if (!On()) return;
    bool played = false;
    for (int k = plays_before + 1; k <= standin::CallCount("Play"); ++k)
      played = played || !failure_.Hits("Play", k);
    Frame();
    if (!played && host_->Variable(kOneShot) != 0)
      Problem("a one-shot that could not play was not back at 0 one service later");
    for (int i = 0; i < 4 && host_->Variable(kOneShot) != 0; ++i) Frame();
    if (host_->Variable(kOneShot) != 0) Problem("a one-shot never returned to 0");
  }

  void ChangeVolume(const char* name, int32_t value) {
    host_->SetVariable(name, value);
    Frame();
    if (!On()) return;
    const sound::SoundSlot* slot = Slot(name);
    if (!slot || slot->volume_part != value - value % 10)
      Problem(std::string("the volume part of \"") + name + "\" was not recorded");
    // A loop found not playing has its variable written back to 0, volume part included.
    if (host_->Variable(name) != value) return;
    const std::string call = "SetVolume(" + std::to_string(-(value - value % 10)) + ")";
    auto sent = [&] { return std::count(standin::Calls().begin(), standin::Calls().end(), call); };
    auto before = sent();
    Frame();
    if (sent() != before)
      Problem(std::string("the recorded volume part of \"") + name + "\" was sent again");
  }

  const sound::SoundSlot* Slot(const std::string& name) const {
    for (const sound::SoundSlot* s = table_; s && s->variable_name; ++s)
      if (name == s->variable_name) return s;
    return nullptr;
  }

  void ExpectNothingOpen(const std::string& when) {
    if (standin::OpenFiles() || standin::LiveBuffers() || standin::LiveDevices())
      Problem(when + ": " + std::to_string(standin::OpenFiles()) + " files, " +
              std::to_string(standin::LiveBuffers()) + " buffers, " +
              std::to_string(standin::LiveDevices()) + " devices still open");
  }

  void Problem(const std::string& what) {
    problems_.push_back("load " + std::to_string(load_) + ": " + what);
  }

  Failure failure_;
  std::vector<std::string> problems_;
  int load_ = 0;
  bench::HostEmulator* host_ = nullptr;
  GaugeHeader* gauge_ = nullptr;
  sound::SoundSlot* table_ = nullptr;
  sound::SoundDevice* device_ = nullptr;
};

// Three slots have files; the other 25 are missing, which costs one open attempt each.
class SweptFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    SoundFolder::Write("toggle_switch.wav", SoundFolder::Tone(8000));
    SoundFolder::Write("knob.wav", SoundFolder::Tone(8000));
    // Longer than mmio's 8 KB read buffer, so the copy refills it.
    SoundFolder::Write("gear_warn.wav", SoundFolder::Tone(8000, 5 * SoundFolder::kFrames));
  }
  // The session without failures; the calls it made, by name.
  static std::vector<std::string> CleanRunCalls() {
    standin::ResetPlatform();
    std::vector<std::string> problems = SweptSession({"", 0, standin::Repeat::kOnce}).Run();
    EXPECT_EQ(problems, std::vector<std::string>());
    std::vector<std::string> names;
    for (const std::string& call : standin::Calls())
      names.push_back(call.substr(0, call.find('(')));
    return names;
  }
  SoundFolder folder;
};

class PlatformFaultSweep : public SweptFolder, public ::testing::WithParamInterface<const char*> {};

TEST_P(PlatformFaultSweep, EveryOccurrenceFailedOnceAndFromThenOnIsAbsorbed) {
  const std::string function = GetParam();
  CleanRunCalls();
  const int occurrences = standin::CallCount(function);
  ASSERT_GT(occurrences, 0) << "the session never calls " << function;
  for (int nth = 1; nth <= occurrences; ++nth) {
    for (standin::Repeat repeat : {standin::Repeat::kOnce, standin::Repeat::kFromThenOn}) {
      standin::ResetPlatform();
      standin::FailCall(function, nth, repeat);
      for (const std::string& problem : SweptSession({function, nth, repeat}).Run())
        ADD_FAILURE() << function << " failing at call " << nth
                      << (repeat == standin::Repeat::kOnce ? " once" : " and after") << ": "
                      << problem;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Calls, PlatformFaultSweep, ::testing::ValuesIn(kSwept),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           return std::string(info.param);
                         });

// A call that a later change adds to the session is swept too, or this fails.
using PlatformSweepCoverage = SweptFolder;

TEST_F(PlatformSweepCoverage, TheSweepReachesEveryCallTheSessionMakes) {
  std::set<std::string> swept(std::begin(kSwept), std::end(kSwept));
  swept.insert({"Release", "IDirectSound::Release"});
  for (const std::string& name : CleanRunCalls())
    EXPECT_TRUE(swept.count(name)) << name << " is not swept";
}

}  // namespace
