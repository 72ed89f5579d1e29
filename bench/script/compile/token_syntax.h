// What single tokens say: numbers and variable references, read without context.
#pragma once

#include <string>
#include <string_view>

#include "bench/script/variables.h"

namespace bench::script {

std::string Lower(std::string_view text);
std::string_view Trimmed(std::string_view text);
// 1 to 9 decimal digits: a label, jump, register or index number.
bool AllDigits(std::string_view text);

// Decimal (-18.216, .5, 1e3) or hexadecimal (0x0FF532).
bool ParseNumber(std::string_view token, double* value);

// `(X:Name[, units])` or `(>X:Name[, units])`, closing ')' included. The prefix comes back in
// upper case; *lower_case_prefix says it was written otherwise. False with *error set when
// the token is no variable reference.
bool ParseVariable(std::string_view token, VariableUse* use, bool* lower_case_prefix,
                   std::string* error);

}  // namespace bench::script
