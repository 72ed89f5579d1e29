// A gauge string compiled once, when its gauge loads: the text of <String>, <FormattedText>,
// <GaugeString>, a tooltip or an attribute value such as Color="%( 'White' 'Gray' (G:Var1) 0
// == ? )". Literal text shows as it stands; `%( script )` is a piece, a script compiled like any
// other, whose value shows (in the `%!fmt!` written right after it, if any) or chooses:
// `%{if}`, `%{else}`, `%{end}`; `%{case}`, `%{:n}`, `%{end}`; `%{loop}` ... `%( cond )%{next}`.
// The choices become jumps over the parts, so an evaluation runs only the chosen branches'
// pieces. `\{code}`, `\n` and `\t` are layout for the text's renderer, not text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "bench/script/program.h"
#include "bench/script/text/text_format.h"

namespace bench::script {

struct TextPart {
  enum class Kind : uint8_t {
    kLiteral,     // shows characters [offset, offset + length)
    kLayout,      // an escape code, its text at [offset, offset + length); shows `shows`, if any
    kPiece,       // runs pieces[index]; shows its value when `shown`
    kJumpIfZero,  // %{if}: on to `target` when the last piece's value is 0
    kJump,        // to `target`
    kCase,        // %{case}: to the label of labels[index, index + length) equal to the last
                  // piece's value rounded, or to `target` when none is
    kRepeat,      // %{next}: back to `target` when the last piece's value is not 0
  };
  Kind kind = Kind::kLiteral;
  // A piece that only chooses (followed by %{if}, %{case} or %{next}) shows nothing.
  bool shown = true;
  bool formatted = false;
  char shows = '\0';  // the character a layout code stands for in the shown text ('\n', '\t')
  TextFormat format;
  uint32_t offset = 0, length = 0;
  uint32_t index = 0, target = 0;
  int line = 0;
};

struct CaseLabel {
  long value;
  uint32_t target;
};

// Like a Program, it does not change when it is evaluated.
struct TextProgram {
  uint32_t id = 0;  // NewProgramId's: a text runner keeps its record of the text by it
  Origin origin;
  std::vector<TextPart> parts;
  // Public for the panel checks: each piece's `variables` are the facts of its references.
  std::vector<Program> pieces;
  std::vector<CaseLabel> labels;
  std::string characters;  // literal runs and layout codes, one after another
};

// Compiles a gauge string; errors and warnings go to the sink with the line of the construct,
// counted from origin.line. Pieces are compiled with the gauge's macros and resolver, like its
// scripts. A text with no '%' and no '\' becomes one literal part.
TextProgram CompileText(std::string_view text, const Origin& origin, const MacroLookup& macros,
                        VariableResolver& resolver, DiagnosticSink& sink);

}  // namespace bench::script
