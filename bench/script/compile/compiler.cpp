// Tokens to instructions. if{ becomes a jump over its block when the popped value is 0; a `}`
// followed by els{ adds a jump over the els block; labels and gN jumps are matched once every
// token is read.
#include <algorithm>
#include <atomic>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>
#include <utility>

#include "bench/script/compile/macro_expansion.h"
#include "bench/script/compile/token_syntax.h"
#include "bench/script/compile/tokenizer.h"
#include "bench/script/program.h"
#include "bench/script/references.h"

namespace bench::script {
namespace {

class Compiler {
 public:
  Compiler(const Origin& origin, VariableResolver& resolver, DiagnosticSink& sink, Program* program)
      : resolver_(resolver), sink_(sink), program_(*program) {
    program_.origin = origin;
  }

  void Compile(std::string_view text, const MacroLookup& macros) {
    bool expanded = ExpandMacros(text, program_.origin.line, macros, &expanded_,
                                 [this](int line, int macro, const std::string& message) {
                                   Report(Severity::kError, line, macro, message);
                                 });
    text_ = expanded_.text;
    tokens_ =
        Tokenize(text_, [this](size_t position, Severity severity, const std::string& message) {
          ReportAt(severity, position, message);
        });
    for (token_ = 0; token_ < tokens_.size(); ++token_) Translate(TokenText(token_));
    // The host's if{ skips to its '}' or runs on: without one, the block ends with the script.
    while (!blocks_.empty()) {
      ReportAt(Severity::kWarning, tokens_[blocks_.back().token].begin,
               blocks_.back().els ? "this els{ is not closed with '}'; it runs to the end of the "
                                    "script: close the block"
                                  : "this if{ is not closed with '}'; it runs to the end of the "
                                    "script: close the block");
      Land(blocks_.back().jump);
      blocks_.pop_back();
    }
    ResolveJumps();
    program_.macros = expanded_.names;
    program_.ok = expanded && errors_ == 0;
    // Macros are expanded before the tokens are read; the report goes in the script's order.
    std::stable_sort(reports_.begin(), reports_.end(),
                     [](const Pending& a, const Pending& b) { return a.line < b.line; });
    for (const Pending& r : reports_) {
      std::string_view name = r.macro >= 0 ? std::string_view(expanded_.names[r.macro]) : "";
      sink_.Report({r.severity, program_.origin.file, r.line, name, r.message});
    }
  }

 private:
  struct Block {
    size_t jump;   // the instruction to aim at the block's end
    size_t token;  // its if{ or els{
    bool els;
  };
  struct PendingJump {
    size_t instruction, token;
    long label;
  };

  std::string_view TokenText(size_t index) const {
    return std::string_view(text_).substr(tokens_[index].begin,
                                          tokens_[index].end - tokens_[index].begin);
  }

  struct Pending {
    Severity severity;
    int line, macro;
    std::string message;
  };

  void Report(Severity severity, int line, int macro, std::string_view message) {
    if (severity == Severity::kError) ++errors_;
    reports_.push_back({severity, line, macro, std::string(message)});
  }
  void ReportAt(Severity severity, size_t position, std::string_view message) {
    if (expanded_.lines.empty()) return Report(severity, program_.origin.line, -1, message);
    if (position >= expanded_.lines.size()) position = expanded_.lines.size() - 1;
    Report(severity, expanded_.lines[position], expanded_.macros[position], message);
  }
  void Error(std::string_view message) {
    ReportAt(Severity::kError, tokens_[token_].begin, message);
  }

  uint32_t LocationOfToken() {
    size_t position = tokens_[token_].begin;
    std::pair<int, int> key(expanded_.lines[position], expanded_.macros[position]);
    auto found = locations_.find(key);
    if (found != locations_.end()) return found->second;
    program_.locations.push_back({key.first, key.second});
    return locations_[key] = static_cast<uint32_t>(program_.locations.size() - 1);
  }

