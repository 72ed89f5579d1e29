// Text to parts. A '%' begins a piece, a format or a directive by the character after it; a
// '\' begins a layout code. The findings of the text and of its pieces are kept and given in
// line order once the whole text is read.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "bench/common/names.h"
#include "bench/script/text/text_program.h"

namespace bench::script {
namespace {

class Findings : public DiagnosticSink {
 public:
  void Report(const Diagnostic& d) override {
    kept_.push_back({d.severity, d.line, std::string(d.macro), std::string(d.message)});
  }
  void Add(Severity severity, int line, std::string message) {
    kept_.push_back({severity, line, {}, std::move(message)});
  }
  void Flush(std::string_view file, DiagnosticSink& sink) const {
    std::vector<Kept> sorted = kept_;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Kept& a, const Kept& b) { return a.line < b.line; });
    for (const Kept& k : sorted) sink.Report({k.severity, file, k.line, k.macro, k.message});
  }

 private:
  struct Kept {
    Severity severity;
    int line;
    std::string macro, message;
  };
  std::vector<Kept> kept_;
};

using Kind = TextPart::Kind;

class TextCompiler {
 public:
  TextCompiler(std::string_view text, const MacroLookup& macros, VariableResolver& resolver,
               TextProgram* program)
      : text_(text),
        macros_(macros),
        resolver_(resolver),
        program_(*program),
        line_(program->origin.line) {}

  void Compile() {
    while (at_ < text_.size()) {
      if (text_[at_] == '%') {
        Percent();
      } else if (text_[at_] == '\\') {
        Backslash();
      } else {
        size_t end = std::min(text_.find_first_of("%\\", at_), text_.size());
        AddLiteral(text_.substr(at_, end - at_));
        Advance(end);
      }
    }
    while (!blocks_.empty()) NeverClosed();
  }

  const Findings& findings() const { return findings_; }

 private:
  struct Block {
    enum Opened { kIf, kElse, kCase, kLoop } kind = kIf;
    // if and else: the jump to aim at the block's end; case: its kCase part; loop: the first
    // part of its text.
    size_t part = 0;
    int line = 0;
    std::vector<CaseLabel> labels;  // a case's, as written
    std::vector<size_t> exits;      // a case's jumps from the end of a label's text
  };

  void Advance(size_t to) {
    line_ += static_cast<int>(std::count(text_.begin() + at_, text_.begin() + to, '\n'));
    at_ = to;
  }
  void Warn(int line, std::string message) {
    findings_.Add(Severity::kWarning, line, std::move(message));
  }

  size_t Emit(Kind kind, int line) {
    TextPart part;
    part.kind = kind;
    part.line = line;
    program_.parts.push_back(part);
    return program_.parts.size() - 1;
  }
  // Aims a jump at the next part.
  void Land(size_t jump) { program_.parts[jump].target = Target(); }
  uint32_t Here() const { return static_cast<uint32_t>(program_.parts.size()); }
  // The next part, which something jumps to: literal text after it starts a part of its own.
  uint32_t Target() { return landing_ = Here(); }

  void AddLiteral(std::string_view text) {
    if (text.empty()) return;
    std::vector<TextPart>& parts = program_.parts;
    if (parts.empty() || parts.back().kind != Kind::kLiteral || landing_ == Here() ||
        parts.back().offset + parts.back().length != program_.characters.size())
      parts[Emit(Kind::kLiteral, line_)].offset = static_cast<uint32_t>(program_.characters.size());
    parts.back().length += static_cast<uint32_t>(text.size());
    program_.characters.append(text);
  }

  void Percent() {
    char next = at_ + 1 < text_.size() ? text_[at_ + 1] : '\0';
    if (next == '(') return Piece();
    if (next == '!') return Format();
    if (next == '{') return Directive();
    // "%%" shows one '%': shipping tooltips write a percent sign after a number so. A '%'
    // before anything else shows nothing; working gauges carry one before text or an escape
    // code, and their authors would have seen it on the panel.
    if (next == '%') AddLiteral("%");
    Advance(at_ + (next == '%' ? 2 : 1));
  }

  // The ')' that balances the '(' at `open`: quoted strings hold no parenthesis, variable
  // references nest.
  size_t BalancingParenthesis(size_t open) const {
    int depth = 0;
    for (size_t i = open; i < text_.size(); ++i) {
      if (text_[i] == '\'') {
        i = text_.find('\'', i + 1);
        if (i == std::string_view::npos) break;
      } else if (text_[i] == '(') {
        ++depth;
      } else if (text_[i] == ')' && --depth == 0) {
        return i;
      }
    }
    return std::string_view::npos;
  }

