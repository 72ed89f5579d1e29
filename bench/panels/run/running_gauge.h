// One XML gauge line of a panel, loaded: every script compiled once against the panel's
// variables and the instance's own G: variables, then run frame after frame, and on the
// clicks and keys a scenario gives it.
//
// Decided where the host says nothing: a gauge updates at most once a gauge cycle (a
// Frequency above 18 runs every frame); nothing below an element whose visibility gives 0 is
// evaluated, its own value scripts included. A click goes to the first visible area, in
// document order, whose box holds the point, then down into its visible children the same
// way; the deepest area on that path with a click for the mouse event takes it. An area
// without a size reaches its parent's right and bottom edges; a top-level one, the gauge's
// edges as its <Size> gives them, or none when it gives none (the bench does not know the
// gauge's picture).
#pragma once

#include <string>
#include <vector>

#include "bench/panels/gauges/gauge_model.h"
#include "bench/panels/run/gauge_macros.h"
#include "bench/panels/run/panel_world.h"
#include "bench/script/run/runner.h"
#include "bench/script/text/text_runner.h"

namespace bench::panels {

// What runs a gauge's scripts and texts: the one runner of the panel and its text runner, where
// their warnings go, and a count of the scripts and texts run.
struct ScriptRunner {
  script::Runner& runner;
  script::TextRunner& texts;
  script::DiagnosticSink& sink;
  long runs = 0;

  // A gauge cycle, a click or a key is one pass: its scripts and strings share registers.
  void BeginPass() { runner.BeginPass(); }
  script::Result Run(script::Program& program) {
    ++runs;
    return runner.RunPiece(program, sink);
  }
  // What the text shows now; its pieces run, with their side effects.
  std::string_view Show(script::TextProgram& text) {
    ++runs;
    return texts.Evaluate(text, sink);
  }
};

struct ClickOutcome {
  bool found = true;  // false: no visible area has the tooltip asked for
  bool taken = false;
  const MouseArea* taker = nullptr;  // taken: the area whose click took it
};

// A mouse area as the click map sees it, in the state now.
struct AreaView {
  const MouseArea* area;
  const MouseArea* parent;  // nullptr: a top-level area
  // Its box in the gauge's coordinates; an unsized area of a gauge without a size has no right
  // or bottom edge (infinite).
  double left, top, right, bottom;
  bool visible;         // it and every area it is nested in
  std::string tooltip;  // as the pilot sees it now
};

class RunningGauge : private script::VariableResolver {
 public:
  // Compile errors go to sink; a script that does not compile never runs.
  RunningGauge(const XmlGauge& gauge, PanelWorld& world, script::DiagnosticSink& sink);
  RunningGauge(const RunningGauge&) = delete;
  RunningGauge& operator=(const RunningGauge&) = delete;

  // One gauge cycle: the update when it is due, then the elements.
  void Frame(long frame, ScriptRunner& run);
  ClickOutcome ClickAt(double x, double y, const std::string& event, ScriptRunner& run);
  // On the first visible area whose tooltip reads text: as the pilot sees it now (its pieces
  // evaluated, white space runs read as one space), as written up to its first %( piece, or
  // by its tooltip ID. The point is the area's top-left corner.
  ClickOutcome ClickTooltip(const std::string& text, const std::string& event, ScriptRunner& run);
  // Every mouse area, in document order, nested ones after their parent.
  std::vector<AreaView> Areas(ScriptRunner& run);
  // The areas a click at the point passes through, outermost first, as ClickAt finds them.
  std::vector<const MouseArea*> HitPath(double x, double y, ScriptRunner& run);
  GaugeLocals& locals() { return locals_; }

  // The first visible handler of the key (compared without regard to case; one on
  // "AlphaNumeric" takes any letter or digit); false: none.
  bool Key(const std::string& key, ScriptRunner& run);

 private:
  struct Gate {
    bool gated = false;  // false: no visibility script, always visible
    script::Program program;
  };
  // A script or a text of an element, run in document order.
  struct Runnable {
    ScriptKind kind;
    script::Program script;
    script::TextProgram text;
  };
  struct Element {
    Gate visible;
    std::vector<Runnable> scripts;
    std::vector<Element> children;
  };
  struct Area {
    const MouseArea* source;
    Gate visible;
    script::TextProgram tooltip;
    std::vector<script::Program> clicks;  // one for each of source->clicks
    std::vector<Area> children;
  };
  struct KeyHandlerPrograms {
    const KeyHandler* source;
    Gate visible;
    script::Program script;
  };
  struct Box {
    double left, top, right, bottom;
  };
  using Path = std::vector<std::pair<Area*, Box>>;

  script::Binding Resolve(const script::VariableUse& use) override;
  script::Program Compile(const Script& script);
  Gate CompileGate(const Script& script);
  Element CompileElement(const GaugeElement& element);
  Area CompileArea(const MouseArea& area);

  bool Visible(Gate& gate, ScriptRunner& run);
  void RunElement(Element& element, ScriptRunner& run);
  static Box BoxOf(const MouseArea& area, const Box& parent);
  bool Hit(std::vector<Area>& areas, const Box& parent, double x, double y, ScriptRunner& run,
           Path* path);
  bool Find(std::vector<Area>& areas, const Box& parent, const std::string& tooltip,
            ScriptRunner& run, Path* path);
  bool Reads(Area& area, const std::string& text, ScriptRunner& run);
  ClickOutcome Deliver(const Path& path, double x, double y, const std::string& event,
                       ScriptRunner& run);
  // The box top-level areas are measured in: the gauge's size, when it gives one.
  Box GaugeBox() const;
  void ViewAreas(std::vector<Area>& areas, const Box& parent, const MouseArea* parent_area,
                 bool visible, ScriptRunner& run, std::vector<AreaView>* views);

  const XmlGauge& gauge_;
  PanelWorld& world_;
  script::DiagnosticSink& sink_;
  GaugeMacros macros_;
  GaugeLocals locals_;
  bool has_update_ = false;
  script::Program update_;
  Element root_;
  std::vector<Area> areas_;
  std::vector<KeyHandlerPrograms> keys_;
};

}  // namespace bench::panels
