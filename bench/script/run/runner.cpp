#include "bench/script/run/runner.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace bench::script {
namespace {

// Sizes for messages: MinGW's printf knows no %zu.
unsigned long Long(size_t size) { return static_cast<unsigned long>(size); }

}  // namespace

Runner::Runner(const Limits& limits)
    : limits_(limits),
      stack_(new Value[limits.stack_values ? limits.stack_values : 1]),
      strings_(new char[limits.string_bytes ? limits.string_bytes : 1]) {}

Runner::~Runner() = default;

// A plain script is a string of one piece.
Result Runner::Run(const Program& program, DiagnosticSink& sink) {
  BeginPass();
  return RunPiece(program, sink);
}

void Runner::BeginPass() {
  used_ = 0;
  for (Value& r : registers_) r = {0, nullptr, 0};
}

Result Runner::RunPiece(const Program& program, DiagnosticSink& sink) {
  if (!program.ok) return {0, {}, false, true};
  program_ = &program;
  sink_ = &sink;
  top_ = 0;
  const std::vector<Instruction>& code = program.code;
  long steps = 0;
  for (size_t pc = 0; pc < code.size(); pc = next_) {
    current_ = &code[pc];
    if (++steps > limits_.steps) {
      Warn(kStepLimit,
           "the script ran %ld steps without ending and is stopped here; does a gN "
           "loop never end?",
           limits_.steps);
      break;
    }
    next_ = pc + 1;
    Execute(code[pc]);
  }
  if (top_ == 0) return {0, {}, false, true};
  const Value& top = stack_[top_ - 1];
  if (!top.text) return {top.number, {}, false};
  return {NumberOf(top), {top.text, top.length}, true};
}

void Runner::NumberLiteral(const Instruction& instruction) { PushNumber(instruction.number); }

void Runner::StringLiteral(const Instruction& instruction) {
  const Program::Text& text = program_->texts[instruction.arg];
  PushText({program_->strings.data() + text.offset, text.length});
}

void Runner::Jump(const Instruction& instruction) { next_ = instruction.arg; }

void Runner::JumpIfZero(const Instruction& instruction) {
  if (PopNumber() == 0) next_ = instruction.arg;
}

void Runner::Quit(const Instruction&) { next_ = program_->code.size(); }

void Runner::Store(const Instruction& instruction) {
  registers_[instruction.arg] = top_ ? stack_[top_ - 1] : Pop();
}

void Runner::StorePop(const Instruction& instruction) { registers_[instruction.arg] = Pop(); }

void Runner::Load(const Instruction& instruction) { Push(registers_[instruction.arg]); }

void Runner::Variable(const Instruction& instruction) {
  const Binding& binding = program_->references[instruction.arg].binding;
  if (instruction.op == Op::kWrite) {
    double value = binding.pops ? PopNumber() : 0;
    if (!binding.store->Write(binding.id, value)) NoteBinding(instruction.arg, true);
    return;
  }
  if (binding.text) {
    std::string_view text;
    if (!binding.store->ReadText(binding.id, &text)) NoteBinding(instruction.arg, false);
    return PushText(text);
  }
  double value = 0;
  if (!binding.store->Read(binding.id, &value)) {
    NoteBinding(instruction.arg, false);
    value = 0;
  }
  PushNumber(value);
}

void Runner::Dup(const Instruction&) {
  Value top = Pop();
  Push(top);
  Push(top);
}

void Runner::Swap(const Instruction&) {
  Value b = Pop(), a = Pop();
  Push(b);
  Push(a);
}

void Runner::Drop(const Instruction&) { Pop(); }

void Runner::Clear(const Instruction&) { top_ = 0; }

void Runner::Choose(const Instruction&) {
  double condition = PopNumber();
  Value otherwise = Pop(), chosen = Pop();
  Push(condition != 0 ? chosen : otherwise);
}

// v(n-1) .. v1 v0 n i case: the n values go, v(i) stays.
void Runner::Case(const Instruction&) {
  double index = PopNumber(), count = PopNumber();
  size_t n = count > 0 ? static_cast<size_t>(std::fmin(count, 1e9)) : 0;
  if (n > top_) {
    Warn(kEmptyStack, "case takes %lu values but the stack holds %lu; the missing ones are 0",
         Long(n), Long(top_));
    n = top_;
  }
  Value chosen = {0, nullptr, 0};
  if (index >= 0 && index < n)
    chosen = stack_[top_ - 1 - static_cast<size_t>(index)];
  else
    Warn(kCaseIndex, "case index %g is outside 0..%lu; it gives 0", index, Long(n ? n - 1 : 0));
  top_ -= n;
  Push(chosen);
}

void Runner::Warn(Warning kind, const char* format, ...) {
  if (!warned_.First(program_->id, current_->location, kind)) return;
  char message[256];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(message, sizeof message, format, arguments);
  va_end(arguments);
  Report(message);
}

void Runner::NoteBinding(int32_t index, bool write) {
  const uint16_t kNote = 1;  // a reference has one note
  if (!noted_.First(program_->id, static_cast<uint32_t>(index), kNote)) return;
  const Reference& reference = program_->references[index];
  const VariableFact& fact = reference.fact;
  char message[256];
  if (reference.binding.note.empty())
    std::snprintf(message, sizeof message,
                  write ? "the write to (%c:%s) goes nowhere" : "(%c:%s) has no value; it reads 0",
                  fact.prefix, fact.name.c_str());
  Report(reference.binding.note.empty() ? std::string_view(message) : reference.binding.note);
}

void Runner::Report(std::string_view message) {
  const Location& location = program_->locations[current_->location];
  std::string_view macro;
  if (location.macro >= 0) macro = program_->macros[location.macro];
  sink_->Report({Severity::kWarning, program_->origin.file, location.line, macro, message});
}

void Runner::Overflow() {
  Warn(kStackFull, "the stack is full (%lu values); the value is dropped", Long(top_));
}

Runner::Value Runner::PopEmpty() {
  Warn(kEmptyStack, "'%s' pops an empty stack; it gets 0", OperatorName(current_->op));
  return {0, nullptr, 0};
}

void Runner::NoNumber(Op op) {
  Warn(kNoNumber, "'%s' gives no number for these values; 0 is used", OperatorName(op));
  PushNumber(0);
}

char* Runner::Allocate(size_t length, size_t* granted) {
  size_t left = limits_.string_bytes - used_;
  *granted = length;
  if (length > left) {
    Warn(kStringSpaceFull, "the strings of one run take more than %lu bytes; this one is cut",
         Long(limits_.string_bytes));
    *granted = left;
  }
  char* room = strings_.get() + used_;
  used_ += *granted;
  return room;
}

}  // namespace bench::script
