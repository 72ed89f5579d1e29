// The numeric operators. Every operand is taken as a number (a string as its leading number).
#include "bench/script/run/number_functions.h"
#include "bench/script/run/runner.h"

namespace bench::script {

void Runner::Unary(const Instruction& instruction) {
  numbers::UnaryFunction f = numbers::kNumberTable.unary[static_cast<int>(instruction.op)];
  PushResult(instruction.op, f(PopNumber()));
}

void Runner::Binary(const Instruction& instruction) {
  Op op = instruction.op;
  double b = PopNumber(), a = PopNumber();
  if (b == 0 && (op == Op::kDiv || op == Op::kMod || op == Op::kIntDiv)) {
    Warn(kDivisionByZero, "'%s' by 0 gives 0", OperatorName(op));
    return PushNumber(0);
  }
  PushResult(op, numbers::kNumberTable.binary[static_cast<int>(op)](a, b));
}

void Runner::Pi(const Instruction&) { PushNumber(numbers::kPi); }

void Runner::Range(const Instruction&) {
  double x = PopNumber(), high = PopNumber(), low = PopNumber();
  PushNumber(low <= x && x <= high);
}

// Two strings compare as text, so (M:Event) 'LeftSingle' == means what it says.
void Runner::Equality(const Instruction& instruction) {
  Value right = Pop(), left = Pop();
  bool same =
      left.text && right.text ? TextOf(left) == TextOf(right) : NumberOf(left) == NumberOf(right);
  PushNumber(same == (instruction.op == Op::kEqual));
}

}  // namespace bench::script
