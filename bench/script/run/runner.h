// Runs compiled scripts. One runner serves every script of a panel, one script at a time: its
// stack, registers and string space are reserved when it is made, so a run allocates nothing.
// Numbers and strings share the stack; a string is a view of the program's literals, of a
// variable's text or of the runner's string space, which each run starts empty.
#pragma once

#include <cmath>
#include <cstdint>
#include <memory>
#include <string_view>

#include "bench/script/program.h"
#include "bench/script/run/reported_once.h"

namespace bench::script {

struct Limits {
  size_t stack_values = 256;
  size_t string_bytes = 65536;  // the strings made in one pass
  // A gN loop that never ends is stopped after this many instructions, with a warning.
  long steps = 100000;
};

// What a run leaves on top of the stack: the answer of a visibility or value script.
struct Result {
  double number = 0;      // a string's leading number
  std::string_view text;  // valid until the next Run or BeginPass
  bool is_text = false;
  bool none = false;  // the stack was left empty, or the script did not compile: number is 0
};

// A number as a string shows it: its shortest exact-looking decimal text (0.5, 118.3). Gives
// the length written.
size_t NumberText(double number, char (&digits)[32]);

class Runner {
 public:
  explicit Runner(const Limits& limits = {});
  ~Runner();
  Runner(const Runner&) = delete;
  Runner& operator=(const Runner&) = delete;

  // A program that did not compile runs nothing and gives 0. Runtime warnings go to the sink,
  // once per place in the script on this runner: the first report of a place is the only time
  // a run allocates. Not re-entrant: a store that runs scripts when written (a
  // key event handled at once) runs them on a runner of their own.
  Result Run(const Program& program, DiagnosticSink& sink);

  // The scripts of one pass share their registers: the pieces of one gauge string, and all the
  // scripts and strings of one gauge in one gauge cycle (shipped gauges store in a value script
  // and read in a later string). A string one of them keeps in a register is read by a later
  // one: BeginPass sets the registers to 0 and empties the string space once per pass, and
  // RunPiece runs a script on an empty stack without touching either. Run is both at once.
  void BeginPass();
  Result RunPiece(const Program& piece, DiagnosticSink& sink);

 private:
  struct Value {
    double number;
    const char* text;  // nullptr: a number
    uint32_t length;
  };
  enum Warning : uint16_t {
    kDivisionByZero = 1 << 0,
    kEmptyStack = 1 << 1,
    kNoNumber = 1 << 2,
    kStackFull = 1 << 3,
    kStringSpaceFull = 1 << 4,
    kStepLimit = 1 << 5,
    kCaseIndex = 1 << 6,
  };

  // Each instruction is run by the one member below that a table made at compile time gives
  // its op (dispatch.cpp), where a static_assert holds that every op has exactly one.
  using Handler = void (Runner::*)(const Instruction&);
  struct Handlers {
    Handler of[static_cast<size_t>(Op::kCount)] = {};
    // Kept beside `of`: a compiler may not compare member pointers while it builds the table.
    bool claimed[static_cast<size_t>(Op::kCount)] = {};
    bool twice = false;  // an op was given two members
    constexpr void Claim(Op op, Handler handler);
    constexpr bool Complete() const;
  };
  static constexpr Handlers MakeHandlers();
  void Execute(const Instruction& instruction);
  // Literals, variables, registers and flow (runner.cpp).
  void NumberLiteral(const Instruction& instruction);
  void StringLiteral(const Instruction& instruction);
  void Variable(const Instruction& instruction);
  void Jump(const Instruction& instruction);
  void JumpIfZero(const Instruction& instruction);
  void Quit(const Instruction& instruction);
  void Store(const Instruction& instruction);
  void StorePop(const Instruction& instruction);
  void Load(const Instruction& instruction);
  // The stack (runner.cpp).
  void Dup(const Instruction& instruction);
  void Swap(const Instruction& instruction);
  void Drop(const Instruction& instruction);
  void Clear(const Instruction& instruction);
  void Choose(const Instruction& instruction);
  void Case(const Instruction& instruction);
  // Numbers (number_operators.cpp): Unary and Binary run the ops of their function tables.
  void Unary(const Instruction& instruction);
  void Binary(const Instruction& instruction);
  void Pi(const Instruction& instruction);
  void Range(const Instruction& instruction);
  void Equality(const Instruction& instruction);
  // Strings (text_operators.cpp).
  void Concat(const Instruction& instruction);
  void Compare(const Instruction& instruction);
  void Substring(const Instruction& instruction);
  void Symbol(const Instruction& instruction);
  void Ord(const Instruction& instruction);
  void Chr(const Instruction& instruction);
  void ChangeCase(const Instruction& instruction);
  void Find(const Instruction& instruction);
  void FindChar(const Instruction& instruction);

  void Warn(Warning kind, const char* format, ...) __attribute__((format(printf, 3, 4)));
  void NoteBinding(int32_t reference, bool write);
  void Report(std::string_view message);

  // The stack's fast paths are here, to be inlined into every operator.
  void Push(const Value& value) {
    if (top_ < limits_.stack_values) {
      stack_[top_++] = value;
    } else {
      Overflow();
    }
  }
  void PushNumber(double number) { Push({number, nullptr, 0}); }
  // A computed number; one that is not finite (a square root of -1) becomes 0 and a warning,
  // so no NaN or infinity reaches the host's variables.
  void PushResult(Op op, double number) {
    if (std::isfinite(number)) return PushNumber(number);
    NoNumber(op);
  }
  void PushText(std::string_view text);
  Value Pop() { return top_ > 0 ? stack_[--top_] : PopEmpty(); }
  double PopNumber() { return NumberOf(Pop()); }
  std::string_view PopText() { return TextOf(Pop()); }
  double NumberOf(const Value& value) const {
    return value.text ? LeadingNumber(value) : value.number;
  }
  void Overflow();
  void NoNumber(Op op);
  Value PopEmpty();
  double LeadingNumber(const Value& text) const;
  std::string_view TextOf(const Value& value);
  // Room for `length` bytes of a new string, cut to what is left (with a warning).
  char* Allocate(size_t length, size_t* granted);
  std::string_view Copy(std::string_view first, std::string_view second = {});

  Limits limits_;
  std::unique_ptr<Value[]> stack_;
  size_t top_ = 0;
  Value registers_[kRegisters];
  std::unique_ptr<char[]> strings_;
  size_t used_ = 0;
  ReportedOnce warned_;  // by location
  ReportedOnce noted_;   // by reference
  const Program* program_ = nullptr;
  DiagnosticSink* sink_ = nullptr;
  const Instruction* current_ = nullptr;
  size_t next_ = 0;  // the instruction to run after the current one
};

}  // namespace bench::script
