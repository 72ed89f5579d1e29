// XML gauges in both formats into one model: the same gauge written in each reads the same,
// every script keeps the line it is on in the file, and names the host would skip are kept.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "bench/panels/formats/xml_reader.h"
#include "bench/panels/gauges/gauge_reader.h"

namespace {

using namespace bench::panels;

const std::string kSwitches = KV3_SOURCE_DIR "/tests/panels/Trainer/panel/Switches/";

std::string ReadText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

XmlGauge Read(const std::string& bytes, std::vector<Finding>* findings = nullptr) {
  XmlGauge gauge;
  std::vector<Finding> ignored;
  EXPECT_TRUE(ReadXmlGauge(bytes, "g.xml", &gauge, findings ? findings : &ignored));
  return gauge;
}

// White space runs as one space: the formats lay scripts out differently.
std::string Collapse(const std::string& text) {
  std::istringstream words(text);
  std::string word, out;
  while (words >> word) out += (out.empty() ? "" : " ") + word;
  return out;
}

// The model as text, leaving out lines and roles, which differ between the formats.
class Render {
 public:
  explicit Render(const XmlGauge& g) {
    out_ << g.name << " update@" << g.update_frequency << "{" << Collapse(g.update.text) << "}\n";
    for (const Macro& m : g.macros) out_ << "@" << m.name << "{" << Collapse(m.body.text) << "}\n";
    Element(g.root, 0);
    for (const MouseArea& area : g.areas) Area(area, 0);
    for (const KeyHandler& k : g.keys)
      out_ << "key " << k.key << " if{" << Collapse(k.visible.text) << "} {"
           << Collapse(k.script.text) << "}\n";
  }
  std::string Text() const { return out_.str(); }

