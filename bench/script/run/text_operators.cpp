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
int CompareText(std::string_view a, std::string_view b, bool fold_case) {
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

void Runner::Concat(const Instruction&) {
  std::string_view b = PopText(), a = PopText();
  PushText(Copy(a, b));
}

void Runner::Compare(const Instruction& instruction) {
  std::string_view b = PopText(), a = PopText();
  PushNumber(CompareText(a, b, instruction.op == Op::kCompareNoCase));
}

void Runner::Substring(const Instruction&) {
  size_t length = Count(PopNumber()), start = Count(PopNumber());
  std::string_view s = PopText();
  PushText(start < s.size() ? s.substr(start, length) : s.substr(s.size()));
}

void Runner::Symbol(const Instruction&) {
  size_t index = Count(PopNumber());
  std::string_view s = PopText();
  PushText(index < s.size() ? s.substr(index, 1) : s.substr(s.size()));
}

void Runner::Ord(const Instruction&) {
  std::string_view s = PopText();
  PushNumber(s.empty() ? 0 : static_cast<unsigned char>(s[0]));
}

void Runner::Chr(const Instruction&) {
  double code = PopNumber();
  char c = code >= 1 && code <= 255 ? static_cast<char>(static_cast<int>(code)) : 0;
  PushText(Copy({&c, c ? 1u : 0u}));
}

void Runner::ChangeCase(const Instruction& instruction) {
  Op op = instruction.op;
  std::string_view s = Copy(PopText());
  char* chars = const_cast<char*>(s.data());
  for (size_t i = 0; i < s.size(); ++i)
    chars[i] = op == Op::kUpper || (op == Op::kCapitalize && i == 0) ? Upper(s[i]) : Lower(s[i]);
  PushText(s);
}

void Runner::Find(const Instruction&) {
  std::string_view needle = PopText(), haystack = PopText();
  PushNumber(Position(haystack.find(needle)));
}

// The character is a one-letter string or its code.
void Runner::FindChar(const Instruction&) {
  Value c = Pop();
  std::string_view s = PopText();
  if (c.text) return PushNumber(c.length ? Position(s.find(c.text[0])) : -1);
  if (!(c.number >= 0 && c.number <= 255)) return PushNumber(-1);
  PushNumber(Position(s.find(static_cast<char>(static_cast<int>(c.number)))));
}

}  // namespace bench::script
