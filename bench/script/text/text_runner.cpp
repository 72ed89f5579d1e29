#include "bench/script/text/text_runner.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace bench::script {

using Kind = TextPart::Kind;

TextRunner::TextRunner(Runner& runner, const TextLimits& limits)
    : runner_(runner),
      limits_(limits),
      output_(new char[limits.output_bytes ? limits.output_bytes : 1]) {}

std::string_view TextRunner::Evaluate(const TextProgram& text, DiagnosticSink& sink) {
  const std::vector<TextPart>& parts = text.parts;
  // Plain text, the most common string, is shown from the program itself.
  if (parts.size() == 1 && parts[0].kind == Kind::kLiteral &&
      parts[0].length <= limits_.output_bytes)
    return std::string_view(text.characters).substr(parts[0].offset, parts[0].length);
  text_ = &text;
  sink_ = &sink;
  used_ = 0;
  last_ = {};
  repetitions_ = 0;
  for (size_t at = 0; at < parts.size();) at = Step(at);
  return {output_.get(), used_};
}

size_t TextRunner::Step(size_t at) {
  current_ = at;
  const TextPart& part = text_->parts[at];
  switch (part.kind) {
    case Kind::kLiteral:
      Append(std::string_view(text_->characters).substr(part.offset, part.length));
      break;
    case Kind::kLayout:
      if (part.shows) Append({&part.shows, 1});
      break;
    case Kind::kPiece:
      last_ = runner_.RunPiece(text_->pieces[part.index], *sink_);
      if (part.shown && !last_.none) Show(part);
      break;
    case Kind::kJumpIfZero:
      return last_.number == 0 ? part.target : at + 1;
    case Kind::kJump:
      return part.target;
    case Kind::kCase:
      return Choose(part);
    case Kind::kRepeat:
      return Repeat(at);
  }
  return at + 1;
}

// Labels are whole numbers; the value is rounded as %!d! rounds it.
size_t TextRunner::Choose(const TextPart& choice) const {
  double value = std::round(last_.number);
  for (uint32_t i = choice.index; i < choice.index + choice.length; ++i)
    if (text_->labels[i].value == value) return text_->labels[i].target;
  return choice.target;
}

size_t TextRunner::Repeat(size_t at) {
  if (last_.number == 0) return at + 1;
  if (++repetitions_ <= limits_.repetitions) return text_->parts[at].target;
  Warn(kRepetitions,
       "the string's loops repeated %lu times in one evaluation; this one is stopped here. Does "
       "its condition never become 0?",
       static_cast<unsigned long>(limits_.repetitions));
  return at + 1;
}

void TextRunner::Show(const TextPart& piece) {
  if (!piece.formatted && last_.is_text) return Append(last_.text);
  if (!piece.formatted) {
    char digits[32];
    return Append({digits, NumberText(last_.number, digits)});
  }
  if (last_.is_text && piece.format.conversion == 's') {
    PaddedText padded = PadText(piece.format, last_.text);
    AppendSpaces(padded.before);
    Append(padded.text);
    return AppendSpaces(padded.after);
  }
  char formatted[kFormattedRoom];
  Append({formatted, FormatNumber(piece.format, last_.number, formatted)});
}

void TextRunner::Append(std::string_view text) {
  size_t room = limits_.output_bytes - used_;
  if (text.size() > room)
    Warn(kCut, "the string shows more than %lu bytes; the rest is cut",
         static_cast<unsigned long>(limits_.output_bytes));
  size_t length = std::min(text.size(), room);
  std::copy_n(text.data(), length, output_.get() + used_);
  used_ += length;
}

void TextRunner::AppendSpaces(size_t count) {
  static const char kSpaces[] = "                                ";
  for (size_t left = count; left > 0;) {
    size_t n = std::min(left, sizeof kSpaces - 1);
    Append({kSpaces, n});
    left -= n;
  }
}

void TextRunner::Warn(Warning kind, const char* format, ...) {
  if (!warned_.First(text_->id, static_cast<uint32_t>(current_), kind)) return;
  char line[256];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(line, sizeof line, format, arguments);
  va_end(arguments);
  sink_->Report({Severity::kWarning, text_->origin.file, text_->parts[current_].line, {}, line});
}

}  // namespace bench::script