 private:
  void Element(const GaugeElement& e, int depth) {
    out_ << std::string(depth, ' ') << "element if{" << Collapse(e.visible.text) << "}";
    for (const Script& s : e.scripts) out_ << " {" << Collapse(s.text) << "}";
    out_ << "\n";
    for (const GaugeElement& child : e.children) Element(child, depth + 1);
  }
  void Area(const MouseArea& a, int depth) {
    out_ << std::string(depth, ' ') << "area " << a.left << "," << a.top << " " << a.width << "x"
         << a.height << (a.sized ? "" : " unsized") << " if{" << Collapse(a.visible.text)
         << "} tip '" << Collapse(a.tooltip.text) << "', cursor " << a.cursor << "\n";
    for (const Click& c : a.clicks) {
      out_ << std::string(depth, ' ') << " click";
      for (const std::string& kind : c.kinds) out_ << " " << kind;
      out_ << " event " << c.key_event << (c.repeat ? " repeat" : "") << " {"
           << Collapse(c.script.text) << "}\n";
    }
    for (const MouseArea& child : a.children) Area(child, depth + 1);
  }
  std::ostringstream out_;
};

TEST(XmlGauge, TheSameGaugeInBothFormatsReadsTheSame) {
  std::vector<Finding> findings;
  XmlGauge older = Read(ReadText(kSwitches + "Battery.xml"), &findings);
  XmlGauge newer = Read(ReadText(kSwitches + "BatteryNew.xml"), &findings);
  EXPECT_TRUE(findings.empty());
  EXPECT_EQ(older.format, GaugeFormat::kOlder);
  EXPECT_EQ(newer.format, GaugeFormat::kNewer);
  EXPECT_TRUE(older.names.empty());
  EXPECT_TRUE(newer.names.empty());
  EXPECT_EQ(Render(older).Text(), Render(newer).Text());
  EXPECT_EQ(
      Render(older).Text(),
      "Battery update@6{(A:Electrical master battery, bool) (>L:Battery bus, bool)}\n"
      "@Toggle{(L:Battery switch, bool) ! (>L:Battery switch, bool)}\n"
      "element if{}\n"
      " element if{(L:Panel lights, bool)} {(L:Battery switch, bool)}\n"
      "  element if{} {%((L:Battery volts, volts))%!2.0f! V}\n"
      "area 10,20 30x40 if{} tip 'Battery %((L:Battery switch, bool))%{if}on%{else}off%{end}', "
      "cursor Hand\n"
      " click LeftSingle RightSingle event  {@Toggle 1 (>L:Sound toggle switch, enum)}\n"
      " area 5,5 10x10 if{(L:Battery switch, bool)} tip '', cursor \n"
      "  click event TOGGLE_MASTER_BATTERY repeat {}\n"
      "key B if{(L:Panel lights, bool)} {@Toggle}\n");
}

// The file's line that a script's first token is on, found by counting from its origin.
int LineOfFirstToken(const Script& script, std::string* token) {
  size_t start = script.text.find_first_not_of(" \t\n");
  *token = script.text.substr(start, script.text.find_first_of(" \t\n", start) - start);
  int line = script.origin.line;
  for (size_t i = 0; i < start; ++i) line += script.text[i] == '\n';
  return line;
}

TEST(XmlGauge, EveryScriptStartsOnItsLineInTheFile) {
  for (const char* name : {"Battery.xml", "BatteryNew.xml"}) {
    SCOPED_TRACE(name);
    std::string bytes = ReadText(kSwitches + name);
    std::vector<std::string> lines{"", ""};  // lines[1] is the first line
    for (char c : bytes) {
      if (c == '\n')
        lines.emplace_back();
      else
        lines.back().push_back(c);
    }
    int scripts = 0;
    ForEachScript(Read(bytes), [&](const Script& script) {
      std::string token;
      int line = LineOfFirstToken(script, &token);
      ASSERT_LT(line, static_cast<int>(lines.size()));
      EXPECT_NE(lines[line].find(token), std::string::npos) << script.role << " on line " << line;
      ++scripts;
    });
    EXPECT_EQ(scripts, 10);
  }
}

TEST(XmlGauge, ScriptsAcrossCommentsAndInAttributesKeepTheirLines) {
  XmlGauge gauge = Read(
      "<Gauge Name='Lines'>\n"
      "  <Update>1\n"
      "    <!-- a note\n"
      "         over two lines -->2 (&gt;L:x, number)</Update>\n"
      "  <Element>\n"
      "    <Image Name='a.bmp' Bright='%( (L:lit, bool) )'\n"
      "           Alpha='x %( 0.5\n"
      "                  (L:dim, number) * )%!3.1f! %( 2 )'/>\n"
      "  </Element>\n"
      "  <Element><Visible>1&#10;&#xA;2 <!-- x -->\n"
      "    3</Visible></Element>\n"
      "</Gauge>\n");
  EXPECT_EQ(gauge.update.origin.line, 2);
  EXPECT_EQ(gauge.update.text, "1\n    \n2 (>L:x, number)");
  // An attribute value with a piece is a text of its own, on the line its value starts.
  const std::vector<Script>& texts = gauge.root.children[0].scripts;
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, "%( (L:lit, bool) )");
  EXPECT_EQ(texts[0].kind, ScriptKind::kText);
  EXPECT_EQ(texts[0].role, "Image@Bright");
  EXPECT_EQ(texts[0].origin.line, 6);
  EXPECT_EQ(texts[1].origin.line, 7);
  // Line feeds written as &#10; add no line: counted from line 10, the 3 is on line 11.
  EXPECT_EQ(gauge.root.children[1].visible.origin.line, 10);
  EXPECT_EQ(gauge.root.children[1].visible.text, "1\r\r2  \n    3");
}