  size_t Emit(Op op, int32_t arg = 0, double number = 0) {
    program_.code.push_back({op, LocationOfToken(), arg, number});
    return program_.code.size() - 1;
  }
  size_t Here() const { return program_.code.size(); }
  // Aims a jump at the next instruction; a value pushed just before is then no constant.
  void Land(size_t jump) {
    program_.code[jump].arg = static_cast<int32_t>(Here());
    landing_ = Here();
  }

  void Translate(std::string_view token) {
    double number;
    if (token[0] == '\'') return String(token);
    if (token[0] == '(') return Variable(token);
    if (ParseNumber(token, &number)) {
      if (!std::isfinite(number))
        return Error("'" + std::string(token) + "' is too large a number");
      return void(Emit(Op::kNumber, 0, number));
    }
    size_t index = token_;  // a '}' followed by els{ reads on
    if (!Keyword(Lower(token))) return Error("unknown operator '" + std::string(token) + "'");
    WarnUpperCase(index);
  }

  void WarnUpperCase(size_t index) {
    std::string_view token = TokenText(index);
    std::string lower = Lower(token);
    if (lower != token)
      ReportAt(
          Severity::kWarning, tokens_[index].begin,
          "'" + std::string(token) + "' in upper case; the host's operators are '" + lower + "'");
  }

  // Flow, registers and the operator table; false when the token is none of them.
  bool Keyword(const std::string& token) {
    if (token == "if{") return OpenBlock(Emit(Op::kJumpIfZero), false), true;
    if (token == "els{") return Error("els{ must follow the '}' of an if{ block"), true;
    if (token == "}") return CloseBlock(), true;
    if (token[0] == ':' && AllDigits(token.substr(1))) return Label(std::atol(&token[1])), true;
    if (token[0] == 'g' && AllDigits(token.substr(1))) {
      jumps_.push_back({Emit(Op::kJump), token_, std::atol(&token[1])});
      return jumped_ = true;
    }
    for (auto [name, op] :
         {std::pair<const char*, Op>{"sp", Op::kStorePop}, {"s", Op::kStore}, {"l", Op::kLoad}}) {
      size_t length = std::char_traits<char>::length(name);
      if (token.compare(0, length, name) == 0 && AllDigits(token.substr(length))) {
        long index = std::atol(&token[length]);
        if (index >= kRegisters) {
          Error("there are registers " + std::string(name) + "0.." + name +
                std::to_string(kRegisters - 1) + " only");
          return true;
        }
        return Emit(op, static_cast<int32_t>(index)), true;
      }
    }
    Op op;
    if (!FindOperator(token, &op)) return false;
    if (op == Op::kQuit) jumped_ = true;
    Emit(op);
    return true;
  }

  void OpenBlock(size_t jump, bool els) { blocks_.push_back({jump, token_, els}); }

  void CloseBlock() {
    if (blocks_.empty())
      return ReportAt(Severity::kWarning, tokens_[token_].begin,
                      "a '}' that closes no block; it is skipped, remove it");
    Block block = blocks_.back();
    blocks_.pop_back();
    if (!block.els && token_ + 1 < tokens_.size() && Lower(TokenText(token_ + 1)) == "els{") {
      WarnUpperCase(++token_);
      size_t over_els = Emit(Op::kJump);
      Land(block.jump);
      return OpenBlock(over_els, true);
    }
    Land(block.jump);
  }

  void Label(long label) {
    if (!labels_.emplace(label, Here()).second)
      return Error("label :" + std::to_string(label) + " is defined twice");
    landing_ = Here();
  }

  void ResolveJumps() {
    for (const PendingJump& jump : jumps_) {
      auto found = labels_.find(jump.label);
      if (found == labels_.end()) {
        ReportAt(Severity::kError, tokens_[jump.token].begin,
                 "g" + std::to_string(jump.label) + " jumps to no label; write :" +
                     std::to_string(jump.label) + " where it should go");
        continue;
      }
      program_.code[jump.instruction].arg = static_cast<int32_t>(found->second);
    }
  }

