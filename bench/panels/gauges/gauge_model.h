// An XML gauge as the runner and the checks see it, the same whichever of the two formats it
// was written in: its macros, update script, element tree, mouse areas and keys, with every
// script's text (XML escapes undone) and the file and line it starts on.
//
// What a gauge is: in the older format, the document's root element <Gauge>; in the newer
// format, the <SimGauge.Gauge> element inside the root <SimBase.Document> (the first one; a
// document holding more is reported). Each gauge file holds one gauge, named on the panel.cfg
// line by its file name (FILE!GAUGE finds GAUGE.xml).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "bench/panels/gauges/vocabulary.h"
#include "bench/script/diagnostics.h"

namespace bench::panels {

// Where a script starts: the gauge file ("B737/panel/Switches/Battery.xml"; inside a cabinet
// "B737/panel/Switches.cab/Battery.xml") and the line its first character is on.
using Origin = script::Origin;

// What a script's text is written in: the RPN script language (<Value>, <Click>, <Script>), or
// the gauge text language, literal text with %( script ) pieces (<String>, <GaugeString>,
// tooltips, an attribute value such as Color="%( 'White' 'Gray' (G:Var1) 0 == ? )").
enum class ScriptKind { kScript, kText };

// A script's text as the script reader takes it: escapes undone, macros not yet expanded. Line
// breaks are those of the file, so lines counted from origin.line are the file's lines.
struct Script {
  std::string text;
  Origin origin;
  // Where it stood, as a path of element names below its owner ("Select/Value",
  // "Rotation/Expression/Script", "Text/String", "Image@Bright" for an attribute).
  std::string role;
  ScriptKind kind = ScriptKind::kScript;

  bool Empty() const { return text.find_first_not_of(" \t\n") == std::string::npos; }
};

struct Macro {
  std::string name;
  Script body;  // the text that replaces @name
};

struct GaugeElement {
  int line = 0;
  Script visible;  // <Visible> / <Visibility>; empty: always visible
  // Every other script and text inside the element but outside its nested elements, in document
  // order: value scripts (<Value>, <Expression><Script>), strings, attribute values with pieces.
  std::vector<Script> scripts;
  std::vector<GaugeElement> children;
};

struct Click {
  int line = 0;
  // The mouse events that run it ("LeftSingle", "RightSingle", ...), from Kind="A+B" or
  // <ClickType>; empty: the host's default, LeftSingle.
  std::vector<std::string> kinds;
  std::string key_event;  // Event="KEY_EVENT" / <KeyEvent>: sent on the click, no script needed
  bool repeat = false;    // Repeat="Yes" / <ClickRepeat>True: repeats while held
  Script script;
};

struct MouseArea {
  int line = 0;
  // The area's box: in the gauge's coordinates for a top-level area, relative to the parent
  // area for a nested one. Without a size the area reaches the parent's right and bottom
  // edges (the gauge's, for a top-level area).
  double left = 0, top = 0, width = 0, height = 0;
  bool sized = false;
  Script visible;
  Script tooltip;          // a text
  std::string tooltip_id;  // a tooltip named by ID="..." / <TooltipID> rather than written out
  std::string cursor;      // "Hand", "UpArrow", ... as written
  std::vector<Click> clicks;
  std::vector<MouseArea> children;
};

struct KeyHandler {
  int line = 0;
  std::string key;  // Key="..."
  Script visible;
  Script script;
};

// An element or attribute name that is not as the format's vocabulary has it, kept with its
// line for the checks: the host skips a name it does not know without a word.
struct NameProblem {
  enum Kind {
    kUnknown,    // no such name in the format (taken out of the tree); known: the nearest one
    kOtherCase,  // the name in another case; known: the format's spelling, which it is read as
    kMisplaced,  // a known element where the references do not put it
    kAttribute,  // an element named as an attribute of its parent (the newer format's habit)
  };
  Kind kind;
  std::string name;  // as written
  std::string known;
  std::string parent;  // the element it stands in; empty for the root
  bool attribute = false;
  int line = 0;
};

struct XmlGauge {
  std::string file;
  GaugeFormat format = GaugeFormat::kOlder;
  std::string name;  // Name= of <Gauge>, id= of <SimBase.Document>; may be empty
  int line = 0;      // the gauge element's line
  std::vector<Macro> macros;
  Script update;
  double update_frequency = 0;  // updates a second; 0: not given, every gauge cycle
  // The gauge's own size, from its <Size>: what a panel.cfg line without a width and height
  // draws it at, and what its mouse areas are measured in. 0: not given.
  double width = 0, height = 0;
  // The gauge's own drawing scripts (outside any element) and its top-level elements.
  GaugeElement root;
  // The older format's <Mouse> is the whole gauge's area: an unsized top-level area holding
  // the <Area>s when it has a tooltip, cursor or click of its own; otherwise its <Area>s are
  // the top-level areas.
  std::vector<MouseArea> areas;
  std::vector<KeyHandler> keys;
  std::vector<NameProblem> names;
};

}  // namespace bench::panels

namespace bench::panels {

// Every script of the gauge with text in it: macros, update, elements (visibility first, then
// their scripts, then nested elements), mouse areas (visibility, tooltip pieces, clicks, nested
// areas), keys.
void ForEachScript(const XmlGauge& gauge, const std::function<void(const Script&)>& visit);
// Those of them that run on every gauge cycle: the update and the element scripts.
void ForEachFrameScript(const XmlGauge& gauge, const std::function<void(const Script&)>& visit);

}  // namespace bench::panels