  void Piece() {
    int line = line_;
    size_t open = at_ + 1, close = BalancingParenthesis(open);
    // A shipped gauge leaves a colour's piece open at the end of its attribute, and works: the
    // piece is the rest of the text.
    if (close == std::string_view::npos) {
      Warn(line, "this %( is not closed with ')'; the rest of the text is its script: close it");
      close = text_.size();
    }
    Program piece =
        bench::script::Compile(text_.substr(open + 1, close - open - 1),
                               {program_.origin.file, line}, macros_, resolver_, findings_);
    last_piece_ = Emit(Kind::kPiece, line);
    program_.parts[last_piece_].index = static_cast<uint32_t>(program_.pieces.size());
    program_.pieces.push_back(std::move(piece));
    Advance(std::min(close + 1, text_.size()));
    piece_end_ = at_;
  }

  void Format() {
    int line = line_;
    FormatReading reading = ReadFormat(text_.substr(at_ + 2));
    std::string written(text_.substr(at_, 2 + reading.length));
    bool after_piece = at_ == piece_end_;
    Advance(at_ + 2 + reading.length);
    if (!reading.known)
      return Warn(line, "'" + written +
                            "' has no conversion the host knows (d, f or s); it formats nothing");
    if (!reading.closed)
      Warn(line, "the format '" + written + "' is not closed with '!'; it ends at its letter");
    if (!after_piece)
      return Warn(line, "the format '" + written + "' follows no %( ) piece; it shows nothing");
    TextPart& piece = program_.parts[last_piece_];
    piece.formatted = true;
    piece.format = reading.format;
    piece_end_ = at_;
  }

  // Only white space since the last piece and its format: the piece is what a directive here
  // goes by.
  bool AfterPiece() const {
    return piece_end_ != std::string_view::npos &&
           Trim(text_.substr(piece_end_, at_ - piece_end_)).empty();
  }

  void Directive() {
    int line = line_;
    size_t close = text_.find('}', at_ + 2);
    if (close == std::string_view::npos && !UnclosedDirective(line)) {
      Warn(line, "this %{ is not closed with '}'; what follows shows as text");
      return Advance(at_ + 1);
    }
    close = std::min(close, text_.size());
    std::string name(text_.substr(at_ + 2, close - at_ - 2));
    bool after_piece = AfterPiece();
    Advance(std::min(close + 1, text_.size()));
    long label;
    if (name == "if") {
      Condition(name, line, after_piece);
      Open(Block::kIf, Emit(Kind::kJumpIfZero, line), line);
    } else if (name == "case") {
      Condition(name, line, after_piece);
      Open(Block::kCase, Emit(Kind::kCase, line), line);
    } else if (name == "loop") {
      Open(Block::kLoop, Target(), line);
    } else if (name == "else") {
      Else(line);
    } else if (name == "end") {
      End(line);
    } else if (name == "next") {
      Next(line, after_piece);
    } else if (Label(name, &label)) {
      CaseLabel(label, line);
    } else {
      Warn(line, "%{" + name + "} is no directive (if, else, end, case, :n, loop, next); it " +
                     "is skipped");
    }
  }

  // A shipped gauge ends a string with "%{end" and works: a directive's name left open at the
  // very end is read as the directive. False when the rest of the text is no directive.
  bool UnclosedDirective(int line) {
    std::string name(text_.substr(at_ + 2));
    bool known = name == "end" || name == "next" || name == "else";
    if (known)
      Warn(line, "this %{" + name + " is not closed with '}'; it is read as %{" + name + "}");
    return known;
  }

  void Open(Block::Opened kind, size_t part, int line) {
    blocks_.emplace_back();
    blocks_.back().kind = kind;
    blocks_.back().part = part;
    blocks_.back().line = line;
  }

  // An %{if}, %{case} or %{next} goes by the last piece that ran. The piece right before it
  // (white space between them, as gauges lay their text out) is a condition: unformatted, it
  // shows nothing.
  void Condition(const std::string& name, int line, bool after_piece) {
    if (last_piece_ == kNoPiece)
      return Warn(line, "%{" + name + "} follows no %( ) piece, so it goes by 0; put the piece " +
                            "it chooses by before it");
    TextPart& piece = program_.parts[last_piece_];
    if (after_piece && !piece.formatted) piece.shown = false;
  }

  void Else(int line) {
    if (blocks_.empty() || blocks_.back().kind != Block::kIf)
      return Warn(line, "%{else} belongs to no %{if}; it is skipped");
    Block& block = blocks_.back();
    size_t over_else = Emit(Kind::kJump, line);
    Land(block.part);
    block.part = over_else;
    block.kind = Block::kElse;
  }

  void End(int line) {
    if (blocks_.empty() || blocks_.back().kind == Block::kLoop)
      return Warn(line, "%{end} closes no %{if} or %{case}; it is skipped");
    Close();
  }

