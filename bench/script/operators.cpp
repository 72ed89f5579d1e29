#include "bench/script/operators.h"

namespace bench::script {
namespace {

struct Named {
  const char* name;
  Op op;
};

// Several operators have a word and a symbol (`==` and `eq`, `!` and `not`).
// clang-format off
constexpr Named kOperators[] = {
    {"+", Op::kAdd}, {"-", Op::kSub}, {"*", Op::kMul}, {"/", Op::kDiv}, {"%", Op::kMod},
    {"++", Op::kIncrement}, {"--", Op::kDecrement}, {"neg", Op::kNegate}, {"/-/", Op::kNegate},
    {"==", Op::kEqual}, {"eq", Op::kEqual}, {"!=", Op::kNotEqual}, {"ne", Op::kNotEqual},
    {">", Op::kGreater}, {"gt", Op::kGreater}, {"<", Op::kLess}, {"lt", Op::kLess},
    {">=", Op::kGreaterEqual}, {"ge", Op::kGreaterEqual}, {"<=", Op::kLessEqual},
    {"le", Op::kLessEqual},
    {"?", Op::kChoose}, {"!", Op::kNot}, {"not", Op::kNot}, {"&&", Op::kAnd}, {"and", Op::kAnd},
    {"||", Op::kOr}, {"or", Op::kOr},
    {"&", Op::kBitAnd}, {"|", Op::kBitOr}, {"^", Op::kBitXor}, {"~", Op::kBitNot},
    {"<<", Op::kShiftLeft}, {">>", Op::kShiftRight},
    {"abs", Op::kAbs}, {"int", Op::kInt}, {"flr", Op::kFloor}, {"ceil", Op::kCeil},
    {"near", Op::kNear}, {"min", Op::kMin}, {"max", Op::kMax}, {"pi", Op::kPi},
    {"sin", Op::kSin}, {"cos", Op::kCos}, {"tg", Op::kTan}, {"ctg", Op::kCotan},
    {"asin", Op::kAsin}, {"acos", Op::kAcos}, {"atg", Op::kAtan}, {"atg2", Op::kAtan2},
    {"sqr", Op::kSquare}, {"sqrt", Op::kSqrt}, {"exp", Op::kExp}, {"ln", Op::kLn},
    {"lg", Op::kLog10}, {"pow", Op::kPow}, {"log", Op::kLog}, {"div", Op::kIntDiv},
    {"rng", Op::kRange}, {"dnor", Op::kNormalDegrees}, {"rnor", Op::kNormalRadians},
    {"dgrd", Op::kDegreesToRadians}, {"rddg", Op::kRadiansToDegrees}, {"eps", Op::kEpsilon},
    {"d", Op::kDup}, {"r", Op::kSwap}, {"p", Op::kPop}, {"c", Op::kClear},
    {"case", Op::kCase}, {"quit", Op::kQuit},
    {"scat", Op::kConcat}, {"scmp", Op::kCompare}, {"scmi", Op::kCompareNoCase},
    {"sstr", Op::kFind}, {"ssub", Op::kSubstring}, {"symb", Op::kSymbol}, {"ord", Op::kOrd},
    {"chr", Op::kChr}, {"uc", Op::kUpper}, {"lc", Op::kLower}, {"cap", Op::kCapitalize},
    {"schr", Op::kFindChar},
};
// clang-format on

}  // namespace

bool FindOperator(std::string_view token, Op* op) {
  for (const Named& named : kOperators)
    if (token == named.name) return *op = named.op, true;
  return false;
}

const char* OperatorName(Op op) {
  switch (op) {
    case Op::kWrite:
      return "(>X:...)";
    case Op::kJumpIfZero:
      return "if{";
    case Op::kStore:
      return "sN";
    case Op::kStorePop:
      return "spN";
    default:
      break;
  }
  for (const Named& named : kOperators)
    if (op == named.op) return named.name;
  return "?";
}

}  // namespace bench::script
