// panel.cfg as panel authors write it: comments after values, spacing, any case, empty fields,
// sub-folder paths; and the keys the host would skip, kept with their lines for the checks.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "bench/panels/panel_cfg.h"

namespace {

using namespace bench::panels;

const std::optional<int> kNone;

struct LineCase {
  const char* value;
  const char* file;
  const char* gauge;
  std::optional<int> x, y, width, height;
  std::optional<std::string> parameter;
};

TEST(PanelCfg, GaugeLinesSplitIntoTheirFields) {
  const LineCase cases[] = {
      {"Switches!Battery, 10, 20", "Switches", "Battery", 10, 20, kNone, kNone, std::nullopt},
      {"Switches!Battery,\t10 ,20 , 30", "Switches", "Battery", 10, 20, 30, kNone, std::nullopt},
      {"KV3_Pelk!TrafficInfo, 0,0,1,1, 8020", "KV3_Pelk", "TrafficInfo", 0, 0, 1, 1, "8020"},
      {"KV3_Pelk!TrafficInfo,0,0,1,1,", "KV3_Pelk", "TrafficInfo", 0, 0, 1, 1, ""},
      {"LVLD\\B767 eicas!EICAS Upper, 221,,, ,FO, x", "LVLD\\B767 eicas", "EICAS Upper", 221, kNone,
       kNone, kNone, "FO, x"},
      {"Radio Stack ! Com One", "Radio Stack", "Com One", kNone, kNone, kNone, kNone, std::nullopt},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.value);
    std::vector<Finding> findings;
    PanelCfg cfg = ReadPanelCfg(std::string("[Window00]\ngauge00=") + c.value + "\n", "p", &findings);
    ASSERT_EQ(cfg.windows.size(), 1u);
    ASSERT_EQ(cfg.windows[0].gauges.size(), 1u);
    const GaugeLine& line = cfg.windows[0].gauges[0];
    EXPECT_EQ(line.file, c.file);
    EXPECT_EQ(line.gauge, c.gauge);
    EXPECT_EQ(line.x, c.x);
    EXPECT_EQ(line.y, c.y);
    EXPECT_EQ(line.width, c.width);
    EXPECT_EQ(line.height, c.height);
    EXPECT_EQ(line.parameter, c.parameter);
    EXPECT_TRUE(findings.empty());
  }
}

TEST(PanelCfg, WindowsComeInAnyCaseWithCommentsAndSpacing) {
  const char* text =
      "\xEF\xBB\xBF// the panel\r\n"
      "[Window Titles]\r\n"
      "window00 = Main ; the title\r\n"
      "\r\n"
      "[WINDOW00]\r\n"
      "  size_mm\t=\t640,480   // a comment after a value\r\n"
      "gauge00 =  Switches!Battery , 1 , 2   ; and this one\r\n"
      "guage01=Switches!Battery, 3, 4\r\n"
      "Gauge02=Switches!Lights, 5, 6\r\n"
      "[vcockpit01]\r\n"
      "texture=$VC01\r\n"
      "gauge00=KV3_Pelk!XMLSound, 0,0,1,1\r\n"
      "[Views]\r\n"
      "gauge00=not a window's gauge\r\n";
  std::vector<Finding> findings;
  PanelCfg cfg = ReadPanelCfg(text, "panel.cfg", &findings);
  EXPECT_TRUE(findings.empty());
  ASSERT_EQ(cfg.windows.size(), 2u);
  const PanelWindow& main = cfg.windows[0];
  EXPECT_EQ(main.name, "WINDOW00");
  EXPECT_EQ(main.line, 5);
  EXPECT_EQ(main.title, "Main");
  EXPECT_FALSE(main.virtual_cockpit);
  ASSERT_EQ(main.gauges.size(), 2u);  // the misspelt key loads nothing...
  EXPECT_EQ(main.gauges[0].line, 7);
  EXPECT_EQ(main.gauges[1].key, "Gauge02");
  const IniSection& keys = cfg.ini.sections[main.section];  // ...but is kept for the checks
  ASSERT_NE(keys.Key("guage01"), nullptr);
  EXPECT_EQ(keys.Key("guage01")->line, 8);
  EXPECT_EQ(keys.Key("SIZE_MM")->value, "640,480");
  EXPECT_TRUE(cfg.windows[1].virtual_cockpit);
  EXPECT_EQ(cfg.windows[1].gauges[0].Name(), "KV3_Pelk!XMLSound");
}

TEST(PanelCfg, AnAliasIsReadFromTheFltsimSection) {
  std::vector<Finding> findings;
  PanelCfg cfg = ReadPanelCfg("// alias only\n[FltSim]\nAlias = Trainer\\panel // the trainer's\n",
                              "p", &findings);
  EXPECT_EQ(cfg.alias, "Trainer\\panel");
  EXPECT_EQ(cfg.alias_line, 3);
  EXPECT_TRUE(cfg.windows.empty());
}

struct ProblemCase {
  const char* text;
  int line;
  const char* says;
};

TEST(PanelCfg, LinesTheHostWouldSkipAreFindingsOnTheirLines) {
  const ProblemCase cases[] = {
      {"[Window00]\ngauge00=Switches Battery, 1, 2\n", 2, "names no gauge; write FILE!GAUGE"},
      {"[Window00]\ngauge00=!Battery, 1, 2\n", 2, "names no gauge"},
      {"[Window00]\ngauge00=A!B, 1, 2x\n", 2, "the y '2x' is not a whole number"},
      {"[Window00]\ngauge00=A!B, 1, 2\n\ngauge00=A!C, 1, 2\n", 4, "gauge00= in [Window00] is given twice (first on line 2)"},
      {"[Window00]\n[window00]\n", 2, "[window00] is given twice (first on line 1)"},
      {"gauge00=A!B, 1, 2\n[Window00]\n", 1, "stands before any [section]"},
      {"[Window00]\ngauge00 A!B, 1, 2\n", 2, "is not a name=value line"},
      {"[Window00]\n[Window01\n", 2, "is not a name=value line"},
  };
  for (const ProblemCase& c : cases) {
    SCOPED_TRACE(c.text);
    std::vector<Finding> findings;
    ReadPanelCfg(c.text, "panel.cfg", &findings);
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].line, c.line);
    EXPECT_NE(findings[0].message.find(c.says), std::string::npos) << findings[0].message;
  }
}

}  // namespace
