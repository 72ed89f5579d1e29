// The string operators, and how a value crosses between number and text: a string used as a
// number is its leading number ('12 ft' is 12, 'ILS' is 0); a number used as a string is its
// shortest exact-looking decimal text (0.5, 118.3).
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench/script/run/runner.h"

namespace bench::script {
namespace {

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }
char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// Like strcmp, -1, 0 or 1, with or without regard to case.
int Compare(std::string_view a, std::string_view b, bool fold_case) {
  size_t common = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < common; ++i) {
    unsigned char x = fold_case ? Lower(a[i]) : a[i], y = fold_case ? Lower(b[i]) : b[i];
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

double Position(size_t found) {
  return found == std::string_view::npos ? -1.0 : static_cast<double>(found);
}

// A count or position from the stack: negative and non-numbers count as 0.
size_t Count(double value) { return value > 0 ? static_cast<size_t>(std::fmin(value, 1e9)) : 0; }

}  // namespace

double Runner::LeadingNumber(const Value& value) const {
  char digits[64];
  size_t length = value.length < sizeof digits - 1 ? value.length : sizeof digits - 1;
  std::memcpy(digits, value.text, length);
  digits[length] = '\0';
  double number = std::strtod(digits, nullptr);
  return std::isfinite(number) ? number : 0;
}

size_t NumberText(double number, char (&digits)[32]) {
  int length = std::snprintf(digits, sizeof digits, "%.15g", number);
  return length > 0 ? static_cast<size_t>(length) : 0;
}

std::string_view Runner::TextOf(const Value& value) {
  if (value.text) return {value.text, value.length};
  char digits[32];
  return Copy({digits, NumberText(value.number, digits)});
}

std::string_view Runner::Copy(std::string_view first, std::string_view second) {
  size_t length;
  char* room = Allocate(first.size() + second.size(), &length);
  size_t head = first.size() < length ? first.size() : length;
  // memcpy wants real pointers even for no bytes; an empty view may hold none.
  if (head) std::memcpy(room, first.data(), head);
  if (length > head) std::memcpy(room + head, second.data(), length - head);
  return {room, length};
}

void Runner::PushText(std::string_view text) {
  Push({0, text.data() ? text.data() : "", static_cast<uint32_t>(text.size())});
}

bool Runner::Text(Op op) {
  switch (op) {
    case Op::kConcat: {
      std::string_view b = PopText(), a = PopText();
      return PushText(Copy(a, b)), true;
    }
    case Op::kCompare:
    case Op::kCompareNoCase: {
      std::string_view b = PopText(), a = PopText();
      return PushNumber(Compare(a, b, op == Op::kCompareNoCase)), true;
    }
    case Op::kSubstring: {
      size_t length = Count(PopNumber()), start = Count(PopNumber());
      std::string_view s = PopText();
      return PushText(start < s.size() ? s.substr(start, length) : s.substr(s.size())), true;
    }
    case Op::kSymbol: {
      size_t index = Count(PopNumber());
      std::string_view s = PopText();
      return PushText(index < s.size() ? s.substr(index, 1) : s.substr(s.size())), true;
    }
    case Op::kOrd: {
      std::string_view s = PopText();
      return PushNumber(s.empty() ? 0 : static_cast<unsigned char>(s[0])), true;
    }
    case Op::kChr: {
      double code = PopNumber();
      char c = code >= 1 && code <= 255 ? static_cast<char>(static_cast<int>(code)) : 0;
      return PushText(Copy({&c, c ? 1u : 0u})), true;
    }
    case Op::kUpper:
    case Op::kLower:
    case Op::kCapitalize: {
      std::string_view s = Copy(PopText());
      char* chars = const_cast<char*>(s.data());
      for (size_t i = 0; i < s.size(); ++i)
        chars[i] =
            op == Op::kUpper || (op == Op::kCapitalize && i == 0) ? Upper(s[i]) : Lower(s[i]);
      return PushText(s), true;
    }
    default:
      return false;
  }
}

bool Runner::TextSearch(Op op) {
  switch (op) {
    case Op::kFind: {
      std::string_view needle = PopText(), haystack = PopText();
      return PushNumber(Position(haystack.find(needle))), true;
    }
    // The character is a one-letter string or its code.
    case Op::kFindChar: {
      Value c = Pop();
      std::string_view s = PopText();
      if (c.text) return PushNumber(c.length ? Position(s.find(c.text[0])) : -1), true;
      if (!(c.number >= 0 && c.number <= 255)) return PushNumber(-1), true;
      return PushNumber(Position(s.find(static_cast<char>(static_cast<int>(c.number))))), true;
    }
    default:
      return false;
  }
}

}  // namespace bench::script
