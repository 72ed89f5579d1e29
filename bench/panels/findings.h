// What the panel reader found wrong with a panel author's files: one record per problem, with
// the file and line it is on, worded "what is wrong; what to do" for a compiler-style report.
#pragma once

#include <string>
#include <vector>

namespace bench::panels {

enum class Severity { kError, kWarning, kNote };

struct Finding {
  std::string file;  // as the reader reached it, '/' between parts ("B737/panel/panel.cfg")
  int line = 0;      // 0: the file as a whole
  Severity severity = Severity::kError;
  std::string message;
};

// "FILE:LINE: error: message" ("FILE: error: ..." for line 0).
std::string FormatFinding(const Finding& finding);
// By file, then line; findings on one line keep the order they were found in.
void SortFindings(std::vector<Finding>* findings);

}  // namespace bench::panels
