#include "bench/panels/findings.h"

#include <algorithm>

namespace bench::panels {

std::string FormatFinding(const Finding& f) {
  static const char* const kWords[] = {"error", "warning", "note"};
  std::string where = f.line > 0 ? f.file + ":" + std::to_string(f.line) : f.file;
  return where + ": " + kWords[static_cast<int>(f.severity)] + ": " + f.message;
}

void SortFindings(std::vector<Finding>* findings) {
  std::stable_sort(findings->begin(), findings->end(), [](const Finding& a, const Finding& b) {
    return a.file != b.file ? a.file < b.file : a.line < b.line;
  });
}

}  // namespace bench::panels
