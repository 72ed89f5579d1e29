#include "bench/panels/gauges/gauge_reading.h"

#include <algorithm>
#include <cstdlib>

#include "bench/common/names.h"
#include "bench/panels/gauges/gauge_reader.h"

namespace bench::panels {
namespace {

int CountLines(const std::string& text, size_t end) {
  return static_cast<int>(std::count(text.begin(), text.begin() + end, '\n'));
}

}  // namespace

const XmlNode* Child(const XmlNode& node, const char* name) {
  for (const XmlNode& child : node.children)
    if (!child.is_text && child.name == name) return &child;
  return nullptr;
}

std::vector<std::string> SplitKinds(const std::string& text) {
  std::vector<std::string> kinds;
  size_t at = 0;
  while (at <= text.size()) {
    size_t plus = std::min(text.find('+', at), text.size());
    std::string kind(Trim(std::string_view(text).substr(at, plus - at)));
    if (!kind.empty()) kinds.push_back(kind);
    at = plus + 1;
  }
  return kinds;
}

bool IsYes(const std::string& text) {
  return SameName(text, "yes") || SameName(text, "true") || text == "1";
}

Script GaugeReading::TextOf(const XmlNode& node, const std::string& role) const {
  Script script{"", {file_, 0}, role};
  int at_line = 0;
  for (const XmlNode& piece : node.children) {
    if (!piece.is_text) continue;
    // A comment or a nested element between two pieces stands for the lines it took.
    if (script.origin.line == 0)
      script.origin.line = piece.line;
    else
      script.text += piece.line > at_line ? std::string(piece.line - at_line, '\n') : " ";
    script.text += piece.text;
    at_line = piece.line + CountLines(piece.text, piece.text.size());
  }
  if (script.origin.line == 0) script.origin.line = node.line;
  return script;
}

Script GaugeReading::Text(const XmlNode& node, const std::string& role) const {
  Script text = TextOf(node, role);
  text.kind = ScriptKind::kText;
  return text;
}

void GaugeReading::AttributeTexts(const XmlNode& node, const std::string& role,
                                  std::vector<Script>* out) {
  for (const XmlAttribute& a : node.attributes)
    if (a.value.find("%(") != std::string::npos)
      out->push_back({a.value, {file_, a.value_line}, role + "@" + a.name, ScriptKind::kText});
}

GaugeElement GaugeReading::ReadElement(const XmlNode& node) {
  GaugeElement element;
  element.line = node.line;
  AttributeTexts(node, "Element", &element.scripts);
  for (const XmlNode& child : node.children) {
    if (child.is_text) continue;
    if (child.name == visible_)
      element.visible = TextOf(child, child.name);
    else if (child.name == "Element")
      element.children.push_back(ReadElement(child));
    else
      CollectScripts(child, child.name, ContentOf(child, node), &element);
  }
  return element;
}

Content GaugeReading::ContentOf(const XmlNode& child, const XmlNode& parent) const {
  const ElementRule* parent_rule = vocabulary_.Find(parent.name);
  if (parent_rule && std::string_view(parent_rule->children) == "*") return parent_rule->any_child;
  const ElementRule* rule = vocabulary_.Find(child.name);
  return rule ? rule->content : Content::kFree;
}

void GaugeReading::CollectScripts(const XmlNode& node, const std::string& role, Content content,
                                  GaugeElement* owner) {
  AttributeTexts(node, role, &owner->scripts);
  if (content == Content::kScript || content == Content::kText) {
    Script script = content == Content::kText ? Text(node, role) : TextOf(node, role);
    if (!script.Empty()) owner->scripts.push_back(std::move(script));
    return;
  }
  if (content != Content::kElements) return;  // a value or free text holds no script
  for (const XmlNode& child : node.children) {
    if (child.is_text) continue;
    if (child.name == "Element")
      owner->children.push_back(ReadElement(child));
    else
      CollectScripts(child, role + "/" + child.name, ContentOf(child, node), owner);
  }
}

void GaugeReading::ReadKeys(const XmlNode& keys) {
  for (const XmlNode& on : keys.children) {
    if (on.is_text || on.name != "On") continue;
    KeyHandler handler;
    handler.line = on.line;
    if (const XmlAttribute* key = on.Attribute("Key")) handler.key = key->value;
    if (const XmlNode* visible = Child(on, visible_))
      handler.visible = TextOf(*visible, "On/" + visible->name);
    handler.script = TextOf(on, "On");
    gauge_->keys.push_back(std::move(handler));
  }
}

double GaugeReading::Number(const std::string& text, int line, const std::string& what) {
  char* end = nullptr;
  double value = std::strtod(text.c_str(), &end);
  while (*end == ' ' || *end == '\t' || *end == '\n') ++end;
  if (end != text.c_str() && *end == '\0') return value;
  Warn(line, what + " '" + text + "' is not a number; write it as digits");
  return 0;
}

bool GaugeReading::Pair(const XmlNode& node, double* first, double* second) {
  std::string text = TextOf(node, node.name).text;
  size_t comma = text.find(',');
  if (comma == std::string::npos) {
    Warn(node.line, "<" + node.name + "> holds '" + text + "'; write two numbers: x,y");
    return false;
  }
  *first = Number(text.substr(0, comma), node.line, node.name);
  *second = Number(text.substr(comma + 1), node.line, node.name);
  return true;
}

void GaugeReading::Warn(int line, const std::string& message) {
  findings_->push_back({file_, line, Severity::kWarning, message});
}

bool ReadXmlGauge(std::string_view bytes, const std::string& file, XmlGauge* gauge,
                  std::vector<Finding>* findings) {
  XmlNode root;
  Finding error;
  if (!ParseXml(bytes, file, &root, &error)) return findings->push_back(error), false;
  *gauge = XmlGauge{};
  gauge->file = file;
  if (SameName(root.name, "Gauge")) {
    CheckNames(VocabularyOf(GaugeFormat::kOlder), &root, gauge);
    GaugeReading reading(file, "Visible", gauge, findings);
    ReadOlderGauge(root, &reading, gauge);
    return true;
  }
  if (SameName(root.name, "SimBase.Document"))
    CheckNames(VocabularyOf(GaugeFormat::kNewer), &root, gauge);
  const XmlNode* inner = root.name == "SimBase.Document" ? Child(root, "SimGauge.Gauge") : nullptr;
  if (!inner) {
    findings->push_back({file, root.line, Severity::kError,
                         "<" + root.name +
                             "> is not a gauge; a gauge file starts with <Gauge> or "
                             "<SimBase.Document> holding <SimGauge.Gauge>"});
    return false;
  }
  gauge->format = GaugeFormat::kNewer;
  if (const XmlAttribute* id = root.Attribute("id")) gauge->name = id->value;
  GaugeReading reading(file, "Visibility", gauge, findings);
  ReadNewerGauge(*inner, &reading, gauge);
  for (const XmlNode& other : root.children)
    if (&other != inner && other.name == "SimGauge.Gauge")
      reading.Warn(other.line,
                   "a second <SimGauge.Gauge> in one file is never loaded; move it "
                   "into a file of its own");
  return true;
}

}  // namespace bench::panels