  void String(std::string_view token) {
    std::string_view text = token.size() >= 2 && token.back() == '\''
                                ? token.substr(1, token.size() - 2)
                                : token.substr(1);
    program_.texts.push_back(
        {static_cast<uint32_t>(program_.strings.size()), static_cast<uint32_t>(text.size())});
    program_.strings.append(text);
    Emit(Op::kString, static_cast<int32_t>(program_.texts.size() - 1));
  }

  void Variable(std::string_view token) {
    if (token.size() < 2 || token.back() != ')') return;  // reported by the tokenizer
    VariableUse use;
    VariableSlips slips;
    std::string error;
    if (!ParseVariable(token, &use, &slips, &error)) return Error(error);
    std::string prefix(1, use.prefix);
    if (slips.lower_case_prefix)
      ReportAt(Severity::kWarning, tokens_[token_].begin,
               "'" + Lower(prefix) + ":' in lower case; the host's prefix is '" + prefix + ":'");
    if (slips.spaced_write)
      ReportAt(Severity::kNote, tokens_[token_].begin,
               "a space after '(>' in a write; the bench reads it as (>" + prefix + ":" +
                   std::string(use.name) + "), write it so");
    Bind(use);
  }

  void Bind(const VariableUse& use) {
    Binding binding;
    if (!Judged(use, &binding)) return;
    binding.text = GivesText(use);
    VariableFact fact;
    fact.prefix = use.prefix;
    fact.name = use.name;
    fact.units = use.units;
    fact.index = use.index;
    fact.write = use.write;
    size_t position = tokens_[token_].begin;
    fact.line = expanded_.lines[position];
    if (expanded_.macros[position] >= 0) fact.macro = expanded_.names[expanded_.macros[position]];
    if (use.write) {
      fact.constant = binding.pops && Here() > 0 && landing_ != Here() &&
                      program_.code.back().op == Op::kNumber;
      if (fact.constant) fact.value = program_.code.back().number;
      fact.unconditional = blocks_.empty() && !jumped_;
    }
    program_.references.push_back({std::move(fact), std::move(binding)});
    Emit(use.write ? Op::kWrite : Op::kRead, static_cast<int32_t>(program_.references.size() - 1));
  }

  // The rule first: the resolver binds only what the host serves. False: the reference is
  // refused, the script does not compile.
  bool Judged(const VariableUse& use, Binding* binding) {
    Judgement judged = Judge(use);
    if (judged.reach == Reach::kRefused) return Error(judged.message), false;
    if (judged.reach == Reach::kNowhere) {
      ReportAt(Severity::kWarning, tokens_[token_].begin, judged.message);
      return *binding = Nowhere(), true;
    }
    *binding = resolver_.Resolve(use);
    if (!binding->store)
      return Error("nothing serves " + std::string(1, use.prefix) + ": variables"), false;
    return true;
  }

  VariableResolver& resolver_;
  DiagnosticSink& sink_;
  Program& program_;
  ExpandedText expanded_;
  std::string_view text_;
  std::vector<Token> tokens_;
  size_t token_ = 0;
  std::map<std::pair<int, int>, uint32_t> locations_;
  std::vector<Block> blocks_;
  std::map<long, size_t> labels_;
  std::vector<PendingJump> jumps_;
  bool jumped_ = false;                       // a gN or quit came before: what follows may not run
  size_t landing_ = static_cast<size_t>(-1);  // an instruction some jump lands on
  int errors_ = 0;
  std::vector<Pending> reports_;
};

}  // namespace

uint32_t NewProgramId() {
  static std::atomic<uint32_t> last{0};
  return ++last;
}

Program Compile(std::string_view text, const Origin& origin, const MacroLookup& macros,
                VariableResolver& resolver, DiagnosticSink& sink) {
  Program program;
  program.id = NewProgramId();
  Compiler(origin, resolver, sink, &program).Compile(text, macros);
  return program;
}

}  // namespace bench::script
