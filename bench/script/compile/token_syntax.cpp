#include "bench/script/compile/token_syntax.h"

#include <cctype>
#include <cstdlib>

namespace bench::script {
namespace {

// (A:GENERAL ENG COMBUSTION:1, bool) is engine 1's.
void SplitIndex(VariableUse* use) {
  size_t colon = use->name.rfind(':');
  if (colon == std::string_view::npos || !AllDigits(use->name.substr(colon + 1))) return;
  use->index = std::atoi(std::string(use->name.substr(colon + 1)).c_str());
  use->name = use->name.substr(0, colon);
}

}  // namespace

bool AllDigits(std::string_view text) {
  if (text.empty() || text.size() > 9) return false;
  for (char c : text)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

bool ParseNumber(std::string_view token, double* value) {
  if (token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X')) {
    if (token.size() > 18) return false;
    for (char c : token.substr(2))
      if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    *value = static_cast<double>(std::strtoull(std::string(token).c_str(), nullptr, 16));
    return true;
  }
  size_t digit = token.find_first_not_of("+-.");
  if (digit == std::string_view::npos || digit > 2 ||
      !std::isdigit(static_cast<unsigned char>(token[digit])) ||
      token.find_first_not_of("0123456789.eE+-") != std::string_view::npos)
    return false;
  std::string text(token);
  char* end = nullptr;
  *value = std::strtod(text.c_str(), &end);
  return end == text.c_str() + text.size();
}

bool ParseVariable(std::string_view token, VariableUse* use, VariableSlips* slips,
                   std::string* error) {
  std::string_view inner = token.substr(1, token.size() - 2);
  use->write = !inner.empty() && inner[0] == '>';
  if (use->write) inner.remove_prefix(1);
  // Shipped gauges write (> K:NAME); the host reads the name after the space.
  slips->spaced_write = use->write && !inner.empty() && inner[0] == ' ';
  if (slips->spaced_write) inner = inner.substr(inner.find_first_not_of(' '));
  if (inner.size() < 3 || !std::isalpha(static_cast<unsigned char>(inner[0])) || inner[1] != ':')
    return *error = "'" + std::string(token) + "' is no variable; write (X:Name[, units])", false;
  use->prefix = static_cast<char>(std::toupper(static_cast<unsigned char>(inner[0])));
  slips->lower_case_prefix = use->prefix != inner[0];
  std::string_view rest = inner.substr(2);
  size_t comma = rest.find(',');
  // The name is exactly what stands before the comma, spaces included: the host compares it so.
  use->name = rest.substr(0, comma);
  if (comma != std::string_view::npos) use->units = Trim(rest.substr(comma + 1));
  if (use->units.find(',') != std::string_view::npos)
    return *error = "'" + std::string(token) + "' has more than one ','; write (X:Name, units)",
           false;
  if (Trim(use->name).empty())
    return *error = "'" + std::string(token) + "' names no variable", false;
  if (use->prefix == 'A') SplitIndex(use);
  return true;
}

}  // namespace bench::script
