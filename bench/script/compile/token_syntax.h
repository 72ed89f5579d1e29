// What single tokens say: numbers and variable references, read without context.
#pragma once

#include <string>
#include <string_view>

#include "bench/common/names.h"
#include "bench/script/variables.h"

namespace bench::script {

// 1 to 9 decimal digits: a label, jump, register or index number.
bool AllDigits(std::string_view text);

// Decimal (-18.216, .5, 1e3) or hexadecimal (0x0FF532).
bool ParseNumber(std::string_view token, double* value);

// What a reference's spelling risks, for a warning: the host reads it, but not as written.
struct VariableSlips {
  bool lower_case_prefix = false;  // (l:x): the prefix comes back in upper case
  bool spaced_write = false;       // (> K:NAME)
};

// `(X:Name[, units])` or `(>X:Name[, units])`, closing ')' included. False with *error set when
// the token is no variable reference.
bool ParseVariable(std::string_view token, VariableUse* use, VariableSlips* slips,
                   std::string* error);

}  // namespace bench::script
