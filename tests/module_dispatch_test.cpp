// How host calls reach the gauges: standard routines, service codes and a missing table.
#include <string>
#include <vector>

#include "tests/loaded_module.h"

namespace {

class Dispatch : public LoadedModuleTest {
 protected:
  void SetUp() override {
    LoadedModuleTest::SetUp();
    host.NameElement(sound()->elements[0], "XMLSound");
    host.NameElement(traffic()->elements[0], "TrafficInfo");
  }
};

TEST_F(Dispatch, EachStandardRoutineForwardsItsOwnGaugesElement) {
  for (GaugeHeader* gauge : {sound(), traffic()}) {
    std::string element = std::string("element of ") + gauge->name;
    host.SetElementResult(7);
    size_t first = host.trace().size();
    EXPECT_EQ(gauge->query(), 7);
    EXPECT_EQ(gauge->install(0xDEADBEEF), 7);
    EXPECT_EQ(gauge->initialize(), 7);
    host.SetElementResult(-3);
    EXPECT_EQ(gauge->update(), -3);
    EXPECT_EQ(gauge->generate(42), -3);
    EXPECT_EQ(gauge->plot(), -3);
    EXPECT_EQ(gauge->kill(), -3);
    std::vector<std::string> calls(host.trace().begin() + first, host.trace().end());
    EXPECT_EQ(calls, (std::vector<std::string>{
                         "ElementListQuery(" + element + ") -> 7",
                         "ElementListInstall(" + element + ", 0xDEADBEEF) -> 7",
                         "ElementListInitialize(" + element + ") -> 7",
                         "ElementListUpdate(" + element + ") -> -3",
                         "ElementListGenerate(" + element + ", 0x2A) -> -3",
                         "ElementListPlot(" + element + ") -> -3",
                         "ElementListKill(" + element + ") -> -3",
                     }));
  }
}

TEST_F(Dispatch, ServiceCodesTheGaugesDoNotHandleMakeNoHostCall) {
  for (int32_t code = -1; code <= 17; ++code) {
    if (code == 6 || code == 10 || code == 12) continue;
    sound()->callback(sound(), code, 0);
    traffic()->callback(traffic(), code, 0);
  }
  EXPECT_EQ(host.host_calls(), 0);
}

TEST_F(Dispatch, WithoutTheHostsTableEveryEntryDoesNothing) {
  module.import_table()->services.table = nullptr;
  for (GaugeHeader* gauge : {sound(), traffic()}) {
    for (int32_t code : {6, 10, 12}) gauge->callback(gauge, code, 0);
    EXPECT_EQ(gauge->query(), 0);
    EXPECT_EQ(gauge->install(1), 0);
    EXPECT_EQ(gauge->kill(), 0);
  }
  EXPECT_EQ(host.host_calls(), 0);
}

}  // namespace
