// Which member of the runner runs each op. The numeric ops are given to Unary and Binary by the
// function tables that compute them; every other op by name. An op that no member runs, or
// that two would, fails the build.
#include <initializer_list>

#include "bench/script/run/number_functions.h"
#include "bench/script/run/runner.h"

namespace bench::script {

constexpr void Runner::Handlers::Claim(Op op, Handler handler) {
  size_t index = static_cast<size_t>(op);
  twice = twice || claimed[index];
  of[index] = handler, claimed[index] = true;
}

constexpr bool Runner::Handlers::Complete() const {
  for (bool op_claimed : claimed)
    if (!op_claimed) return false;
  return !twice;
}

constexpr Runner::Handlers Runner::MakeHandlers() {
  Handlers h;
  for (size_t op = 0; op < static_cast<size_t>(Op::kCount); ++op) {
    if (numbers::kNumberTable.is_unary[op]) h.Claim(static_cast<Op>(op), &Runner::Unary);
    if (numbers::kNumberTable.is_binary[op]) h.Claim(static_cast<Op>(op), &Runner::Binary);
  }
  auto claim = [&h](Handler handler, std::initializer_list<Op> ops) {
    for (Op op : ops) h.Claim(op, handler);
  };
  claim(&Runner::NumberLiteral, {Op::kNumber});
  claim(&Runner::StringLiteral, {Op::kString});
  claim(&Runner::Variable, {Op::kRead, Op::kWrite});
  claim(&Runner::Jump, {Op::kJump});
  claim(&Runner::JumpIfZero, {Op::kJumpIfZero});
  claim(&Runner::Quit, {Op::kQuit});
  claim(&Runner::Store, {Op::kStore});
  claim(&Runner::StorePop, {Op::kStorePop});
  claim(&Runner::Load, {Op::kLoad});
  claim(&Runner::Dup, {Op::kDup});
  claim(&Runner::Swap, {Op::kSwap});
  claim(&Runner::Drop, {Op::kPop});
  claim(&Runner::Clear, {Op::kClear});
  claim(&Runner::Choose, {Op::kChoose});
  claim(&Runner::Case, {Op::kCase});
  claim(&Runner::Pi, {Op::kPi});
  claim(&Runner::Range, {Op::kRange});
  claim(&Runner::Equality, {Op::kEqual, Op::kNotEqual});
  claim(&Runner::Concat, {Op::kConcat});
  claim(&Runner::Compare, {Op::kCompare, Op::kCompareNoCase});
  claim(&Runner::Substring, {Op::kSubstring});
  claim(&Runner::Symbol, {Op::kSymbol});
  claim(&Runner::Ord, {Op::kOrd});
  claim(&Runner::Chr, {Op::kChr});
  claim(&Runner::ChangeCase, {Op::kUpper, Op::kLower, Op::kCapitalize});
  claim(&Runner::Find, {Op::kFind});
  claim(&Runner::FindChar, {Op::kFindChar});
  return h;
}

void Runner::Execute(const Instruction& instruction) {
  static constexpr Handlers kHandlers = MakeHandlers();
  static_assert(kHandlers.Complete(), "every Op below Op::kCount is run by exactly one member");
  (this->*kHandlers.of[static_cast<size_t>(instruction.op)])(instruction);
}

}  // namespace bench::script
