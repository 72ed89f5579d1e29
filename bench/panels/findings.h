// What the panel reader found wrong with a panel author's files: one record per problem, with
// the file and line it is on, worded "what is wrong; what to do" for a compiler-style report.
#pragma once

#include <string>
#include <vector>

#include "bench/script/diagnostics.h"

namespace bench::panels {

using Severity = script::Severity;

struct Finding {
  std::string file;  // as the reader reached it ("B737/panel/panel.cfg"; '\\' on Windows)
  int line = 0;      // 0: the file as a whole
  Severity severity = Severity::kError;
  std::string message;
};

// One cause found on several lines of a file: the first finding, and the later lines.
struct GroupedFinding {
  Finding first;
  std::vector<int> more_lines;
};

// "FILE:LINE: error: message" ("FILE: error: ..." for line 0).
std::string FormatFinding(const Finding& finding);
// The same, and " (also on lines 7, 9)".
std::string FormatFinding(const GroupedFinding& grouped);
// By file, then line; findings on one line keep the order they were found in.
void SortFindings(std::vector<Finding>* findings);
// Sorted, one entry per cause: findings with the same file, severity and message are one.
std::vector<GroupedFinding> GroupFindings(std::vector<Finding> findings);
// "2 errors, 5 warnings, 1 note in 3 files": what a report holds, counted by cause.
std::string Summary(const std::vector<GroupedFinding>& findings);

}  // namespace bench::panels