// What each part of an element holds, as the format's vocabulary says: scripts, texts, values
// never run, and the drawing parameters of a custom drawing, each a script.
TEST(XmlGauge, EachPartIsReadAsWhatItHolds) {
  XmlGauge older = Read(
      "<Gauge Name='Kinds'><Element>\n"
      "  <Text X='10' Color=\"%( 'Red' 'Gray' l0 ? )\"><String>A %( 1 )%!d!</String></Text>\n"
      "  <FormattedText X='5'><Color Value='Red'/><String>%( 2 )%!d!\\{clr2}B</String>"
      "</FormattedText>\n"
      "  <CustomDraw Name='fs9gps:1:map' X='10'><Zoom>(L:zoom, number)</Zoom></CustomDraw>\n"
      "  <Shift><Scale X='1'/><Value>(L:x, number) s0</Value></Shift>\n"
      "</Element></Gauge>");
  std::vector<std::string> seen;
  for (const Script& s : older.root.children[0].scripts)
    seen.push_back((s.kind == ScriptKind::kText ? "text " : "script ") + s.role + " " + s.text);
  const std::vector<std::string> expected = {
      "text Text@Color %( 'Red' 'Gray' l0 ? )", "text Text/String A %( 1 )%!d!",
      "text FormattedText/String %( 2 )%!d!\\{clr2}B", "script CustomDraw/Zoom (L:zoom, number)",
      "script Shift/Value (L:x, number) s0"};
  EXPECT_EQ(seen, expected);
  EXPECT_TRUE(older.names.empty());
  XmlGauge newer = Read(
      "<SimBase.Document id='n'><SimGauge.Gauge><Element>\n"
      "<GaugeText><GaugeString>%( 3 )%!d!</GaugeString><FontColorScript>l0</FontColorScript>"
      "<FontHeight>12</FontHeight></GaugeText>\n"
      "<Rotation><DegreesPointsTo>90</DegreesPointsTo><NonlinearityTable><NonlinearityEntry>"
      "<ExpressionResult>0</ExpressionResult><Degrees>0</Degrees></NonlinearityEntry>"
      "</NonlinearityTable></Rotation>\n"
      "</Element></SimGauge.Gauge></SimBase.Document>");
  ASSERT_EQ(newer.root.children[0].scripts.size(), 2u);
  EXPECT_EQ(newer.root.children[0].scripts[0].kind, ScriptKind::kText);
  EXPECT_EQ(newer.root.children[0].scripts[1].text, "l0");
  EXPECT_TRUE(newer.names.empty());
}

TEST(XmlGauge, AMouseWithAClickOfItsOwnIsTheWholeGaugesArea) {
  XmlGauge gauge = Read(
      "<Gauge><Mouse><Cursor Type='Hand'/><Click Event='PAUSE_TOGGLE'/>"
      "<Area Left='1' Top='2' Right='11' Bottom='7'/><Area Left='3'/></Mouse></Gauge>");
  ASSERT_EQ(gauge.areas.size(), 1u);
  const MouseArea& whole = gauge.areas[0];
  EXPECT_FALSE(whole.sized);
  EXPECT_EQ(whole.clicks[0].key_event, "PAUSE_TOGGLE");
  EXPECT_TRUE(whole.clicks[0].kinds.empty());  // the host's LeftSingle
  ASSERT_EQ(whole.children.size(), 2u);
  EXPECT_TRUE(whole.children[0].sized);
  EXPECT_EQ(whole.children[0].width, 10);
  EXPECT_EQ(whole.children[0].height, 5);
  EXPECT_FALSE(whole.children[1].sized);
}

std::string Describe(const NameProblem& n) {
  static const char* const kKinds[] = {"unknown", "case", "misplaced"};
  return std::string(kKinds[n.kind]) + " " + n.name + (n.attribute ? "=" : "") + " in " + n.parent +
         " line " + std::to_string(n.line) + (n.known.empty() ? "" : " -> " + n.known);
}

