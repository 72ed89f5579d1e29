#include "bench/panels/gauges/vocabulary.h"

#include "bench/common/names.h"

namespace bench::panels {

extern const Vocabulary kOlderVocabulary;
extern const Vocabulary kNewerVocabulary;

namespace {

// Calls visit(name) for each space-separated name of a list, until it returns true.
template <typename Visit>
bool AnyName(const char* names, Visit visit) {
  std::string_view rest(names);
  while (!rest.empty()) {
    size_t space = rest.find(' ');
    std::string_view name = rest.substr(0, space);
    if (!name.empty() && visit(name)) return true;
    rest = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
  }
  return false;
}

// The candidate a misspelt name is nearest, if any is near: two or three letters off, by length.
class NearestName {
 public:
  explicit NearestName(std::string_view name)
      : name_(Lower(name)), best_(name.size() < 8 ? 3 : 4) {}
  void Offer(std::string_view candidate) {
    size_t distance = EditDistance(name_, Lower(candidate));
    if (distance < best_) nearest_ = candidate, best_ = distance;
  }
  std::string_view nearest() const { return nearest_; }

 private:
  std::string name_;
  size_t best_;
  std::string_view nearest_;
};

}  // namespace

const ElementRule* Vocabulary::Find(std::string_view name) const {
  const ElementRule* other_case = nullptr;
  for (size_t i = 0; i < count_; ++i) {
    if (name == rules_[i].name) return &rules_[i];
    if (!other_case && SameName(name, rules_[i].name)) other_case = &rules_[i];
  }
  return other_case;
}

bool Vocabulary::Lists(const char* names, std::string_view name) {
  return std::string_view(names) == "*" || !Listed(names, name).empty();
}

std::string_view Vocabulary::Listed(const char* names, std::string_view name) {
  std::string_view exact, other_case;
  AnyName(names, [&](std::string_view listed) {
    if (listed == name) return exact = listed, true;
    if (other_case.empty() && SameName(listed, name)) other_case = listed;
    return false;
  });
  return exact.empty() ? other_case : exact;
}

std::string_view Vocabulary::Nearest(std::string_view name) const {
  NearestName nearest(name);
  for (size_t i = 0; i < count_; ++i) nearest.Offer(rules_[i].name);
  return nearest.nearest();
}

std::string_view Vocabulary::NearestAttribute(const ElementRule& rule, std::string_view name) {
  NearestName nearest(name);
  AnyName(rule.attributes, [&](std::string_view listed) { return nearest.Offer(listed), false; });
  return nearest.nearest();
}

const Vocabulary& VocabularyOf(GaugeFormat format) {
  return format == GaugeFormat::kOlder ? kOlderVocabulary : kNewerVocabulary;
}

}  // namespace bench::panels
