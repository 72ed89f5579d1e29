#include "bench/clickmap/map_text.h"

#include <algorithm>
#include <cstdio>

namespace bench::clickmap {
namespace {

std::string Decibels(double decibels) {
  if (decibels == 0) return "at full volume";
  char text[32];
  std::snprintf(text, sizeof text, "at %g dB", decibels);
  return text;
}

std::string DescribeSound(const SoundCommand& s) {
  if (s.kind == SoundCommand::kStop) return "stops " + s.sound;
  std::string how = (s.kind == SoundCommand::kLoop ? " looping " : " once ") + Decibels(s.decibels);
  if (s.playable) return "plays " + s.sound + how;
  return "would play " + s.sound + how + ", but " + s.file + " is " + s.refusal;
}

template <typename Items, typename Say>
void Join(const Items& items, Say say, std::string* out) {
  for (const auto& item : items) *out += (out->empty() ? "" : "; ") + say(item);
}

// Areas in reading order: top to bottom, then left to right.
bool Before(const MappedArea& a, const MappedArea& b) {
  return a.top != b.top ? a.top < b.top : a.left < b.left;
}

}  // namespace

std::string DescribeClick(const ClickEffect& click) {
  std::string text;
  Join(click.sounds, DescribeSound, &text);
  Join(
      click.key_events, [](const std::string& e) { return "sends " + e; }, &text);
  Join(
      click.changes, [](const std::string& c) { return c; }, &text);
  return text.empty() ? "does nothing" : text;
}

std::vector<std::string> AreaLines(const MappedGauge& gauge, const MappedArea& area) {
  std::string head = area.file + ":" + std::to_string(area.line) + ": " + gauge.name +
                     (area.tooltip.empty() ? "" : " \"" + area.tooltip + "\"");
  if (area.kind == AreaKind::kUnreachable)
    return {head + (area.covered_by.empty() ? ": unreachable, outside the gauge"
                                            : ": unreachable, under " + area.covered_by)};
  if (area.kind == AreaKind::kHidden) return {head + ": hidden (its visibility gives 0 now)"};
  if (area.clicks.empty()) return {head + ": takes no click"};
  std::vector<std::string> lines;
  for (const ClickEffect& click : area.clicks)
    lines.push_back(head + " " + click.event + ": " + DescribeClick(click));
  return lines;
}

std::string MapSummary(const ClickMap& map) {
  // What areas of each kind do, said of one area and of several.
  static const char* const kSaid[][2] = {
      {"plays a sound", "play a sound"},
      {"would play a missing or refused one", "would play a missing or refused one"},
      {"acts without a sound", "act without a sound"},
      {"does nothing", "do nothing"},
      {"is hidden now", "are hidden now"},
      {"cannot be reached", "cannot be reached"}};
  size_t areas = 0, clicks = 0, kinds[6] = {};
  for (const MappedWindow& window : map.windows)
    for (const MappedGauge& gauge : window.gauges)
      for (const MappedArea& area : gauge.areas)
        ++areas, clicks += area.clicks.size(), ++kinds[static_cast<int>(area.kind)];
  std::string text = std::to_string(areas) + (areas == 1 ? " area, " : " areas, ") +
                     std::to_string(clicks) + (clicks == 1 ? " click" : " clicks");
  std::string parts;
  for (int k = 0; k < 6; ++k)
    if (kinds[k])
      parts += (parts.empty() ? ": " : ", ") + std::to_string(kinds[k]) + " " +
               kSaid[k][kinds[k] == 1 ? 0 : 1];
  return text + parts;
}

std::vector<std::string> MapLines(const ClickMap& map) {
  std::vector<std::string> lines;
  for (const MappedWindow& window : map.windows)
    for (const MappedGauge& gauge : window.gauges) {
      std::vector<const MappedArea*> areas;
      for (const MappedArea& area : gauge.areas) areas.push_back(&area);
      std::stable_sort(areas.begin(), areas.end(),
                       [](const MappedArea* a, const MappedArea* b) { return Before(*a, *b); });
      for (const MappedArea* area : areas)
        for (std::string& line : AreaLines(gauge, *area)) lines.push_back(std::move(line));
    }
  return lines;
}

}  // namespace bench::clickmap
