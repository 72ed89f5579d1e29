// The names each XML gauge format has: every element, the children and attributes it may hold,
// and what its text is written in. One table per format, read by the gauge reader (which text
// is a script, which a text), by check-panel (which names the simulator would skip) and by the
// click map (the mouse areas' attributes), so a construct is known everywhere or nowhere.
//
// Where the names come from: the simulator family's XML gauge references and the FS team's
// posts on gauge text, and what shipped, working gauges use. The references do not say how the
// simulator compares names; every shipped gauge writes them one way, so the tables keep that
// spelling, and a name written in another case is read as the same name with a warning (a
// simulator that compares exactly would skip it). Spellings that working gauges ship (MultiLine
// beside Multiline) are listed as names of their own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace bench::panels {

// What an element's text is.
enum class Content : uint8_t {
  kElements,  // child elements only; text between them is ignored, as the host ignores it
  kScript,    // an RPN script (<Value>, <Visible>, <Click>, newer <Script>)
  kText,      // gauge text: literal text with %( ) pieces (<String>, <GaugeString>, tooltips)
  kValue,     // a plain value: a number, a name, "x,y" (<Frequency>, <FloatPosition>)
  kFree,      // anything, never looked into (<Comment>, a failure list)
};

struct ElementRule {
  const char* name;
  Content content;
  // The child elements it may hold, separated by spaces; "*": any name, each holding
  // `any_child` (the drawing parameters of <CustomDraw>, each a script).
  const char* children;
  // Its attributes, separated by spaces; "*": any name.
  const char* attributes;
  Content any_child = Content::kFree;
};

enum class GaugeFormat { kOlder, kNewer };

class Vocabulary {
 public:
  // rules: the format's table; the name of the first rule is the root element.
  constexpr Vocabulary(const char* format_name, const ElementRule* rules, size_t count)
      : format_name_(format_name), rules_(rules), count_(count) {}

  const char* format_name() const { return format_name_; }
  // Every rule of the table, in table order.
  const ElementRule* begin() const { return rules_; }
  const ElementRule* end() const { return rules_ + count_; }
  const ElementRule& root() const { return rules_[0]; }
  // The rule of an element, its name compared without regard to case; nullptr: no such
  // element in this format.
  const ElementRule* Find(std::string_view name) const;
  // Whether the parent lists the child; a "*" parent lists every name.
  static bool Lists(const char* names, std::string_view name);
  // The listed name equal to name without regard to case (the table's spelling); empty: none.
  static std::string_view Listed(const char* names, std::string_view name);
  // The known element name nearest to a misspelt one, for the advice; empty: none near.
  std::string_view Nearest(std::string_view name) const;
  // The same among the attributes of an element.
  static std::string_view NearestAttribute(const ElementRule& rule, std::string_view name);

 private:
  const char* format_name_;
  const ElementRule* rules_;
  size_t count_;
};

const Vocabulary& VocabularyOf(GaugeFormat format);

}  // namespace bench::panels
