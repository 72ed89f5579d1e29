#include "bench/script/references.h"

#include <iterator>

#include "bench/common/names.h"

namespace bench::script {
namespace {

enum class Access { kReadWrite, kReadOnly, kWriteOnly };

struct Prefix {
  char letter;
  Access access;
  const char* one;  // one variable of it, for messages
};

// clang-format off
constexpr Prefix kPrefixes[] = {
    {'L', Access::kReadWrite, "a panel variable"},
    {'A', Access::kReadOnly,  "an aircraft variable"},
    {'K', Access::kWriteOnly, "a key event"},
    {'G', Access::kReadWrite, "a gauge variable"},
    {'E', Access::kReadOnly,  "an environment variable"},
    {'P', Access::kReadOnly,  "a simulator setting"},
    {'M', Access::kReadOnly,  "a mouse or key value"},
    {'C', Access::kReadWrite, "a code module's variable"},
    {'R', Access::kReadOnly,  "a resource string"},
};
// clang-format on

constexpr const char* kMouseNames[] = {"Event", "Key", "X", "Y"};  // in MouseValue's order

const Prefix* FindPrefix(char letter) {
  for (const Prefix& prefix : kPrefixes)
    if (prefix.letter == letter) return &prefix;
  return nullptr;
}

std::string UnknownPrefix(char letter) {
  std::string known;
  for (const Prefix& prefix : kPrefixes) known += std::string(1, prefix.letter) + ": ";
  known.pop_back();
  return std::string("no variables start ") + letter + ": (" + known + " do); correct the prefix";
}

// "M:Event, M:Key, M:X and M:Y"
std::string MouseNames() {
  std::string names;
  for (size_t i = 0; i < std::size(kMouseNames); ++i)
    names += (i == 0                           ? ""
              : i + 1 < std::size(kMouseNames) ? ", "
                                               : " and ") +
             std::string("M:") + kMouseNames[i];
  return names;
}

// Past the prefix: a name the host does not have reaches nothing.
std::string UnknownName(const VariableUse& use) {
  std::string outcome = use.write ? "the write goes nowhere" : "it reads 0";
  if (use.prefix == 'G' && !GaugeVariable(use.name))
    return Written(use) + ": a gauge has G:Var1 to G:Var" + std::to_string(kGaugeVariables) +
           " only; " + outcome;
  if (use.prefix == 'M' && FindMouseValue(use.name) == MouseValue::kNone)
    return Written(use) + ": a click or key script has " + MouseNames() + " only; " + outcome;
  return "";
}

class NowhereStore : public VariableStore {
 public:
  bool Read(int32_t, double* value) override { return *value = 0, true; }
  bool ReadText(int32_t, std::string_view* text) override { return *text = {}, true; }
  bool Write(int32_t, double) override { return true; }
};

}  // namespace

Judgement Judge(const VariableUse& use) {
  const Prefix* prefix = FindPrefix(use.prefix);
  if (!prefix) return {Reach::kRefused, UnknownPrefix(use.prefix)};
  if (!use.write && prefix->access == Access::kWriteOnly)
    return {Reach::kRefused, std::string(prefix->one) + " can only be sent, (>" + use.prefix +
                                 ":NAME); it cannot be read"};
  if (use.write && prefix->access == Access::kReadOnly)
    return {Reach::kNowhere,
            Written(use) + ": " + prefix->one + " can only be read; the write goes nowhere"};
  std::string unknown = UnknownName(use);
  if (!unknown.empty()) return {Reach::kNowhere, unknown};
  return {};
}

Binding Nowhere() {
  static NowhereStore store;
  Binding binding;
  binding.store = &store;
  return binding;
}

bool GivesText(const VariableUse& use) {
  if (use.prefix == 'R') return true;
  MouseValue value = use.prefix == 'M' ? FindMouseValue(use.name) : MouseValue::kNone;
  return value == MouseValue::kEvent || value == MouseValue::kKey;
}

int GaugeVariable(std::string_view name) {
  if (name.size() != 4 || !SameName(name.substr(0, 3), "Var")) return 0;
  return name[3] >= '1' && name[3] < '1' + kGaugeVariables ? name[3] - '0' : 0;
}

MouseValue FindMouseValue(std::string_view name) {
  for (size_t i = 0; i < std::size(kMouseNames); ++i)
    if (SameName(name, kMouseNames[i])) return static_cast<MouseValue>(i);
  return MouseValue::kNone;
}

std::string Written(const VariableUse& use) {
  std::string text = std::string("(") + (use.write ? ">" : "") + use.prefix + ":";
  text += use.name;
  if (use.index) text += ":" + std::to_string(use.index);
  return text + ")";
}

}  // namespace bench::script
