// What the sound gauge's teardown sends to the host's radios.
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "tests/loaded_module.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

class RadioHandoff : public LoadedModuleTest {
 protected:
  // Module variable 109 in range, so only the radios and the fixed events are sent.
  void SetUp() override {
    LoadedModuleTest::SetUp();
    host.SetModuleVariable(109, 500);
  }
  std::vector<std::string> Events() {
    std::vector<std::string> events;
    for (const std::string& line : host.trace())
      if (line.rfind("TriggerEvent", 0) == 0) events.push_back(line);
    return events;
  }
  std::vector<std::string> EventsSince(size_t first) {
    std::vector<std::string> events = Events();
    return std::vector<std::string>(events.begin() + first, events.end());
  }
  std::vector<std::string> TeardownEvents() {
    sound()->callback(sound(), 12, 0);
    return Events();
  }
};

const std::vector<std::string> kFixed = {"TriggerEvent(0x101AA, 0x1)", "TriggerEvent(0x103DB, 0x1)",
                                         "TriggerEvent(0x10408, 0x1)",
                                         "TriggerEvent(0x10410, 0x1)"};

struct FrequencyCase {
  double mhz;
  const char* sent;  // null: nothing sent for the radio
};

TEST_F(RadioHandoff, FrequenciesBecomePackedDecimalEvents) {
  // 118.49991 and 118.49989 lie either side of the 0.1 kHz allowance below 118.500.
  const FrequencyCase cases[] = {
      {128.20, "0x12820"},      {128.25, "0x12825"},    {136.975, "0x13697"},
      {118.4999999, "0x11850"}, {118.49991, "0x11850"}, {118.49989, "0x11849"},
      {108.00, "0x10800"},      {107.0009, "0x10700"},  {107.0, nullptr},
      {0.0, nullptr},           {kNaN, nullptr},        {-120.0, nullptr},
      {1e300, "0x0"},
  };
  host.CreateVariable("NAV1 frequency");
  for (const FrequencyCase& c : cases) {
    SCOPED_TRACE(c.mhz);
    host.SetVariable("NAV1 frequency", c.mhz);
    size_t before = Events().size();
    sound()->callback(sound(), 12, 0);
    std::vector<std::string> sent = EventsSince(before);
    std::vector<std::string> expected = kFixed;
    if (c.sent)
      expected.insert(expected.begin(), std::string("TriggerEvent(0x100AC, ") + c.sent + ")");
    EXPECT_EQ(sent, expected);
  }
}

TEST_F(RadioHandoff, RadiosInTableOrderThenFixedEventsThenTheCheckedOne) {
  host.SetModuleVariable(109, 50);
  host.SetModuleVariable(74, 500);
  host.CreateVariable("NAV2 frequency", 110.5);
  host.CreateVariable("COM2 frequency", 121.5);
  host.CreateVariable("COM1 frequency", 118.0);
  host.CreateVariable("NAV1 frequency", 109.1);
  std::vector<std::string> expected = {
      "TriggerEvent(0x100AC, 0x10910)", "TriggerEvent(0x100AB, 0x11800)",
      "TriggerEvent(0x1038A, 0x12150)", "TriggerEvent(0x100AD, 0x11050)"};
  expected.insert(expected.end(), kFixed.begin(), kFixed.end());
  expected.push_back("TriggerEvent(0x1024C, 0x3E8)");
  EXPECT_EQ(TeardownEvents(), expected);
  // Every read used the units id the module asked for "MHz".
  for (const std::string& line : host.trace()) {
    if (line.rfind("GetNamedVariable", 0) == 0) {
      EXPECT_NE(line.find("\"MHz\")"), std::string::npos) << line;
    }
  }
}

struct ModuleVariableCase {
  double checked, value;
  const char* sent;
};

TEST_F(RadioHandoff, ModuleVariable109OutOfRangeSendsVariable74) {
  const ModuleVariableCase cases[] = {
      {50, 500, "0x3E8"},         {5000, 500, nullptr}, {100, 500, nullptr}, {99000, 500, nullptr},
      {99000.5, 2500.7, "0x9C4"}, {kNaN, 500, nullptr}, {50, kNaN, "0x0"},   {-1, 1e300, "0x0"},
  };
  for (const ModuleVariableCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.checked << " " << c.value);
    host.SetModuleVariable(109, c.checked);
    host.SetModuleVariable(74, c.value);
    size_t before = Events().size();
    sound()->callback(sound(), 12, 0);
    std::vector<std::string> sent = EventsSince(before + kFixed.size());
    std::vector<std::string> expected;
    if (c.sent) expected.push_back(std::string("TriggerEvent(0x1024C, ") + c.sent + ")");
    EXPECT_EQ(sent, expected);
  }
}

TEST_F(RadioHandoff, AbsentVariablesAreLookedUpOnEveryTeardownAndSendNothing) {
  EXPECT_EQ(TeardownEvents(), kFixed);
  host.CreateVariable("COM1 frequency", 122.8);
  sound()->callback(sound(), 12, 0);
  EXPECT_EQ(Events().size(), 2 * kFixed.size() + 1);
  EXPECT_EQ(Events()[kFixed.size()], "TriggerEvent(0x100AB, 0x12280)");
}

}  // namespace
