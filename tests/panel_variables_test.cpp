// The checks on the panel's use of the module's variables: which names are the module's or
// near misses of them, which units are the module's, and what the traffic gauge and the
// module's two gauge lines make of the names a panel's scripts use.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench/panels/checks/module_variables.h"
#include "bench/panels/checks/panel_checks.h"
#include "tests/panel_folder.h"

namespace {

using namespace bench::panels;

TEST(ModuleVariables, NearMissesNameTheModulesSpelling) {
  struct Case {
    const char* written;
    const char* module;  // nullptr: none of the module's
    bool exact;
  } cases[] = {
      {"Sound knob", "Sound knob", true},
      {"NAV2 frequency", "NAV2 frequency", true},  // one digit from NAV1, and exactly NAV2
      {"ATC traffic dist", "ATC traffic dist", true},
      {"sound knob", "Sound knob", false},
      {"Sound_toggle_switch", "Sound toggle switch", false},
      {"Sound knob ", "Sound knob", false},
      {"Sound toggle swich", "Sound toggle switch", false},
      {"ATC trafic update", "ATC traffic update", false},
      {"COM1 frequncy", "COM1 frequency", false},
      {"NAV3 frequency", nullptr, false},  // a radio of the panel's own
      {"Sound gun 2", nullptr, false},     // a short name needs a closer hit
      {"Panel lamp", nullptr, false},
  };
  for (const Case& c : cases) {
    bool exact = !c.exact;
    const ModuleVariable* found = FindModuleVariable(c.written, &exact);
    ASSERT_EQ(found != nullptr, c.module != nullptr) << c.written;
    if (!found) continue;
    EXPECT_STREQ(found->name, c.module) << c.written;
    EXPECT_EQ(exact, c.exact) << c.written;
  }
}

TEST(ModuleVariables, UnitsMatchUnderAnyOfTheirNames) {
  struct Case {
    const char* written;
    const char* module;
    bool same;
  } cases[] = {
      {"enum", "ENUM", true},
      {"Number", "ENUM", true},
      {"mhz", "MHz", true},
      {"metres", "METERS", true},
      {"Nautical Miles", "NMILES", true},
      {"degree", "DEGREES", true},
      {"bool", "ENUM", false},
      {"", "ENUM", false},
      {"KHz", "MHz", false},
      {"feet", "METERS", false},
      {"radians", "DEGREES", false},
  };
  for (const Case& c : cases) EXPECT_EQ(SameUnits(c.written, c.module), c.same) << c.written;
}

// The findings of the variable and module-line checks on a one-gauge panel.
std::vector<Finding> Check(const std::string& cfg_lines, const std::string& gauge_xml) {
  PanelFolder sim;
  sim.Write("P/panel/panel.cfg", "[Window00]\ngauge00=G!Scripts, 0, 0\n" + cfg_lines);
  sim.Write("P/panel/G/Scripts.xml", gauge_xml);
  Panel panel = LoadPanel(sim.Path("P"), {});
  std::vector<ScriptReference> references = CheckScripts(&panel);
  panel.findings.clear();  // the module lines load nothing here: no module in the folder
  CheckVariables(references, &panel);
  CheckModuleLines(references, &panel);
  return panel.findings;
}

std::string Update(const std::string& script) {
  return "<Gauge Name='Scripts'><Update>" + script + "</Update></Gauge>";
}

const char* const kTrafficLine = "gauge01=KV3_Pelk!TrafficInfo, 0,0,1,1, 016010\n";

TEST(TrafficNames, TheGaugeIsToldWhatThePanelLeavesOut) {
  const std::string count = "(L:ATC traffic update, enum) ++ (>L:ATC traffic update, enum) ";
  struct Case {
    std::string script;
    Severity severity;
    const char* says;  // nullptr: nothing to say
  } cases[] = {
      {"(L:Other, enum)", Severity::kWarning, "switches itself off when it first runs"},
      {count, Severity::kWarning, "its runs only reset \"ATC traffic update\""},
      {count + "(L:ATC traffic dir, degrees)", Severity::kWarning,
       "names \"ATC traffic dir\" but not \"ATC traffic state\""},
      {count + "(L:ATC traffic state, enum) (L:ATC traffic dir, degrees)", Severity::kNote,
       "never names \"ATC traffic dist\", \"ATC traffic alt\", so the traffic gauge never "
       "writes them"},
      {count + "(L:ATC traffic state, enum) (L:ATC traffic dir, degrees) "
               "(L:ATC traffic dist, nmiles) (L:ATC traffic alt, meters)",
       Severity::kNote, nullptr},
  };
  for (const Case& c : cases) {
    std::vector<Finding> findings = Check(kTrafficLine, Update(c.script));
    if (!c.says) {
      EXPECT_TRUE(findings.empty()) << c.script << "\n" << findings[0].message;
      continue;
    }
    ASSERT_EQ(findings.size(), 1u) << c.script;
    EXPECT_EQ(findings[0].line, 3);  // the TrafficInfo line
    EXPECT_EQ(findings[0].severity, c.severity);
    EXPECT_NE(findings[0].message.find(c.says), std::string::npos) << findings[0].message;
  }
}

TEST(ModuleLines, AModuleVariableWithoutItsGaugeLineIsReportedOnceWhereFirstUsed) {
  std::vector<Finding> findings =
      Check("", Update("\n0 (>L:Sound knob, enum)\n(L:Sound horn, enum) (L:COM1 frequency, MHz)\n"
                       "(L:ATC traffic update, enum)"));
  ASSERT_EQ(findings.size(), 2u);
  EXPECT_EQ(findings[0].line, 2);
  EXPECT_NE(findings[0].message.find("KV3_Pelk!XMLSound, which no gauge line loads"),
            std::string::npos);
  EXPECT_EQ(findings[1].line, 4);
  EXPECT_NE(findings[1].message.find("KV3_Pelk!TrafficInfo, which no gauge line loads"),
            std::string::npos);
}

TEST(OneShots, OnlyThoseWrittenOnEveryCycleAreReported) {
  std::vector<Finding> findings =
      Check("gauge01=KV3_Pelk!XMLSound, 0,0,1,1\n",
            "<Gauge Name='Scripts'>\n"
            "<Update>2 (&gt;L:Sound horn, enum) 0 (&gt;L:Sound knob, enum) "
            "(L:x, bool) if{ 1 (&gt;L:Sound knob, enum) }</Update>\n"
            "<Element><Visible>1 (&gt;L:Sound latch, enum) 1</Visible></Element>\n"
            "<Mouse><Area><Click>1 (&gt;L:Sound button, enum)</Click></Area></Mouse>\n"
            "</Gauge>");
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_EQ(findings[0].line, 3);
  EXPECT_NE(findings[0].message.find("\"Sound latch\" is set to play once"), std::string::npos);
}

}  // namespace
