#include "bench/clickmap/map_page.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <string_view>

#include "bench/clickmap/map_text.h"
#include "bench/clickmap/window_background.h"
#include "bench/common/markup.h"

namespace bench::clickmap {
namespace {

// Windows wider than this many CSS pixels are drawn smaller, in proportion, so a whole panel
// fits a page; smaller ones keep one pixel a unit, the size the panel's bitmaps are made for.
constexpr double kPageWidth = 1000;

struct KindStyle {
  AreaKind kind;
  const char* name;
  int red, green, blue;
  const char* meaning;
};
// clang-format off
constexpr KindStyle kKinds[] = {
    {AreaKind::kPlays,       "plays",        44,  160, 44,  "plays a module sound"},
    {AreaKind::kSoundBroken, "sound-broken", 214, 39,  40,  "would play a module sound whose file is missing or refused"},
    {AreaKind::kActs,        "acts",         31,  119, 180, "acts without a sound: key events, variables"},
    {AreaKind::kNothing,     "nothing",      170, 170, 170, "does nothing, or takes no click"},
    {AreaKind::kHidden,      "hidden",       148, 103, 189, "hidden: its visibility gives 0 now"},
    {AreaKind::kUnreachable, "unreachable",  255, 127, 14,  "unreachable: under an earlier area, or outside its gauge"},
};
// clang-format on

const KindStyle& StyleOf(AreaKind kind) {
  for (const KindStyle& style : kKinds)
    if (style.kind == kind) return style;
  return kKinds[3];
}

// Ten digits keep every coordinate a panel writes exact, and "%g" never writes a locale's comma.
std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", value);
  return text;
}

std::string Place(double left, double top, double width, double height, double scale) {
  return "left:" + Number(left * scale) + "px;top:" + Number(top * scale) +
         "px;width:" + Number(width * scale) + "px;height:" + Number(height * scale) + "px";
}

std::string Box(double left, double top, double width, double height) {
  return Number(left) + " " + Number(top) + " " + Number(width) + " " + Number(height);
}

// Areas and gauges are outlined inside their boxes, which a border would widen where a box is
// narrower than two borders. Gauge outlines and names lie over the areas but let the pointer
// through; an area pointed at, focused or linked to from the table rises over everything, so
// nothing covers its tip.
std::string Style() {
  std::string css = R"(
body{font:14px/1.4 sans-serif;margin:1.5em;color:#222;background:#f4f4f4}
h2{margin:1.6em 0 .2em;font-size:1.15em}
.note{margin:0 0 .5em;color:#555}
.problems li{color:#a00}
.legend{list-style:none;padding:0;display:flex;flex-wrap:wrap;gap:.4em 1.4em}
.swatch{display:inline-block;width:1.4em;height:1em;vertical-align:middle;margin-right:.4em;
 box-sizing:border-box;border:2px solid var(--c);background:var(--f)}
.canvas{position:relative;background:#2b2b2b;outline:1px solid #555}
.canvas.virtual{background:repeating-conic-gradient(#333 0 25%,#3d3d3d 0 50%) 0 0/32px 32px}
.canvas>img{position:absolute;left:0;top:0;width:100%;height:100%}
.gauge{position:absolute;outline:1px dashed rgba(255,255,255,.75);outline-offset:-1px;
 pointer-events:none;z-index:90000}
.gauge>span{position:absolute;left:0;top:0;font:11px sans-serif;color:#fff;
 background:rgba(0,0,0,.6);padding:0 3px;white-space:nowrap}
.area{position:absolute;outline:2px solid var(--c);outline-offset:-2px;background:var(--f);
 z-index:var(--z)}
.area:hover,.area:focus,.area:target{z-index:100000;outline-width:3px;outline-offset:-3px}
.area.kind-hidden{outline-style:dashed}
.area.kind-unreachable{background:repeating-linear-gradient(45deg,var(--f) 0 4px,transparent 4px 8px)}
.tip{display:none;position:absolute;left:0;top:100%;margin-top:3px;width:max-content;
 max-width:48em;background:#fffff2;color:#111;border:1px solid #444;padding:4px 7px;
 font:12px/1.4 sans-serif;box-shadow:2px 2px 6px rgba(0,0,0,.4)}
.tip.toward-left{left:auto;right:0}
.area:hover>.tip,.area:focus>.tip,.area:target>.tip{display:block}
.tip-line{display:block}
table.lines{border-collapse:collapse;margin-top:.5em;font:12px/1.4 monospace}
table.lines td{padding:1px 6px;border-bottom:1px solid #ddd;vertical-align:top}
table.lines a.swatch{margin:0}
)";
  for (const KindStyle& k : kKinds) {
    std::string rgb =
        std::to_string(k.red) + "," + std::to_string(k.green) + "," + std::to_string(k.blue);
    css += std::string(".kind-") + k.name + "{--c:rgb(" + rgb + ");--f:rgba(" + rgb + ",.35)}\n";
  }
  return css;
}

// Where a window's areas are drawn: its size in its own units and the CSS pixels per unit.
struct Canvas {
  double width = 0, height = 0, scale = 1;
};

// A window whose section gives no size is drawn as large as its gauges and areas reach.
Canvas CanvasOf(const MappedWindow& window) {
  Canvas canvas{window.width, window.height, 1};
  if (canvas.width <= 0 || canvas.height <= 0) {
    canvas.width = canvas.height = 1;
    for (const MappedGauge& gauge : window.gauges) {
      canvas.width = std::max(canvas.width, gauge.left + gauge.width);
      canvas.height = std::max(canvas.height, gauge.top + gauge.height);
      for (const MappedArea& area : gauge.areas) {
        canvas.width = std::max(canvas.width, area.left + area.width);
        canvas.height = std::max(canvas.height, area.top + area.height);
      }
    }
  }
  canvas.scale = std::min(1.0, kPageWidth / canvas.width);
  return canvas;
}

// The page numbers its areas in drawing order; the table links each text line to its area.
struct AreaIds {
  int next = 0;
  std::multimap<std::string, std::pair<int, AreaKind>> by_line;
};

bool Within(const MappedArea& inner, const MappedArea& outer) {
  return inner.left >= outer.left && inner.top >= outer.top &&
         inner.left + inner.width <= outer.left + outer.width &&
         inner.top + inner.height <= outer.top + outer.height;
}

// The page's pointer finds the area the pilot's click would: of two that overlap the earlier,
// unless the later lies inside it (a nested area, which takes the click over its parent);
// areas no click reaches now (hidden, or under another) lie beneath every other.
std::vector<int> Stacking(const std::vector<const MappedArea*>& areas) {
  auto sunk = [](const MappedArea* a) {
    return a->kind == AreaKind::kHidden || a->kind == AreaKind::kUnreachable;
  };
  std::vector<int> depth(areas.size());
  for (size_t i = 0; i < areas.size(); ++i)
    for (size_t j = 0; j < i; ++j)
      if (!sunk(areas[j]) && Within(*areas[i], *areas[j])) ++depth[i];
  std::vector<size_t> order(areas.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    if (sunk(areas[a]) != sunk(areas[b])) return sunk(areas[a]);
    return depth[a] != depth[b] ? depth[a] < depth[b] : a > b;
  });
  std::vector<int> z(areas.size());
  for (size_t rank = 0; rank < order.size(); ++rank) z[order[rank]] = static_cast<int>(rank) + 1;
  return z;
}

std::string AreaElement(const MappedGauge& gauge, const MappedArea& area, const Canvas& canvas,
                        int z, AreaIds* ids) {
  int id = ++ids->next;
  std::vector<std::string> lines = AreaLines(gauge, area);
  // A tip opens away from the window's right edge, so it stays on the page.
  bool toward_left = area.left + area.width / 2 > canvas.width / 2;
  std::string out = "<div class=\"area kind-" + std::string(AreaKindName(area.kind)) +
                    "\" id=\"area-" + std::to_string(id) + "\" tabindex=\"0\" data-file=\"" +
                    EscapeMarkup(area.file) + "\" data-line=\"" + std::to_string(area.line) +
                    "\" data-box=\"" + Box(area.left, area.top, area.width, area.height) +
                    "\" data-kind=\"" + AreaKindName(area.kind) + "\" style=\"" +
                    Place(area.left, area.top, area.width, area.height, canvas.scale) +
                    ";--z:" + std::to_string(z) + "\"><div class=\"tip" +
                    (toward_left ? " toward-left" : "") + "\">";
  for (const std::string& line : lines) {
    out += "<span class=\"tip-line\">" + EscapeMarkup(line) + "</span>";
    ids->by_line.emplace(line, std::make_pair(id, area.kind));
  }
  return out + "</div></div>\n";
}

std::string GaugeElement(const MappedGauge& gauge, const Canvas& canvas) {
  return "<div class=\"gauge\" data-gauge=\"" + EscapeMarkup(gauge.name) + "\" data-box=\"" +
         Box(gauge.left, gauge.top, gauge.width, gauge.height) + "\" style=\"" +
         Place(gauge.left, gauge.top, gauge.width, gauge.height, canvas.scale) + "\"><span>" +
         EscapeMarkup(gauge.name) + "</span></div>\n";
}

std::string WindowNote(const MappedWindow& window, const Canvas& canvas,
                       const WindowBackground& background) {
  std::string size = Number(canvas.width) + " x " + Number(canvas.height);
  std::string note = window.virtual_cockpit
                         ? "virtual cockpit: the texture its gauges draw on, " + size + " pixels"
                         : size + " units";
  if (window.width <= 0 || window.height <= 0)
    note += " (its section gives no size: drawn as far as its gauges reach)";
  if (canvas.scale < 1)
    note += ", drawn at " + std::to_string(static_cast<int>(canvas.scale * 100 + 0.5)) + "%";
  if (!window.virtual_cockpit || !window.background.empty()) note += "; " + background.note;
  return note;
}

std::string WindowSection(const MappedWindow& window, const std::string& panel_dir, AreaIds* ids) {
  Canvas canvas = CanvasOf(window);
  WindowBackground background = LoadBackground(panel_dir, window.background);
  std::string title = window.title.empty() ? window.name : window.name + ": " + window.title;
  std::string out = "<section class=\"window\" data-window=\"" + EscapeMarkup(window.name) +
                    "\">\n<h2>" + EscapeMarkup(title) + "</h2>\n<p class=\"note\">" +
                    EscapeMarkup(WindowNote(window, canvas, background)) + "</p>\n";
  out += std::string("<div class=\"canvas") + (window.virtual_cockpit ? " virtual" : "") +
         "\" data-size=\"" + Number(canvas.width) + " " + Number(canvas.height) +
         "\" style=\"width:" + Number(canvas.width * canvas.scale) +
         "px;height:" + Number(canvas.height * canvas.scale) + "px\">\n";
  if (!background.data_uri.empty()) out += "<img alt=\"\" src=\"" + background.data_uri + "\">\n";
  std::vector<const MappedArea*> areas;
  std::vector<const MappedGauge*> owners;
  for (const MappedGauge& gauge : window.gauges) {
    out += GaugeElement(gauge, canvas);
    for (const MappedArea& area : gauge.areas) {
      areas.push_back(&area);
      owners.push_back(&gauge);
    }
  }
  std::vector<int> z = Stacking(areas);
  for (size_t i = 0; i < areas.size(); ++i)
    out += AreaElement(*owners[i], *areas[i], canvas, z[i], ids);
  return out + "</div>\n</section>\n";
}

std::string Legend(const ClickMap& map) {
  std::map<AreaKind, int> counts;
  for (const MappedWindow& window : map.windows)
    for (const MappedGauge& gauge : window.gauges)
      for (const MappedArea& area : gauge.areas) ++counts[area.kind];
  std::string out = "<ul class=\"legend\">\n";
  for (const KindStyle& k : kKinds)
    out += std::string("<li data-kind=\"") + k.name + "\"><span class=\"swatch kind-" + k.name +
           "\"></span>" + k.meaning + " (" + std::to_string(counts[k.kind]) + ")</li>\n";
  return out + "</ul>\n";
}

// The text lines in their own order, each with its area's colour and a link that shows the
// area's tip where it is drawn.
std::string LinesTable(const ClickMap& map, AreaIds* ids) {
  std::string out = "<h2>Every area and mouse event</h2>\n<table class=\"lines\">\n";
  for (const std::string& line : MapLines(map)) {
    auto found = ids->by_line.find(line);
    std::string swatch = "<span class=\"swatch\"></span>";
    if (found != ids->by_line.end()) {
      auto [id, kind] = found->second;
      swatch = "<a class=\"swatch kind-" + std::string(AreaKindName(kind)) + "\" href=\"#area-" +
               std::to_string(id) + "\"></a>";
      ids->by_line.erase(found);
    }
    out += "<tr><td>" + swatch + "</td><td class=\"line\">" + EscapeMarkup(line) + "</td></tr>\n";
  }
  return out + "</table>\n";
}

}  // namespace

const char* AreaKindName(AreaKind kind) { return StyleOf(kind).name; }

std::string MapPage(const ClickMap& map, const std::string& panel_dir) {
  std::string judged = map.sim_root.empty()
                           ? "No simulator folder was given, so the sound files were not judged"
                           : "The sound files were judged in " + map.sim_root;
  std::string out =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<title>Click map: " +
      EscapeMarkup(map.panel_cfg) + "</title>\n<style>" + Style() +
      "</style>\n</head>\n<body>\n<h1>Click map of " + EscapeMarkup(map.panel_cfg) +
      "</h1>\n<p class=\"note\">" + EscapeMarkup(judged) +
      ". Hover an area, or follow a line of the table, for its tooltip and what its "
      "clicks do.</p>\n";
  if (!map.problems.empty()) {
    out += "<ul class=\"problems\">\n";
    for (const std::string& problem : map.problems)
      out += "<li>" + EscapeMarkup(problem) + "</li>\n";
    out += "</ul>\n";
  }
  out += Legend(map);
  AreaIds ids;
  for (const MappedWindow& window : map.windows) out += WindowSection(window, panel_dir, &ids);
  return out + LinesTable(map, &ids) + "</body>\n</html>\n";
}

}  // namespace bench::clickmap
