// Gauge strings: what they show (formats, choices, loops, layout, stray '%'), which pieces run,
// the registers their pieces share, what is reported on which line, and a steady evaluation that
// allocates nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench/measure/counting_allocator.h"
#include "tests/script_support.h"

namespace {

using bench::script::TextLimits;
using bench::script::TextPart;
using bench::script::TextProgram;
using bench::script::TextRunner;
using Lines = std::vector<std::string>;
using script_test::Gauge;

struct ShowCase {
  const char* text;
  const char* shown;
};

void ExpectShown(const ShowCase* begin, const ShowCase* end) {
  for (const ShowCase* c = begin; c != end; ++c) {
    SCOPED_TRACE(c->text);
    Gauge gauge;
    EXPECT_EQ(gauge.Show(c->text), c->shown);
    EXPECT_EQ(gauge.sink.lines, Lines{});
  }
}

TEST(TextLanguage, FormatsShowValuesAsThePublishedExamples) {
  const ShowCase cases[] = {
      // The FS team's own examples.
      {"%( 12.34 )%!4.3f!", "12.340"},
      {"%( 12.34 )%!04.3f!", "12.340"},
      {"%( 12345.6789 )%!4.3f!", "12345.679"},
      {"%( 34.56 )%!+d!", "+35"},
      {"%(234)%!5d!", "  234"},
      {"%( 'foo' )%!5s!", "  foo"},
      // d rounds half away from zero, on both sides.
      {"%( 2.5 )%!d!", "3"},
      {"%( 2.49 )%!d!", "2"},
      {"%( -2.5 )%!d!", "-3"},
      {"%( -34.56 )%!d!", "-35"},
      {"%( -0.4 )%!d!", "0"},
      {"%( 1000000 1000000 * )%!d!", "2147483647"},
      // Flags and widths.
      {"%( 7 )%!03d!", "007"},
      {"%( -7 )%!05d!", "-0007"},
      {"[%( 7 )%!-3d!]", "[7  ]"},
      {"%( 7 )%! d!", " 7"},
      {"%( -7 )%!+d!", "-7"},
      {"%( 0 )%!+d!", "+0"},
      {"%( 42 )%!1d!", "42"},
      {"%( 7 )%!.3d!", "007"},
      // f: six digits unless told, flags as for d.
      {"%( 2 )%!f!", "2.000000"},
      {"%( 3.14159 )%!.2f!", "3.14"},
      {"%( 2.5 )%!8.1f!", "     2.5"},
      {"[%( 2.5 )%!-8.1f!]", "[2.5     ]"},
      {"%( 2.5 )%!+.1f!", "+2.5"},
      {"%( 1.5 )%!08.2f!", "00001.50"},
      // s: a string padded or cut; a number as its text; a string's leading number in d or f.
      {"[%( 'ab' )%!-5s!]", "[ab   ]"},
      {"%( 'abcdef' )%!.3s!", "abc"},
      {"%( 118.3 )%!7s!", "  118.3"},
      {"%( '12 ft' )%!d!", "12"},
      {"%( 'ILS' )%!3.1f!", "0.0"},
      // No format: a string as it is, a number as its text; a piece that leaves nothing shows
      // nothing.
      {"%( 5 )", "5"},
      {"%( 0.5 )", "0.5"},
      {"%( 'ILS' )", "ILS"},
      {"a%( 1 (>L:x, number) )b", "ab"},
      {"Alt %( 1234.6 )%!05d! ft", "Alt 01235 ft"},
  };
  ExpectShown(std::begin(cases), std::end(cases));
}

TEST(TextLanguage, ChoicesAndLoops) {
  const ShowCase cases[] = {
      {"%( 1 )%{if}ON%{else}OFF%{end}", "ON"},
      {"%( 0 )%{if}ON%{else}OFF%{end}", "OFF"},
      {"%( 0 )%{if}ON%{end}.", "."},
      {"%( 'ILS' )%{if}on%{else}off%{end}", "off"},
      {"%( 1 )%{if}A%( 0 )%{if}B%{else}C%{end}D%{else}E%{end}F", "ACDF"},
      {"%( 0 )%{if}A%( 1 )%{if}B%{end}%{else}E%{end}", "E"},
      // A formatted piece shows and chooses.
      {"%( 1 )%!d!%{if}Y%{end}", "1Y"},
      {"%( 2 )%{case}%{:0}zero%{:1}one%{:2}two%{end}!", "two!"},
      {"%( 5 )%{case}%{:0}zero%{:1}one%{end}!", "!"},
      {"%( 0.6 )%{case}%{:0}zero%{:1}one%{end}", "one"},
      {"%( -1 )%{case}%{:-1}minus%{:1}one%{end}", "minus"},
      {"%( 1 )%{case}%{:0}a%{:1}%( 3 )%{case}%{:2}b%{:3}c%{end}d%{:2}e%{end}f", "cdf"},
      // The body runs, then the piece before %{next} says whether it runs again.
      {"%{loop}%( l0 ++ s0 )%!d!%( l0 5 < )%{next}", "12345"},
      {"%{loop}x%( 0 )%{next}", "x"},
      // Laid out over lines as gauges write them: the piece before a directive still chooses,
      // and still shows nothing; a directive after text goes by the last piece that ran.
      {"%( 1 )\n %{if}\n%( 7 )%!d!\n %{end}", "\n \n7\n "},
      {"%( 0 )%{if}A%{end}%{if}B%{else}C%{end}", "C"},
      {"%{loop}%( l0 ++ s0 )%!d!%{loop}.%( l1 ++ s1 2 % )%{next}%( l0 3 < )%{next}", "1..2..3.."},
  };
  ExpectShown(std::begin(cases), std::end(cases));
}

TEST(TextLanguage, LayoutAndStrayPercentSigns) {
  const ShowCase cases[] = {
      {"\\{clr2}A\\{fnt1}B\\{blnk}\\{tabs=50R,60C, 244L}", "AB"},
      {"one\\ntwo\\tthree", "one\ntwo\tthree"},
      {"12\\{dplo=C}", "12C"},
      {"\\{dpl=ab}", "ab"},
      {"C:\\path", "C:\\path"},
      // A lone '%' shows nothing; "%%" shows one.
      {"MODE %\\{clr2}%( 1 )%{if}%GPS%{else}VLOC%{end}", "MODE GPS"},
      {"%      IDENT", "      IDENT"},
      {"Flaps 40%%", "Flaps 40%"},
      {"100%", "100"},
      {"%( 5 )%", "5"},
      // Parentheses in a quoted string do not end the piece; variable references nest.
      {"%( 'a)b' )", "a)b"},
      {"%( (L:x, enum) 1 + )%!d!", "1"},
  };
  ExpectShown(std::begin(cases), std::end(cases));
}

TEST(TextLanguage, LayoutCodesStayInTheCompiledText) {
  Gauge gauge;
  TextProgram text = gauge.CompileText("\\{clr2}A\\nB\\{fnt1}");
  std::vector<std::string> codes;
  for (const TextPart& part : text.parts)
    if (part.kind == TextPart::Kind::kLayout)
      codes.push_back(text.characters.substr(part.offset, part.length));
  EXPECT_EQ(codes, (std::vector<std::string>{"clr2", "n", "fnt1"}));
}

TEST(TextLanguage, PlainTextIsShownFromTheProgram) {
  Gauge gauge;
  TextProgram text = gauge.CompileText("BATTERY (MASTER)");
  ASSERT_EQ(text.parts.size(), 1u);
  std::string_view shown = gauge.text_runner.Evaluate(text, gauge.sink);
  EXPECT_EQ(shown, "BATTERY (MASTER)");
  EXPECT_EQ(shown.data(), text.characters.data());
}

TEST(TextLanguage, OnlyTheChosenBranchesPiecesRun) {
  Gauge gauge;
  gauge.world.Set("A:GEAR HANDLE POSITION", 1);
  gauge.Show(
      "%( (A:GEAR HANDLE POSITION, bool) )%{if}%( 1 (>L:Down, number) )"
      "%{else}%( 1 (>L:Up, number) )%{end}"
      "%( 2 )%{case}%{:1}%( 1 (>K:GEAR_UP) )%{:2}%( 2 (>K:GEAR_DOWN) )%{end}"
      "%{loop}%( (L:Count, number) ++ (>L:Count, number) )%( (L:Count, number) 3 < )%{next}");
  EXPECT_EQ(gauge.world.Get("L:Down"), 1);
  EXPECT_EQ(gauge.world.Get("L:Up"), 0);
  ASSERT_EQ(gauge.world.events.size(), 1u);
  EXPECT_EQ(gauge.world.events[0].name, "GEAR_DOWN");
  EXPECT_EQ(gauge.world.Get("L:Count"), 3);
}

TEST(TextLanguage, PiecesShareRegistersThatStartAtZeroEachPass) {
  Gauge gauge;
  // A string made in one piece and kept in a register is read in a later one.
  EXPECT_EQ(gauge.Show("%( 'ab' 'cd' scat s1 p 7 s2 p )%( l1 )%( l2 )"), "abcd7");
  // A pass begins with the registers at 0; within it they carry on from string to string.
  TextProgram text = gauge.CompileText("%( l0 ++ s0 )%!d!");
  gauge.runner.BeginPass();
  EXPECT_EQ(gauge.text_runner.Evaluate(text, gauge.sink), "1");
  EXPECT_EQ(gauge.text_runner.Evaluate(text, gauge.sink), "2");
  gauge.runner.BeginPass();
  EXPECT_EQ(gauge.text_runner.Evaluate(text, gauge.sink), "1");
}

TEST(TextLanguage, PiecesAreCompiledWithTheGaugesMacros) {
  Gauge gauge;
  gauge.Define("Feet", "(L:Alt, feet) 100 /");
  gauge.world.Set("L:Alt", 12000);
  EXPECT_EQ(gauge.Show("FL%( @Feet )%!03d!"), "FL120");
}

struct ReportCase {
  const char* text;  // compiled as if it started on line 10
  Lines reported;
};

TEST(TextLanguage, FindingsNameTheirLine) {
  const ReportCase cases[] = {
      {"one\ntwo\n%( 1 )%{esle}x",
       {"Gauge.xml:12: warning: %{esle} is no directive (if, else, end, case, :n, loop, next); "
        "it is skipped"}},
      {"%( 1 )%{if}\nA",
       {"Gauge.xml:10: warning: this %{if} is not closed with %{end}; it goes on to the end of "
        "the text"}},
      {"\n%( 1 )%{case}%{:1}a",
       {"Gauge.xml:11: warning: this %{case} is not closed with %{end}; it goes on to the end of "
        "the text"}},
      {"%{loop}\nx",
       {"Gauge.xml:10: warning: this %{loop} is not closed with %{next}; its text shows once"}},
      {"a%{end}", {"Gauge.xml:10: warning: %{end} closes no %{if} or %{case}; it is skipped"}},
      {"%{loop}%( 1 )%{else}%( 0 )%{next}",
       {"Gauge.xml:10: warning: %{else} belongs to no %{if}; it is skipped"}},
      {"\n\n%( 0 )%{next}", {"Gauge.xml:12: warning: %{next} closes no %{loop}; it is skipped"}},
      {"%{:1}", {"Gauge.xml:10: warning: %{:1} is outside a %{case}; it is skipped"}},
      {"x\n%( 5 )%!d",
       {"Gauge.xml:11: warning: the format '%!d' is not closed with '!'; it ends at its letter"}},
      {"%( 5 )%!5q!",
       {"Gauge.xml:10: warning: '%!5q!' has no conversion the host knows (d, f or s); it "
        "formats nothing"}},
      {"a %!d!",
       {"Gauge.xml:10: warning: the format '%!d!' follows no %( ) piece; it shows nothing"}},
      {"A%{if}B%{end}",
       {"Gauge.xml:10: warning: %{if} follows no %( ) piece, so it goes by 0; put the piece it "
        "chooses by before it"}},
      {"%{if",
       {"Gauge.xml:10: warning: this %{ is not closed with '}'; what follows shows as text"}},
      {"\\{clr", {"Gauge.xml:10: warning: this \\{ is not closed with '}'; it shows as text"}},
      // Slips that ship in working gauges: read as the host most likely reads them.
      {"ok\n%( 5 \n",
       {"Gauge.xml:11: warning: this %( is not closed with ')'; the rest of the text is its "
        "script: close it"}},
      {"%( 1 )%{case}%{:1}A%{end",
       {"Gauge.xml:10: warning: this %{end is not closed with '}'; it is read as %{end}"}},
      // A piece's own errors, on its own lines; reports come in line order.
      {"%( 1 )%{if}\nx\n%( 1\n2 foo )",
       {"Gauge.xml:10: warning: this %{if} is not closed with %{end}; it goes on to the end of "
        "the text",
        "Gauge.xml:13: error: unknown operator 'foo'"}},
      // Forms working gauges carry give nothing.
      {"%GPS %% %\\{clr2}\\{foo}%( 1 )%!s!", {}},
  };
  for (const ReportCase& c : cases) {
    SCOPED_TRACE(c.text);
    Gauge gauge;
    TextProgram text = gauge.CompileText(c.text, 10);
    EXPECT_EQ(gauge.sink.lines, c.reported);
  }
}

TEST(TextLanguage, RuntimeWarningsOncePerPlace) {
  Gauge gauge;
  TextLimits limits;
  limits.repetitions = 50;
  limits.output_bytes = 60;
  TextRunner runner(gauge.runner, limits);
  TextProgram text = gauge.CompileText(
      "%{loop}x%( 1 )%{next}\n%( 1 0 / )%!d!\n%( 'abcdefghijklmnopqrstuvwxyz' )", 20);
  for (int evaluation = 0; evaluation < 2; ++evaluation) {
    gauge.runner.BeginPass();
    EXPECT_EQ(runner.Evaluate(text, gauge.sink), std::string(51, 'x') + "\n0\nabcdef");
  }
  EXPECT_EQ(gauge.sink.lines,
            (Lines{"Gauge.xml:20: warning: the string's loops repeated 50 times in one evaluation; "
                   "this one is stopped here. Does its condition never become 0?",
                   "Gauge.xml:21: warning: '/' by 0 gives 0",
                   "Gauge.xml:22: warning: the string shows more than 60 bytes; the rest is cut"}));
}

TEST(TextLanguage, PiecesVariableFactsReachTheChecks) {
  Gauge gauge;
  TextProgram text = gauge.CompileText(
      "NAV\n%( (L:Nav mode, enum) )%{if}%( 1 (>L:Sound toggle switch, enum) )%{end}", 30);
  std::vector<std::string> facts;
  for (const bench::script::Program& piece : text.pieces)
    for (const bench::script::Reference& r : piece.references)
      facts.push_back(std::string(r.fact.write ? ">" : "") + r.fact.prefix + ":" + r.fact.name +
                      "|line " + std::to_string(r.fact.line));
  EXPECT_EQ(facts,
            (std::vector<std::string>{"L:Nav mode|line 31", ">L:Sound toggle switch|line 31"}));
}

// Keeps no text, so reporting allocates nothing either.
struct CountingSink : bench::script::DiagnosticSink {
  void Report(const bench::script::Diagnostic&) override { ++reports; }
  int reports = 0;
};

TEST(TextLanguage, ASteadyEvaluationAllocatesNothing) {
  Gauge gauge;
  gauge.world.Set("A:GPS WP DISTANCE", 12.345);
  TextProgram text = gauge.CompileText(
      "\\{clr2}DIS %( (A:GPS WP DISTANCE, nmiles) )%!5.1f!NM\\n"
      "%( (L:Page, enum) )%{case}%{:0}FPL%{:1}NRST%{end}\\t"
      "%{loop}%( l0 ++ s0 )%!02d! %( 'WP' l0 scat )%!-6s!%( l0 4 < )%{next}"
      "%( 1 0 / p )%( (L:Obs, bool) )%{if}OBS%{else}LEG%{end}%%");
  CountingSink sink;
  gauge.runner.BeginPass();
  gauge.text_runner.Evaluate(text, sink);  // the runner records each first report
  long before = allocations;
  std::string_view shown;
  for (int evaluation = 1; evaluation < 100; ++evaluation) {
    gauge.runner.BeginPass();
    shown = gauge.text_runner.Evaluate(text, sink);
  }
  EXPECT_EQ(allocations - before, 0);
  EXPECT_EQ(shown, "DIS  12.3NM\nFPL\t01 WP1   02 WP2   03 WP3   04 WP4   LEG%");
  EXPECT_EQ(sink.reports, 1);  // the division by 0, once
}

}  // namespace
