// From an aircraft folder to its resolved gauge lines: panel variants, aliases, names in any
// case, and where each FILE!GAUGE is found (module, folder, cabinet; panel, then Gauges).
#include "tests/panel_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench/panels/formats/cabinet.h"
#include "bench/panels/panel.h"

namespace {

using namespace bench::panels;

const std::string kPanels = KV3_SOURCE_DIR "/tests/panels/";
const char* const kGaugeXml = "<Gauge Name='g'><Update>1 (&gt;L:x, number)</Update></Gauge>";

bool Says(const Panel& panel, Severity severity, const std::string& words, int line = -1) {
  for (const Finding& f : panel.findings)
    if (f.severity == severity && f.message.find(words) != std::string::npos &&
        (line < 0 || f.line == line))
      return true;
  return false;
}

std::string Ends(const std::string& path, size_t n) { return path.substr(path.size() - n); }

TEST(Cabinet, MembersAreFoundInAnyCaseAcrossDataBlocks) {
  std::string large(70000, 'x');
  for (size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>('a' + i % 26);
  std::string cabinet =
      Cabinet({{"Battery.xml", "<Gauge/>"}, {"big.bmp", large}, {"Lights.XML", "L"}});
  std::string bytes, error;
  EXPECT_EQ(ReadCabinetMember(cabinet, "battery.XML", &bytes, &error), CabinetRead::kRead);
  EXPECT_EQ(bytes, "<Gauge/>");
  EXPECT_EQ(ReadCabinetMember(cabinet, "BIG.bmp", &bytes, &error), CabinetRead::kRead);
  EXPECT_EQ(bytes, large);
  EXPECT_EQ(ReadCabinetMember(cabinet, "Lights.xml", &bytes, &error), CabinetRead::kRead);
  EXPECT_EQ(bytes, "L");
  EXPECT_EQ(ReadCabinetMember(cabinet, "Radio.xml", &bytes, &error), CabinetRead::kNoMember);
}

TEST(Cabinet, ADamagedCabinetSaysWhy) {
  std::string good = Cabinet({{"Battery.xml", std::string(40000, 'b')}});
  struct Case {
    std::string bytes;
    const char* says;
  } cases[] = {
      {"<Gauge/>", "not a cabinet"},
      {"", "not a cabinet"},
      {good.substr(0, 30), "not a cabinet"},
      {good.substr(0, good.size() - 100), "damaged or cut short"},
  };
  for (const Case& c : cases) {
    std::string bytes, error;
    EXPECT_EQ(ReadCabinetMember(c.bytes, "Battery.xml", &bytes, &error), CabinetRead::kBroken);
    EXPECT_NE(error.find(c.says), std::string::npos) << error;
  }
}

TEST(PanelFolder, TheLiveryChoosesThePanelVariant) {
  Panel first = LoadPanel(kPanels + "Trainer", {});
  ASSERT_TRUE(first.found);
  EXPECT_EQ(first.fltsim, "fltsim.0");
  EXPECT_EQ(first.variant, "");
  EXPECT_EQ(first.gauges.size(), 7u);
  EXPECT_TRUE(Says(first, Severity::kNote, "use more than one panel", 5));
  Panel second = LoadPanel(kPanels + "Trainer/", {"", "FLTSIM.1"});
  ASSERT_TRUE(second.found);
  EXPECT_EQ(second.variant, "vc");
  EXPECT_EQ(Ends(second.panel_cfg, 18), "panel.vc/panel.cfg");
  ASSERT_EQ(second.gauges.size(), 1u);
  EXPECT_TRUE(second.cfg.windows[0].virtual_cockpit);
  Panel pointed = LoadPanel(kPanels + "Trainer/panel.vc", {});
  EXPECT_EQ(pointed.variant, "vc");
  EXPECT_EQ(pointed.gauges.size(), 1u);
  Panel absent = LoadPanel(kPanels + "Trainer", {"", "fltsim.7"});
  EXPECT_FALSE(absent.found);
  EXPECT_TRUE(Says(absent, Severity::kError, "has no [fltsim.7] section"));
}

TEST(PanelFolder, AnAliasReadsTheOtherAircraftsPanel) {
  Panel panel = LoadPanel(kPanels + "Trainer Float", {});
  ASSERT_TRUE(panel.found);
  ASSERT_EQ(panel.aliases.size(), 1u);
  EXPECT_EQ(Ends(panel.aliases[0], 29), "Trainer Float/panel/panel.cfg");
  EXPECT_EQ(Ends(panel.panel_dir, 14), "/Trainer/panel");
  EXPECT_EQ(panel.gauges.size(), 7u);
  EXPECT_EQ(panel.gauges[0].resolved.target, GaugeTarget::kXmlGauge);
}

TEST(PanelFolder, NamesAreFoundInAnyCase) {
  PanelFolder sim;
  sim.Write("Plane/Aircraft.CFG", "[FLTSIM.0]\nPanel=Two\n");
  sim.Write("Plane/Panel.TWO/PANEL.CFG",
            "[Window00]\ngauge00=Sub Dir\\Lights!Strobe Light, 0, 0\n");
  sim.Write("Plane/Panel.TWO/sub dir/LIGHTS/strobe light.XML", kGaugeXml);
  sim.Write("Float/PANEL/panel.cfg", "[fltsim]\nalias=plane\\panel.two\n");
  for (const char* folder : {"Plane", "Float"}) {
    SCOPED_TRACE(folder);
    Panel panel = LoadPanel(sim.Path(folder), {});
    ASSERT_TRUE(panel.found);
    ASSERT_EQ(panel.gauges.size(), 1u);
    EXPECT_EQ(panel.gauges[0].resolved.target, GaugeTarget::kXmlGauge);
    EXPECT_EQ(Ends(panel.gauges[0].resolved.path, 31), "sub dir/LIGHTS/strobe light.XML");
  }
}

TEST(PanelFolder, WhatIsNotAnAircraftSaysSo) {
  PanelFolder sim;
  sim.Write("Empty/aircraft.cfg", "[fltsim.0]\ntitle=x\n");
  sim.Write("Keyed/aircraft.cfg", "[fltsim.0]\n\npanel=vc\n");
  sim.Write("Keyed/panel/panel.cfg", "[Window00]\n");
  sim.Write("NoCfg/panel/readme.txt", "");
  sim.Write("Lost/panel/panel.cfg", "[fltsim]\n\nalias=Nowhere\\panel\n");
  sim.Write("A/panel/panel.cfg", "[fltsim]\nalias=B\\panel\n");
  sim.Write("B/panel/panel.cfg", "[fltsim]\nalias=A\\PANEL\n");
  sim.Write("File", "");
  std::filesystem::create_symlink("Loop", sim.Path("Loop"));
  struct Case {
    const char* folder;
    std::string file;
    int line;
    const char* says;
  } cases[] = {
      {"Empty", "Empty", 0, "holds no panel folder"},
      {"Keyed", "Keyed/aircraft.cfg", 3, "panel=vc but"},
      {"NoCfg", "NoCfg/panel", 0, "holds no panel.cfg"},
      {"Lost", "Lost/panel/panel.cfg", 3, "alias=Nowhere\\panel names no folder"},
      {"A", "B/panel/panel.cfg", 2, "the aliases lead back to"},
      {"Missing", "Missing", 0, "does not exist; point at an aircraft folder"},
      {"File", "File", 0, "is not a folder; point at an aircraft folder"},
      // The file system's own cause reaches the finding.
      {"Loop", "Loop", 0, "cannot be reached (Too many levels of symbolic links)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    Panel panel = LoadPanel(sim.Path(c.folder), {});
    EXPECT_FALSE(panel.found);
    ASSERT_EQ(panel.findings.size(), 1u);
    EXPECT_EQ(panel.findings[0].severity, Severity::kError);
    EXPECT_EQ(panel.findings[0].file, sim.Path(c.file));
    EXPECT_EQ(panel.findings[0].line, c.line);
    EXPECT_NE(panel.findings[0].message.find(c.says), std::string::npos)
        << panel.findings[0].message;
  }
}

// One gauge line per case, in a simulator whose panel and Gauges folders hold what the case
// says; what it resolves to.
struct ResolveCase {
  const char* what;
  const char* line;                                        // FILE!GAUGE
  std::vector<std::pair<std::string, std::string>> files;  // below the simulator folder
  GaugeTarget target;
  const char* path;  // the end of the resolved path, or words of the reason
};

std::string Cab(const char* member) { return Cabinet({{member, kGaugeXml}}); }

TEST(PanelFolder, GaugeLinesResolveInTheHostsOrder) {
  const std::string xml = kGaugeXml;
  const ResolveCase cases[] = {
      {"a folder",
       "Sw!Bat",
       {{"P/panel/Sw/Bat.xml", xml}},
       GaugeTarget::kXmlGauge,
       "panel/Sw/Bat.xml"},
      {"a cabinet",
       "Sw!Bat",
       {{"P/panel/Sw.cab", Cab("bat.xml")}},
       GaugeTarget::kXmlGauge,
       "panel/Sw.cab/bat.xml"},
      {"the folder wins over the cabinet",
       "Sw!Bat",
       {{"P/panel/Sw/Bat.xml", xml}, {"P/panel/sw.CAB", Cab("Bat.xml")}},
       GaugeTarget::kXmlGauge,
       "panel/Sw/Bat.xml"},
      {"a code module wins over a folder",
       "Sw!Bat",
       {{"P/panel/Sw/Bat.xml", xml}, {"P/panel/Sw.gau", "MZ"}},
       GaugeTarget::kOtherModule,
       "panel/Sw.gau"},
      {"the panel folder before Gauges",
       "Sw!Bat",
       {{"P/panel/Sw.cab", Cab("Bat.xml")}, {"Gauges/Sw/Bat.xml", xml}},
       GaugeTarget::kXmlGauge,
       "panel/Sw.cab/Bat.xml"},
      {"Gauges when the panel has none",
       "Sw!Bat",
       {{"GAUGES/Sw.cab", Cab("Bat.xml")}},
       GaugeTarget::kXmlGauge,
       "GAUGES/Sw.cab/Bat.xml"},
      {"the first place with the name decides",
       "Sw!Bat",
       {{"P/panel/Sw.cab", Cab("Other.xml")}, {"Gauges/Sw/Bat.xml", xml}},
       GaugeTarget::kNothing,
       "the cabinet"},
      {"our module in Gauges",
       "KV3_Pelk!XMLSound",
       {{"Gauges/KV3_Pelk.dll", "MZ"}},
       GaugeTarget::kOurModule,
       "Gauges/KV3_Pelk.dll"},
      {"our module in the panel",
       "kv3_pelk!TrafficInfo",
       {{"P/panel/KV3_Pelk.DLL", "MZ"}},
       GaugeTarget::kOurModule,
       "panel/KV3_Pelk.DLL"},
      {"a gauge our module does not offer",
       "KV3_Pelk!Sound",
       {{"Gauges/KV3_Pelk.dll", "MZ"}},
       GaugeTarget::kNothing,
       "offers the gauges XMLSound and TrafficInfo, not 'Sound'"},
      {"our module nowhere",
       "KV3_Pelk!XMLSound",
       {{"Gauges/readme.txt", ""}},
       GaugeTarget::kNothing,
       "KV3_Pelk.dll is neither in the panel folder"},
      {"nothing of the name",
       "Sw!Bat",
       {{"Gauges/Other/Bat.xml", xml}},
       GaugeTarget::kNothing,
       "no Sw.gau, .dll or .cab and no folder Sw"},
      {"a sub-folder of Gauges",
       "LVLD\\B767oh!OH_CPT",
       {{"Gauges/lvld/B767OH.gau", "MZ"}},
       GaugeTarget::kOtherModule,
       "Gauges/lvld/B767OH.gau"},
      {"a sub-folder is named whole",
       "LVLD\\B767oh!OH_CPT",
       {{"Gauges/LVLD/B767.gau", "MZ"}},
       GaugeTarget::kNothing,
       "no LVLD\\B767oh.gau, .dll or .cab and no folder LVLD\\B767oh"},
      {"a folder without the gauge",
       "Sw!Bat",
       {{"P/panel/Sw/Lights.xml", xml}},
       GaugeTarget::kNothing,
       "holds no Bat.xml"},
      {"a gauge file that is not well-formed",
       "Sw!Bat",
       {{"P/panel/Sw/Bat.xml", "<Gauge>"}},
       GaugeTarget::kNothing,
       "does not load"},
      {"a damaged cabinet",
       "Sw!Bat",
       {{"P/panel/Sw.cab", "MSCF"}},
       GaugeTarget::kNothing,
       "does not load"},
  };
  for (const ResolveCase& c : cases) {
    SCOPED_TRACE(c.what);
    PanelFolder sim;
    sim.Write("P/panel/panel.cfg", std::string("[Window00]\ngauge00=") + c.line + ", 0, 0\n");
    for (const auto& [file, bytes] : c.files) sim.Write(file, bytes);
    Panel panel = LoadPanel(sim.Path("P"), {sim.Path(""), ""});
    ASSERT_TRUE(panel.found);
    ASSERT_EQ(panel.gauges.size(), 1u);
    const Resolution& resolved = panel.gauges[0].resolved;
    EXPECT_EQ(resolved.target, c.target);
    const std::string& shown = c.target == GaugeTarget::kNothing ? resolved.reason : resolved.path;
    EXPECT_NE(shown.find(c.path), std::string::npos) << shown;
    if (c.target == GaugeTarget::kXmlGauge) {
      EXPECT_EQ(panel.xml_gauges[resolved.xml_gauge].name, "g");
    }
  }
}

TEST(PanelFolder, EachProblemIsReportedOnceWhereItLies) {
  PanelFolder sim;
  sim.Write("P/panel/panel.cfg",
            "[Window00]\n"
            "gauge00=Sw!Bat, 0, 0\n"
            "gauge01=Bad!Xml, 0, 0\n"
            "gauge02=Bad!Xml, 0, 0\n"
            "gauge03=Broken!Cab, 0, 0\n"
            "gauge04=KV3_Pelk!xmlsound, 0, 0\n"
            "gauge05=Gone!Gauge, 0, 0\n"
            "[Window01]\n"
            "gauge00=Sw!Bat, 0, 0\n");
  sim.Write("P/panel/Sw/Bat.xml", kGaugeXml);
  sim.Write("P/panel/Sw.cab", Cab("Bat.xml"));
  sim.Write("P/panel/Bad/Xml.xml", "<Gauge>\n<Update>1 & 2</Update></Gauge>");
  sim.Write("P/panel/Broken.cab", "MSCF and then nothing");
  sim.Write("P/panel/KV3_Pelk.dll", "MZ");
  Panel panel = LoadPanel(sim.Path("P"), {});
  ASSERT_TRUE(panel.found);
  EXPECT_FALSE(panel.unreadable);
  EXPECT_EQ(panel.xml_gauges.size(), 1u);  // Sw!Bat, read once for both lines
  EXPECT_EQ(panel.gauges[6].resolved.xml_gauge, 0);
  EXPECT_EQ(panel.gauges[4].resolved.module_gauge, "XMLSound");
  std::vector<std::string> lines;
  SortFindings(&panel.findings);
  for (const Finding& f : panel.findings)
    lines.push_back(FormatFinding(f).substr(sim.Path("").size()));
  const std::vector<std::string> expected = {
      "P/panel/Bad/Xml.xml:2: error: a raw '&'; write &amp; for an ampersand",
      "P/panel/Broken.cab: error: not a cabinet; pack the gauge's files into it again",
      "P/panel/panel.cfg:2: warning: both the folder " + sim.Path("P/panel/Sw") +
          " and the cabinet " + sim.Path("P/panel/Sw.cab") +
          " exist; the bench reads the folder (simulators differ), remove one",
      "P/panel/panel.cfg:6: warning: gauge04: the module spells its gauge XMLSound; write it so",
      "P/panel/panel.cfg:7: note: Gone is not in the panel folder (" + sim.Path("P/panel") +
          "); it may be one of the simulator's gauges: give --sim-root with the simulator's folder "
          "to look in its Gauges folder too",
  };
  EXPECT_EQ(lines, expected);
}

}  // namespace

namespace {

TEST(PanelFolder, AircraftCfgValuesInQuotesAsLaterToolsWriteThem) {
  PanelFolder sim;
  sim.Write("Empty/aircraft.cfg", "[fltsim.0]\r\nPanel=\"\"\r\n");
  sim.Write("Empty/panel/panel.cfg", "[Window00]\n");
  sim.Write("Base/aircraft.cfg", "[fltsim.0]\n\tpanel\t=\t\"base\"   // the base panel\n");
  sim.Write("Base/panel.base/panel.cfg", "[Window00]\n");
  EXPECT_EQ(Ends(LoadPanel(sim.Path("Empty"), {}).panel_cfg, 15), "panel/panel.cfg");
  Panel base = LoadPanel(sim.Path("Base"), {});
  EXPECT_EQ(base.variant, "base");
  EXPECT_EQ(Ends(base.panel_cfg, 20), "panel.base/panel.cfg");
}

TEST(PanelFolder, TheSimulatorFolderIsFoundAboveTheAircraft) {
  PanelFolder sim;
  const std::string plane = "FSX/SimObjects/Airplanes/Plane/";
  sim.Write(
      plane + "panel/panel.cfg",
      "[Window00]\ngauge00=Stock!Clock, 0, 0\ngauge01=Lost!One, 0, 0\ngauge02=Lost!Two, 0, 0\n");
  sim.Write("FSX/Gauges/Stock.gau", "MZ");
  Panel panel = LoadPanel(sim.Path(plane), {});
  EXPECT_EQ(panel.sim_root, sim.Path("FSX"));
  EXPECT_EQ(panel.gauges[0].resolved.target, GaugeTarget::kOtherModule);
  EXPECT_TRUE(Says(panel, Severity::kNote, "the aircraft sits in this simulator folder"));
  // A gauge in neither place is an error once the simulator folder is known; both lines of the
  // module say the same, so the report gives it once with its lines.
  std::vector<GroupedFinding> report = GroupFindings(panel.findings);
  ASSERT_EQ(report.size(), 2u);
  EXPECT_EQ(report[1].first.severity, Severity::kError);
  EXPECT_EQ(report[1].first.line, 3);
  EXPECT_EQ(report[1].more_lines, std::vector<int>{4});
  EXPECT_EQ(Summary(report), "1 error, 0 warnings, 1 note in 2 files");
}

TEST(PanelFolder, WithoutASimulatorFolderAMissingGaugeIsANote) {
  PanelFolder sim;
  // Gauges alone does not make a simulator folder: it takes SimObjects or Aircraft beside it.
  sim.Write("Sim/Planes/Plane/panel/panel.cfg", "[Window00]\ngauge00=Stock!Clock, 0, 0\n");
  sim.Write("Sim/Gauges/Stock.gau", "MZ");
  Panel panel = LoadPanel(sim.Path("Sim/Planes/Plane"), {});
  EXPECT_EQ(panel.sim_root, "");
  ASSERT_EQ(panel.findings.size(), 1u);
  EXPECT_EQ(panel.findings[0].severity, Severity::kNote);
  EXPECT_NE(panel.findings[0].message.find("give --sim-root"), std::string::npos);
}

TEST(PanelFolder, FilesAreNamedAsTheyAreOnDisk) {
  PanelFolder sim;
  sim.Write("P/panel/panel.cfg", "[Window00]\ngauge00=172things!Clock, 0, 0\n");
  sim.Write("P/panel/172Things.CAB", Cab("CLOCK.xml"));
  Panel panel = LoadPanel(sim.Path("P"), {});
  ASSERT_EQ(panel.gauges[0].resolved.target, GaugeTarget::kXmlGauge);
  EXPECT_EQ(Ends(panel.gauges[0].resolved.path, 29), "panel/172Things.CAB/CLOCK.xml");
}

}  // namespace