  void Next(int line, bool after_piece) {
    if (blocks_.empty() || blocks_.back().kind != Block::kLoop)
      return Warn(line, "%{next} closes no %{loop}; it is skipped");
    Condition("next", line, after_piece);
    program_.parts[Emit(Kind::kRepeat, line)].target = static_cast<uint32_t>(blocks_.back().part);
    blocks_.pop_back();
  }

  static bool Label(const std::string& name, long* value) {
    if (name.size() < 2 || name[0] != ':') return false;
    if (!std::isdigit(static_cast<unsigned char>(name[1])) && name[1] != '-') return false;
    char* end;
    *value = std::strtol(name.c_str() + 1, &end, 10);
    return *end == '\0';
  }

  void CaseLabel(long value, int line) {
    if (blocks_.empty() || blocks_.back().kind != Block::kCase)
      return Warn(line, "%{:" + std::to_string(value) + "} is outside a %{case}; it is skipped");
    Block& block = blocks_.back();
    if (!block.labels.empty()) block.exits.push_back(Emit(Kind::kJump, line));
    block.labels.push_back({value, Target()});
  }

  void Close() {
    Block& block = blocks_.back();
    if (block.kind == Block::kIf || block.kind == Block::kElse) Land(block.part);
    if (block.kind == Block::kCase) {
      TextPart& choice = program_.parts[block.part];
      choice.index = static_cast<uint32_t>(program_.labels.size());
      choice.length = static_cast<uint32_t>(block.labels.size());
      choice.target = Target();
      program_.labels.insert(program_.labels.end(), block.labels.begin(), block.labels.end());
      for (size_t exit : block.exits) Land(exit);
    }
    blocks_.pop_back();
  }

  // An open block ends with the text, as the host most likely reads it: an %{if} or %{case}
  // chooses up to the end, a %{loop} shows its text once.
  void NeverClosed() {
    const Block& block = blocks_.back();
    if (block.kind == Block::kLoop)
      Warn(block.line, "this %{loop} is not closed with %{next}; its text shows once");
    else
      Warn(block.line, std::string("this ") + (block.kind == Block::kCase ? "%{case}" : "%{if}") +
                           " is not closed with %{end}; it goes on to the end of the text");
    Close();
  }

  void Backslash() {
    char next = at_ + 1 < text_.size() ? text_[at_ + 1] : '\0';
    if (next == 'n' || next == 't') {
      Layout(text_.substr(at_ + 1, 1), next == 'n' ? '\n' : '\t');
      return Advance(at_ + 2);
    }
    size_t close = next == '{' ? text_.find('}', at_ + 2) : std::string_view::npos;
    if (close != std::string_view::npos) {
      std::string_view code = text_.substr(at_ + 2, close - at_ - 2);
      Layout(code, '\0');
      CharactersOf(code);
      return Advance(close + 1);
    }
    if (next == '{') Warn(line_, "this \\{ is not closed with '}'; it shows as text");
    // No reference gives any other backslash a meaning: it shows as it stands.
    AddLiteral("\\");
    Advance(at_ + 1);
  }

  void Layout(std::string_view code, char shows) {
    TextPart& part = program_.parts[Emit(Kind::kLayout, line_)];
    part.offset = static_cast<uint32_t>(program_.characters.size());
    part.length = static_cast<uint32_t>(code.size());
    part.shows = shows;
    program_.characters.append(code);
  }

  // \{dplo=X} draws X with a degree sign above it, \{dpl=XY} X raised and Y lowered: the
  // characters are text, the code around them layout.
  void CharactersOf(std::string_view code) {
    for (std::string_view prefix : {"dplo=", "dpl="})
      if (code.substr(0, prefix.size()) == prefix) return AddLiteral(code.substr(prefix.size()));
  }

  std::string_view text_;
  const MacroLookup& macros_;
  VariableResolver& resolver_;
  TextProgram& program_;
  Findings findings_;
  size_t at_ = 0;
  int line_;
  static constexpr size_t kNoPiece = SIZE_MAX;
  size_t piece_end_ = std::string_view::npos;  // where the last piece (and its format) ended
  size_t last_piece_ = kNoPiece;               // its part
  uint32_t landing_ = UINT32_MAX;              // the last part something jumps to
  std::vector<Block> blocks_;
};

}  // namespace

TextProgram CompileText(std::string_view text, const Origin& origin, const MacroLookup& macros,
                        VariableResolver& resolver, DiagnosticSink& sink) {
  TextProgram program;
  program.id = NewProgramId();
  program.origin = origin;
  TextCompiler compiler(text, macros, resolver, &program);
  compiler.Compile();
  compiler.findings().Flush(origin.file, sink);
  return program;
}

}  // namespace bench::script