TEST(XmlGauge, NamesTheHostWouldSkipAreKeptWithTheirLines) {
  XmlGauge older = Read(
      "<Gauge Name='x'>\n"
      "  <Element><Visibile>0</Visibile><Value>(L:x, number)</Value></Element>\n"
      "  <Mouse><Area Left='0' Widht='5' top='2'>\n"
      "    <Click Kind='LeftSingle' Evnt='X'/><visible>1</visible></Area></Mouse>\n"
      "  <Failures><GAUGE_ELECTRICAL Action='0'/></Failures>\n"
      "</Gauge>\n");
  std::vector<std::string> seen;
  for (const NameProblem& n : older.names) seen.push_back(Describe(n));
  const std::vector<std::string> expected = {
      "unknown Visibile in Element line 2 -> Visible", "misplaced Value in Element line 2",
      "unknown Widht= in Area line 3 -> Width",        "case top= in Area line 3 -> Top",
      "unknown Evnt= in Click line 4 -> Event",        "case visible in Area line 4 -> Visible"};
  EXPECT_EQ(seen, expected);
  // Read under the format's spelling: the area has its top and its visibility script.
  ASSERT_EQ(older.areas.size(), 1u);
  EXPECT_EQ(older.areas[0].top, 2);
  EXPECT_EQ(older.areas[0].visible.text, "1");
  // The host skips an unknown element, and what it holds: no script from <Visibile>.
  EXPECT_TRUE(older.root.children[0].visible.Empty());
  XmlGauge newer = Read(
      "<SimBase.Document id='y'><SimGauge.Gauge id='Gauge'>\n"
      "<MouseArea id='m'><MousClick/></MouseArea></SimGauge.Gauge></SimBase.Document>");
  ASSERT_EQ(newer.names.size(), 1u);
  EXPECT_EQ(Describe(newer.names[0]), "unknown MousClick in MouseArea line 2 -> MouseClick");
}

// Each name of a format's vocabulary as a test gauge uses it: the test aircraft's two gauges
// hold every element and attribute of their format, and check clean (tests/check-panels).
void CollectNames(const XmlNode& node, std::set<std::string>* names) {
  if (node.is_text) return;
  names->insert(node.name);
  for (const XmlAttribute& a : node.attributes) names->insert(node.name + "@" + a.name);
  for (const XmlNode& child : node.children) CollectNames(child, names);
}

TEST(XmlGauge, TheTestGaugesUseEveryNameOfTheirFormat) {
  const std::string panel = KV3_SOURCE_DIR "/tests/panels/Avionics/panel/";
  for (auto [format, file] : {std::pair{GaugeFormat::kOlder, "Nav/Units/Gps.xml"},
                              std::pair{GaugeFormat::kNewer, "Ils/Ils.xml"}}) {
    SCOPED_TRACE(file);
    XmlNode root;
    Finding error;
    ASSERT_TRUE(ParseXml(ReadText(panel + file), file, &root, &error)) << error.message;
    std::set<std::string> used;
    CollectNames(root, &used);
    for (const ElementRule& rule : VocabularyOf(format)) {
      EXPECT_TRUE(used.count(rule.name)) << "<" << rule.name << "> is not used";
      std::istringstream attributes(std::string(rule.attributes) == "*" ? "" : rule.attributes);
      for (std::string a; attributes >> a;)
        EXPECT_TRUE(used.count(std::string(rule.name) + "@" + a)) << rule.name << " " << a << "=";
    }
  }
}

struct Problem {
  const char* document;
  bool loads;
  int line;
  const char* says;
};

TEST(XmlGauge, ProblemsAreFindingsOnTheirLines) {
  const Problem cases[] = {
      {"<Gauge>\n<Element>\n<Value>1 < 2</Value></Element></Gauge>", false, 3, "raw '<'"},
      {"<Gauges/>", false, 1, "<Gauges> is not a gauge"},
      {"<SimBase.Document>\n</SimBase.Document>", false, 1, "holding <SimGauge.Gauge>"},
      {"<SimBase.Document><SimGauge.Gauge/>\n<SimGauge.Gauge/></SimBase.Document>", true, 2,
       "a second <SimGauge.Gauge>"},
      {"<Gauge>\n<Update Frequency='often'/></Gauge>", true, 2,
       "Frequency= 'often' is not a number"},
      {"<SimBase.Document><SimGauge.Gauge>\n<MouseArea><Size>20</Size></MouseArea>"
       "</SimGauge.Gauge></SimBase.Document>",
       true, 2, "<Size> holds '20'; write two numbers"},
  };
  for (const Problem& c : cases) {
    SCOPED_TRACE(c.document);
    XmlGauge gauge;
    std::vector<Finding> findings;
    EXPECT_EQ(ReadXmlGauge(c.document, "g.xml", &gauge, &findings), c.loads);
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].line, c.line);
    EXPECT_NE(findings[0].message.find(c.says), std::string::npos) << findings[0].message;
  }
}

}  // namespace
