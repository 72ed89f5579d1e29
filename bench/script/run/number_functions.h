// The numeric operators' functions, as a table from operator to function: the runner's
// Unary and Binary run them, and its dispatch (dispatch.cpp) gives those two members exactly
// the ops this table holds. Bit operators work on 32-bit integers, as the host's do.
#pragma once

#include <cfloat>
#include <cmath>
#include <cstdint>

#include "bench/script/operators.h"

namespace bench::script::numbers {

constexpr double kPi = 3.14159265358979323846;

// The value wrapped into 32 bits, as the host's integer conversion keeps the low bits; a value
// that is no number counts as 0.
inline int32_t Int32(double value) {
  if (!std::isfinite(value)) return 0;
  double low = std::fmod(std::trunc(value), 4294967296.0);
  if (low < 0) low += 4294967296.0;
  return static_cast<int32_t>(static_cast<uint32_t>(low));
}

inline double Normalized(double value, double turn) {
  double r = std::fmod(value, turn);
  if (r < 0) r += turn;
  return r >= turn ? 0 : r;
}

using UnaryFunction = double (*)(double);
using BinaryFunction = double (*)(double, double);  // a b op: a is the one pushed first

// Which table holds an op is kept beside the functions: a compiler may not compare a lambda's
// function pointer with null while it builds the runner's dispatch.
struct NumberTable {
  UnaryFunction unary[static_cast<int>(Op::kCount)];
  BinaryFunction binary[static_cast<int>(Op::kCount)];
  bool is_unary[static_cast<int>(Op::kCount)];
  bool is_binary[static_cast<int>(Op::kCount)];
};

constexpr NumberTable MakeTable() {
  NumberTable t{};
  auto un = [&t](Op op, UnaryFunction f) {
    t.unary[static_cast<int>(op)] = f;
    t.is_unary[static_cast<int>(op)] = true;
  };
  auto bin = [&t](Op op, BinaryFunction f) {
    t.binary[static_cast<int>(op)] = f;
    t.is_binary[static_cast<int>(op)] = true;
  };
  un(Op::kIncrement, [](double x) { return x + 1; });
  un(Op::kDecrement, [](double x) { return x - 1; });
  un(Op::kNegate, [](double x) { return -x; });
  un(Op::kNot, [](double x) { return x == 0 ? 1.0 : 0.0; });
  un(Op::kBitNot, [](double x) { return static_cast<double>(~Int32(x)); });
  un(Op::kAbs, [](double x) { return std::fabs(x); });
  un(Op::kInt, [](double x) { return std::trunc(x); });
  un(Op::kFloor, [](double x) { return std::floor(x); });
  un(Op::kCeil, [](double x) { return std::ceil(x); });
  un(Op::kNear, [](double x) { return std::round(x); });
  un(Op::kSin, [](double x) { return std::sin(x); });
  un(Op::kCos, [](double x) { return std::cos(x); });
  un(Op::kTan, [](double x) { return std::tan(x); });
  un(Op::kCotan, [](double x) { return 1 / std::tan(x); });
  un(Op::kAsin, [](double x) { return std::asin(x); });
  un(Op::kAcos, [](double x) { return std::acos(x); });
  un(Op::kAtan, [](double x) { return std::atan(x); });
  un(Op::kSquare, [](double x) { return x * x; });
  un(Op::kSqrt, [](double x) { return std::sqrt(x); });
  un(Op::kExp, [](double x) { return std::exp(x); });
  un(Op::kLn, [](double x) { return std::log(x); });
  un(Op::kLog10, [](double x) { return std::log10(x); });
  un(Op::kNormalDegrees, [](double x) { return Normalized(x, 360); });
  un(Op::kNormalRadians, [](double x) { return Normalized(x, 2 * kPi); });
  un(Op::kDegreesToRadians, [](double x) { return x * kPi / 180; });
  un(Op::kRadiansToDegrees, [](double x) { return x * 180 / kPi; });
  // The spacing of doubles at x: how far apart two values near x can be told.
  un(Op::kEpsilon, [](double x) { return std::nextafter(std::fabs(x), DBL_MAX) - std::fabs(x); });
  bin(Op::kAdd, [](double a, double b) { return a + b; });
  bin(Op::kSub, [](double a, double b) { return a - b; });
  bin(Op::kMul, [](double a, double b) { return a * b; });
  bin(Op::kDiv, [](double a, double b) { return a / b; });
  bin(Op::kMod, [](double a, double b) { return std::fmod(a, b); });
  bin(Op::kIntDiv, [](double a, double b) { return std::trunc(a / b); });
  bin(Op::kGreater, [](double a, double b) { return a > b ? 1.0 : 0.0; });
  bin(Op::kLess, [](double a, double b) { return a < b ? 1.0 : 0.0; });
  bin(Op::kGreaterEqual, [](double a, double b) { return a >= b ? 1.0 : 0.0; });
  bin(Op::kLessEqual, [](double a, double b) { return a <= b ? 1.0 : 0.0; });
  bin(Op::kAnd, [](double a, double b) { return a != 0 && b != 0 ? 1.0 : 0.0; });
  bin(Op::kOr, [](double a, double b) { return a != 0 || b != 0 ? 1.0 : 0.0; });
  bin(Op::kBitAnd, [](double a, double b) { return static_cast<double>(Int32(a) & Int32(b)); });
  bin(Op::kBitOr, [](double a, double b) { return static_cast<double>(Int32(a) | Int32(b)); });
  bin(Op::kBitXor, [](double a, double b) { return static_cast<double>(Int32(a) ^ Int32(b)); });
  // Shift counts wrap at 32, as the x86 shift instructions the host runs on do.
  bin(Op::kShiftLeft, [](double a, double b) {
    return static_cast<double>(
        static_cast<int32_t>(static_cast<uint32_t>(Int32(a)) << (Int32(b) & 31)));
  });
  bin(Op::kShiftRight,
      [](double a, double b) { return static_cast<double>(Int32(a) >> (Int32(b) & 31)); });
  bin(Op::kMin, [](double a, double b) { return std::fmin(a, b); });
  bin(Op::kMax, [](double a, double b) { return std::fmax(a, b); });
  bin(Op::kAtan2, [](double y, double x) { return std::atan2(y, x); });
  bin(Op::kPow, [](double a, double b) { return std::pow(a, b); });
  bin(Op::kLog, [](double x, double base) { return std::log(x) / std::log(base); });
  return t;
}

inline constexpr NumberTable kNumberTable = MakeTable();

}  // namespace bench::script::numbers
