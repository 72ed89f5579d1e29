// The instructions of a compiled script: the operators a panel author writes, and the few the
// compiler makes of literals, variables, registers and flow (if{ els{ } becomes jumps).
#pragma once

#include <cstdint>
#include <string_view>

namespace bench::script {

// How many registers sN, spN and lN name, from 0: shared by the scripts of a pass (run/runner.h).
constexpr int kRegisters = 50;

enum class Op : uint8_t {
  // Made by the compiler; `arg` and `number` of the instruction say what on.
  kNumber,      // push number
  kString,      // push the program's string arg
  kRead,        // push reference arg
  kWrite,       // pop into reference arg (or send it with 0 when its binding does not pop)
  kJump,        // to instruction arg
  kJumpIfZero,  // pop; to instruction arg when 0
  kStore,       // sN: the top into register arg, kept
  kStorePop,    // spN: the top into register arg, popped
  kLoad,        // lN
  kQuit,
  // The operators, a group a line.
  // clang-format off
  kAdd, kSub, kMul, kDiv, kMod, kIncrement, kDecrement, kNegate,
  kEqual, kNotEqual, kGreater, kLess, kGreaterEqual, kLessEqual,
  kChoose, kNot, kAnd, kOr,
  kBitAnd, kBitOr, kBitXor, kBitNot, kShiftLeft, kShiftRight,
  kAbs, kInt, kFloor, kCeil, kNear, kMin, kMax, kPi, kSin, kCos, kTan, kCotan, kAsin, kAcos,
  kAtan, kAtan2, kSquare, kSqrt, kExp, kLn, kLog10, kPow, kLog, kIntDiv, kRange,
  kNormalDegrees, kNormalRadians, kDegreesToRadians, kRadiansToDegrees, kEpsilon,
  kDup, kSwap, kPop, kClear, kCase,
  kConcat, kCompare, kCompareNoCase, kFind, kSubstring, kSymbol, kOrd, kChr, kUpper, kLower,
  kCapitalize, kFindChar,
  // clang-format on
  kCount
};

// The operator a lower-case token names; false when it names none. Registers, labels, jumps
// and braces are the compiler's, not in this table.
bool FindOperator(std::string_view lower_case_token, Op* op);
// The operator's name as a panel author writes it, for messages; "?" for the compiler's own.
const char* OperatorName(Op op);

}  // namespace bench::script
