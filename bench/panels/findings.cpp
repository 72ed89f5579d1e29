#include "bench/panels/findings.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

namespace bench::panels {
namespace {

std::string Counted(size_t count, const char* word) {
  return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

}  // namespace

std::string FormatFinding(const Finding& f) {
  static const char* const kWords[] = {"error", "warning", "note"};
  std::string where = f.line > 0 ? f.file + ":" + std::to_string(f.line) : f.file;
  return where + ": " + kWords[static_cast<int>(f.severity)] + ": " + f.message;
}

std::string FormatFinding(const GroupedFinding& g) {
  std::string text = FormatFinding(g.first);
  if (g.more_lines.empty()) return text;
  text += g.more_lines.size() == 1 ? " (also on line " : " (also on lines ";
  for (size_t i = 0; i < g.more_lines.size(); ++i)
    text += (i ? ", " : "") + std::to_string(g.more_lines[i]);
  return text + ")";
}

void SortFindings(std::vector<Finding>* findings) {
  std::stable_sort(findings->begin(), findings->end(), [](const Finding& a, const Finding& b) {
    return a.file != b.file ? a.file < b.file : a.line < b.line;
  });
}

std::vector<GroupedFinding> GroupFindings(std::vector<Finding> findings) {
  SortFindings(&findings);
  std::map<std::tuple<std::string, Severity, std::string>, size_t> first;
  std::vector<GroupedFinding> grouped;
  for (Finding& f : findings) {
    auto [at, added] = first.emplace(std::tie(f.file, f.severity, f.message), grouped.size());
    if (added) {
      grouped.push_back({std::move(f), {}});
      continue;
    }
    GroupedFinding& kept = grouped[at->second];
    int last = kept.more_lines.empty() ? kept.first.line : kept.more_lines.back();
    if (f.line != last) kept.more_lines.push_back(f.line);
  }
  return grouped;
}

std::string Summary(const std::vector<GroupedFinding>& findings) {
  size_t counts[3] = {0, 0, 0};
  std::set<std::string> files;
  for (const GroupedFinding& g : findings) {
    ++counts[static_cast<int>(g.first.severity)];
    files.insert(g.first.file);
  }
  return Counted(counts[0], "error") + ", " + Counted(counts[1], "warning") + ", " +
         Counted(counts[2], "note") + " in " + Counted(files.size(), "file");
}

}  // namespace bench::panels
