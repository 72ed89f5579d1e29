// Reads one XML gauge file, in either format, into the gauge model.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "bench/panels/findings.h"
#include "bench/panels/gauges/gauge_model.h"

namespace bench::panels {

// Parses bytes read from file (the name labels the scripts' origins and the findings). False
// when the file is not well-formed XML or holds no gauge; the reason is in findings. Smaller
// problems (an unclosed %( in a string, a size that is not a number) are findings too.
bool ReadXmlGauge(std::string_view bytes, const std::string& file, XmlGauge* gauge,
                  std::vector<Finding>* findings);

}  // namespace bench::panels
