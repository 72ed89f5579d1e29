// What the two gauge formats share when read: scripts from an element's text, %( )% pieces of
// strings and attribute values, elements and their nested elements, key handlers, numbers.
// The two format readers differ only in where each part stands.
#pragma once

#include <string>
#include <vector>

#include "bench/panels/findings.h"
#include "bench/panels/formats/xml_reader.h"
#include "bench/panels/gauges/gauge_model.h"

namespace bench::panels {

struct FormatWords {
  const char* visible;  // the element holding a visibility script
  const char* value;    // the element holding a value script
  const char* string;   // the element holding formatted text
};

class GaugeReading {
 public:
  GaugeReading(const std::string& file, const FormatWords& words, XmlGauge* gauge,
               std::vector<Finding>* findings)
      : file_(file), words_(words), gauge_(gauge), findings_(findings) {}

  // The element's own text, pieces joined so that its lines stay the file's lines.
  Script TextOf(const XmlNode& node, const std::string& role) const;
  FormattedText Formatted(const XmlNode& node, const std::string& role);
  GaugeElement ReadElement(const XmlNode& node);
  // The scripts of a drawing part (<Image>, <Select>, ...) and what it holds, for owner.
  void CollectScripts(const XmlNode& node, const std::string& role, GaugeElement* owner);
  void ReadKeys(const XmlNode& keys);

  double Number(const std::string& text, int line, const std::string& what);
  // "x,y" as in <FloatPosition> and <Size>.
  bool Pair(const XmlNode& node, double* first, double* second);
  void Warn(int line, const std::string& message);

 private:
  void AddPieces(const std::string& text, int line, const std::string& role,
                 std::vector<Script>* out);
  void AttributePieces(const XmlNode& node, const std::string& role, std::vector<Script>* out);

  const std::string& file_;
  const FormatWords& words_;
  XmlGauge* gauge_;
  std::vector<Finding>* findings_;
};

// "LeftSingle+RightSingle" into its kinds.
std::vector<std::string> SplitKinds(const std::string& text);
// "Yes", "True", "1" in any case.
bool IsYes(const std::string& text);
// The first child element of this name, or nullptr.
const XmlNode* Child(const XmlNode& node, const char* name);

void ReadOlderGauge(const XmlNode& gauge_node, GaugeReading* reading, XmlGauge* gauge);
void ReadNewerGauge(const XmlNode& gauge_node, GaugeReading* reading, XmlGauge* gauge);
// Element names outside the format's vocabulary, and unknown attributes of the parts the
// runner interprets, into gauge->unknown.
void FindUnknownNames(const XmlNode& gauge_node, XmlGauge* gauge);

}  // namespace bench::panels
