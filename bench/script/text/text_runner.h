// Evaluates compiled gauge strings: runs the chosen branches' pieces on a script runner and
// writes what the string shows into an output reserved when the text runner is made, so an
// evaluation allocates nothing. The shown text leaves the layout out but for `\n` and `\t`,
// which come out as '\n' and '\t': a line break or a tab still parts the words a pilot reads.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "bench/script/run/reported_once.h"
#include "bench/script/run/runner.h"
#include "bench/script/text/text_program.h"

namespace bench::script {

struct TextLimits {
  // What a string shows beyond this is cut, with a warning; a GPS page is a few hundred.
  size_t output_bytes = 4096;
  // A %{next} that would jump back more often in one evaluation stops its loop, with a warning.
  long repetitions = 10000;
};

class TextRunner {
 public:
  // The runner runs the pieces; between evaluations it is free for other scripts.
  explicit TextRunner(Runner& runner, const TextLimits& limits = {});
  TextRunner(const TextRunner&) = delete;
  TextRunner& operator=(const TextRunner&) = delete;

  // The text the string shows now, valid until the next evaluation. Runtime warnings (the
  // pieces', a loop stopped, the output cut) go to the sink once per place in the string on this
  // runner. The pieces run on the registers of the runner's pass: a string evaluated on its own
  // begins a pass of its own first (Runner::BeginPass).
  std::string_view Evaluate(const TextProgram& text, DiagnosticSink& sink);

 private:
  enum Warning : uint8_t { kCut = 1 << 0, kRepetitions = 1 << 1 };

  size_t Step(size_t at);
  size_t Choose(const TextPart& choice) const;
  size_t Repeat(size_t at);
  void Show(const TextPart& piece);
  void Append(std::string_view text);
  void AppendSpaces(size_t count);
  void Warn(Warning kind, const char* format, ...) __attribute__((format(printf, 3, 4)));

  Runner& runner_;
  TextLimits limits_;
  std::unique_ptr<char[]> output_;
  size_t used_ = 0;
  ReportedOnce warned_;  // by part
  const TextProgram* text_ = nullptr;
  DiagnosticSink* sink_ = nullptr;
  size_t current_ = 0;  // the part being run, for warnings
  Result last_;         // the last piece's value, which %{if}, %{case} and %{next} go by
  long repetitions_ = 0;
};

}  // namespace bench::script
