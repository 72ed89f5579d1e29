// Keys of the window and virtual-cockpit sections. The simulator ignores a key it does not
// know without a word, so a misspelt gauge key ("guage07") is a gauge that never loads, the
// most common reason a panel "does nothing".
#include <algorithm>
#include <iterator>

#include "bench/common/names.h"
#include "bench/panels/checks/panel_checks.h"

namespace bench::panels {
namespace {

// The references write windowsize_ratio; older panels write window_size_ratio, and both ship.
const char* const kWindowKeys[] = {"file",
                                   "file_1024",
                                   "file_1024_night",
                                   "file_night",
                                   "size_mm",
                                   "position",
                                   "visible",
                                   "ident",
                                   "window_size",
                                   "window_pos",
                                   "zorder",
                                   "sizeable",
                                   "nomenu",
                                   "child_3d",
                                   "pixel_size",
                                   "background_color",
                                   "texture",
                                   "type",
                                   "always_visible",
                                   "render_3d_shadow",
                                   "no_luminous",
                                   "transparent",
                                   "alpha_blend",
                                   "windowsize_ratio",
                                   "window_size_ratio",
                                   "hidden",
                                   "emissive",
                                   "location"};

// "guage07" -> "gauge07": the letters before the number are a near miss of "gauge".
bool LooksLikeGaugeKey(const std::string& key, std::string* meant) {
  size_t digits = key.find_first_of("0123456789");
  if (digits == std::string::npos || digits == 0) return false;
  std::string letters = Lower(key.substr(0, digits)), number = key.substr(digits);
  if (number.find_first_not_of("0123456789") != std::string::npos) return false;
  if (EditDistance(letters, "gauge") > 2) return false;
  *meant = "gauge" + number;
  return true;
}

// "write visible" for a near miss of a known key, else the general advice.
std::string Remedy(const std::string& key) {
  for (const char* known : kWindowKeys)
    if (EditDistance(key, known) <= 2 && key.size() > 3) return std::string("write ") + known;
  return "correct or remove it";
}

}  // namespace

void CheckWindowKeys(Panel* panel) {
  for (const PanelWindow& window : panel->cfg.windows) {
    for (const IniKey& key : panel->cfg.ini.sections[window.section].keys) {
      if (IsGaugeKey(key.name)) continue;
      if (IsNumbered(key.name, "htmlgauge")) {
        panel->findings.push_back({Shown(panel->panel_cfg), key.line, Severity::kNote,
                                   "an htmlgaugeNN line is an HTML gauge of a later simulator; "
                                   "this one ignores it, and the bench does not run it"});
        continue;
      }
      std::string lower = Lower(key.name), meant;
      if (std::any_of(std::begin(kWindowKeys), std::end(kWindowKeys),
                      [&](const char* known) { return lower == known; }))
        continue;
      if (LooksLikeGaugeKey(key.name, &meant))
        panel->findings.push_back(
            {Shown(panel->panel_cfg), key.line, Severity::kError,
             "'" + key.name +
                 "' is not a key the simulator knows, so this gauge never loads; "
                 "write " +
                 meant});
      else
        panel->findings.push_back({Shown(panel->panel_cfg), key.line, Severity::kWarning,
                                   "[" + window.name + "] has no key '" + key.name +
                                       "'; the simulator ignores it: " + Remedy(lower)});
    }
  }
}

}  // namespace bench::panels
