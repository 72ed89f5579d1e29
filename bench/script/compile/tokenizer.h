// Splits a script into tokens at white space. A string literal ('ILS', '') and a variable
// reference ((A:Avionics master switch, bool)) are one token each, spaces and all. Tokens
// without white space between them (`0(>L:x, enum)`) fail in the host: they are errors here.
// A reference closed with '}' instead of ')' on its line ships in working gauges: it is read as
// closed there, with a warning.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "bench/script/diagnostics.h"

namespace bench::script {

struct Token {
  size_t begin, end;  // offsets into the text
};

using TokenError =
    std::function<void(size_t position, Severity severity, const std::string& message)>;

// Every token, also after an error, so that one pass reports every fault.
std::vector<Token> Tokenize(std::string_view text, const TokenError& error);

}  // namespace bench::script
