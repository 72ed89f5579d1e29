// Element and attribute names, checked against the format's vocabulary as a gauge is read. The
// host skips an element or attribute it does not know without a word, so a misspelt <Visible>
// leaves an element always shown and a misspelt Kind= leaves a switch that answers the default
// click only. Unknown elements are taken out of the tree, as the host skips them; names in
// another case are read under the table's spelling, so the reader compares names exactly.
#include <algorithm>
#include <string>

#include "bench/panels/gauges/gauge_reading.h"

namespace bench::panels {
namespace {

class NameWalk {
 public:
  NameWalk(const Vocabulary& vocabulary, XmlGauge* gauge)
      : vocabulary_(vocabulary), gauge_(gauge) {}

  void Walk(XmlNode* node, const ElementRule& rule) {
    for (XmlAttribute& a : node->attributes) Attribute(&a, *node, rule);
    if (rule.content == Content::kFree) return;
    std::vector<XmlNode>& children = node->children;
    children.erase(std::remove_if(children.begin(), children.end(),
                                  [&](XmlNode& child) { return !Child(&child, *node, rule); }),
                   children.end());
  }

 private:
  void Add(NameProblem::Kind kind, const std::string& name, std::string_view known,
           const XmlNode& parent, bool attribute, int line) {
    gauge_->names.push_back({kind, name, std::string(known), parent.name, attribute, line});
  }

  void Attribute(XmlAttribute* a, const XmlNode& node, const ElementRule& rule) {
    if (std::string_view(rule.attributes) == "*") return;
    std::string_view listed = Vocabulary::Listed(rule.attributes, a->name);
    if (listed.empty())
      return Add(NameProblem::kUnknown, a->name, Vocabulary::NearestAttribute(rule, a->name), node,
                 true, a->line);
    if (listed != a->name) Add(NameProblem::kOtherCase, a->name, listed, node, true, a->line);
    a->name = std::string(listed);
  }

  // False when the child is to be taken out of the tree.
  bool Child(XmlNode* child, const XmlNode& parent, const ElementRule& rule) {
    if (child->is_text) return true;
    if (std::string_view(rule.children) == "*") return true;  // parameters the reader reads
    const ElementRule* known = vocabulary_.Find(child->name);
    std::string_view attribute = Vocabulary::Listed(rule.attributes, child->name);
    if (!known && !attribute.empty()) {
      Add(NameProblem::kAttribute, child->name, attribute, parent, false, child->line);
      return false;
    }
    if (!known) {
      Add(NameProblem::kUnknown, child->name, vocabulary_.Nearest(child->name), parent, false,
          child->line);
      return false;
    }
    if (child->name != known->name) {
      Add(NameProblem::kOtherCase, child->name, known->name, parent, false, child->line);
      child->name = known->name;
    }
    if (!Vocabulary::Lists(rule.children, child->name))
      Add(NameProblem::kMisplaced, child->name, "", parent, false, child->line);
    Walk(child, *known);
    return true;
  }

  const Vocabulary& vocabulary_;
  XmlGauge* gauge_;
};

}  // namespace

void CheckNames(const Vocabulary& vocabulary, XmlNode* root, XmlGauge* gauge) {
  const ElementRule& rule = vocabulary.root();
  if (root->name != rule.name) {
    gauge->names.push_back({NameProblem::kOtherCase, root->name, rule.name, "", false, root->line});
    root->name = rule.name;
  }
  NameWalk(vocabulary, gauge).Walk(root, rule);
}

}  // namespace bench::panels
