// What the two gauge formats share when read: scripts and texts from an element's text and
// from attribute values, elements and their nested elements, key handlers, numbers.
// The two format readers differ only in where each part stands.
#pragma once

#include <string>
#include <vector>

#include "bench/panels/findings.h"
#include "bench/panels/formats/xml_reader.h"
#include "bench/panels/gauges/gauge_model.h"

namespace bench::panels {

class GaugeReading {
 public:
  // visible: the element holding an element's visibility script in this format.
  GaugeReading(const std::string& file, const char* visible, XmlGauge* gauge,
               std::vector<Finding>* findings)
      : file_(file),
        visible_(visible),
        vocabulary_(VocabularyOf(gauge->format)),
        gauge_(gauge),
        findings_(findings) {}

  // The element's own text, pieces joined so that its lines stay the file's lines.
  Script TextOf(const XmlNode& node, const std::string& role) const;
  // The same, written in the gauge text language.
  Script Text(const XmlNode& node, const std::string& role) const;
  GaugeElement ReadElement(const XmlNode& node);
  // What a child of parent holds, as the format's vocabulary says.
  Content ContentOf(const XmlNode& child, const XmlNode& parent) const;
  // The scripts and texts of a part holding `content` (<Image>, <Select>, <Value>, ...) and of
  // what it holds, for owner, in document order.
  void CollectScripts(const XmlNode& node, const std::string& role, Content content,
                      GaugeElement* owner);
  void ReadKeys(const XmlNode& keys);

  double Number(const std::string& text, int line, const std::string& what);
  // "x,y" as in <FloatPosition> and <Size>.
  bool Pair(const XmlNode& node, double* first, double* second);
  void Warn(int line, const std::string& message);

 private:
  // Attribute values with a %( piece, as texts.
  void AttributeTexts(const XmlNode& node, const std::string& role, std::vector<Script>* out);

  const std::string& file_;
  const char* visible_;
  const Vocabulary& vocabulary_;
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
// Element and attribute names checked against the format's vocabulary, into gauge->names:
// unknown elements are taken out of the tree, names in another case take the table's spelling.
void CheckNames(const Vocabulary& vocabulary, XmlNode* root, XmlGauge* gauge);

}  // namespace bench::panels
