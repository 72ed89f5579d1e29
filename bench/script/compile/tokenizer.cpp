#include "bench/script/compile/tokenizer.h"

namespace bench::script {
namespace {

bool Space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The end of a string or variable token opening at `begin`; reports one left open.
size_t ClosedEnd(std::string_view text, size_t begin, const TokenError& error, bool* closed) {
  *closed = true;
  if (text[begin] == '\'') {
    size_t close = text.find('\'', begin + 1);
    if (close != std::string_view::npos) return close + 1;
    *closed = false;
    error(begin, Severity::kError, "the string is not closed with '");
    return text.size();
  }
  // A variable reference never spans lines or holds another '(': the ')' was forgotten or
  // typed as '}'.
  size_t i = begin + 1;
  for (; i < text.size() && text[i] != '\n' && text[i] != '(' && text[i] != '}'; ++i)
    if (text[i] == ')') return i + 1;
  if (i < text.size() && text[i] == '}') {
    error(i, Severity::kWarning, "the variable is closed with '}'; write ')'");
    return i + 1;
  }
  *closed = false;
  error(begin, Severity::kError, "the variable is not closed with ')'");
  return i;
}

}  // namespace

std::vector<Token> Tokenize(std::string_view text, const TokenError& error) {
  std::vector<Token> tokens;
  size_t i = 0;
  while (i < text.size()) {
    if (Space(text[i])) {
      ++i;
      continue;
    }
    size_t begin = i;
    if (text[i] == '\'' || text[i] == '(') {
      bool closed;
      i = ClosedEnd(text, begin, error, &closed);
      if (closed && i < text.size() && !Space(text[i]))
        error(i, Severity::kError,
              "no white space before '" + std::string(1, text[i]) + "'; separate the tokens");
    } else {
      while (i < text.size() && !Space(text[i]) && text[i] != '(' && text[i] != '\'') ++i;
      if (i < text.size() && !Space(text[i]))
        error(i, Severity::kError,
              "no white space before '" + std::string(1, text[i]) + "'; separate the tokens");
    }
    tokens.push_back({begin, i});
  }
  return tokens;
}

}  // namespace bench::script
