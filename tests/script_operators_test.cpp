// The operators against the values the host's documentation gives, one table per group.
#include <gtest/gtest.h>

#include <cfloat>
#include <string>
#include <vector>

#include "tests/script_support.h"

namespace {

using script_test::Gauge;

const double kPi = 3.14159265358979323846;

struct NumberCase {
  const char* script;
  double expected;
};

struct TextCase {
  const char* script;
  const char* expected;
};

void ExpectNumbers(const std::vector<NumberCase>& cases) {
  Gauge gauge;
  for (const NumberCase& c : cases) {
    SCOPED_TRACE(c.script);
    bench::script::Result result = gauge.Evaluate(c.script);
    EXPECT_NEAR(result.number, c.expected, 1e-12);
  }
  EXPECT_TRUE(gauge.sink.lines.empty()) << gauge.sink.lines[0];
}

void ExpectTexts(const std::vector<TextCase>& cases) {
  Gauge gauge;
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.script);
    bench::script::Result result = gauge.Evaluate(c.script);
    EXPECT_TRUE(result.is_text);
    EXPECT_EQ(std::string(result.text), c.expected);
  }
  EXPECT_TRUE(gauge.sink.lines.empty()) << gauge.sink.lines[0];
}

TEST(ScriptOperators, NumbersAndArithmetic) {
  ExpectNumbers({
      {"-18.216", -18.216},
      {"0x0FF532", 0x0FF532},
      {".5", 0.5},
      {"1e3", 1000},
      {"3 4 +", 7},
      {"10 4 -", 6},
      {"6 7 *", 42},
      {"7 2 /", 3.5},
      {"370 360 %", 10},
      {"-7 3 %", -1},
      {"7 2 div", 3},
      {"-7 2 div", -3},
      {"5 ++", 6},
      {"5 --", 4},
      {"5 neg", -5},
      {"-5 /-/", 5},
  });
}

TEST(ScriptOperators, ComparisonsGiveOneOrZero) {
  ExpectNumbers({
      {"1 2 <", 1},
      {"2 1 <", 0},
      {"2 2 <=", 1},
      {"3 2 <=", 0},
      {"3 2 >", 1},
      {"2 2 >", 0},
      {"2 2 >=", 1},
      {"2 2 ==", 1},
      {"2 3 !=", 1},
      {"1 2 lt", 1},
      {"3 2 gt", 1},
      {"2 2 eq", 1},
      {"2 3 ne", 1},
      {"2 2 ge", 1},
      {"2 2 le", 1},
      // Two strings compare as text; a string and a number as numbers.
      {"'ab' 'ab' ==", 1},
      {"'ab' 'AB' ==", 0},
      {"'ab' 'AB' !=", 1},
      {"'5' 5 ==", 1},
  });
}

TEST(ScriptOperators, ChoiceAndLogic) {
  ExpectNumbers({
      {"10 20 1 ?", 10},
      {"10 20 0 ?", 20},
      {"10 20 -3 ?", 10},
      {"0 !", 1},
      {"3 not", 0},
      {"1 0 &&", 0},
      {"1 2 and", 1},
      {"0 0 ||", 0},
      {"0 5 or", 1},
  });
}

TEST(ScriptOperators, BitsWorkOn32BitIntegers) {
  ExpectNumbers({
      {"12 10 &", 8},
      {"12 10 |", 14},
      {"12 10 ^", 6},
      {"0 ~", -1},
      {"1 4 <<", 16},
      {"256 4 >>", 16},
      {"-16 2 >>", -4},
      {"1 31 <<", -2147483648.0},
      {"4294967297 1 &", 1},  // the low 32 bits
      {"1 33 <<", 2},         // counts wrap at 32
      {"5.9 1 |", 5},
  });
}

TEST(ScriptOperators, MathInRadians) {
  ExpectNumbers({
      {"-2.5 abs", 2.5},     {"-2.7 int", -2},       {"-2.5 flr", -3},     {"2.1 ceil", 3},
      {"2.5 near", 3},       {"-2.5 near", -3},      {"3 4 min", 3},       {"3 4 max", 4},
      {"pi", kPi},           {"pi 2 / sin", 1},      {"0 cos", 1},         {"pi 4 / tg", 1},
      {"pi 4 / ctg", 1},     {"1 asin", kPi / 2},    {"1 acos", 0},        {"1 atg", kPi / 4},
      {"1 1 atg2", kPi / 4}, {"0 -1 atg2", kPi},     {"3 sqr", 9},         {"16 sqrt", 4},
      {"0 exp", 1},          {"1 exp ln", 1},        {"1000 lg", 3},       {"2 10 pow", 1024},
      {"8 2 log", 3},        {"1 3 2 rng", 1},       {"1 3 3 rng", 1},     {"1 3 0.5 rng", 0},
      {"-30 dnor", 330},     {"720 dnor", 0},        {"pi neg rnor", kPi}, {"180 dgrd", kPi},
      {"pi rddg", 180},      {"1 eps", DBL_EPSILON},
  });
}

TEST(ScriptOperators, StackRegistersAndCase) {
  ExpectNumbers({
      {"1 2 r -", 1},
      {"3 d *", 9},
      {"1 2 p", 1},
      {"1 2 c 5", 5},
      {"1 2 c", 0},
      {"7 s0 p l0 l0 +", 14},
      {"7 sp1 l1 l1 *", 49},
      {"3 s49 p 1 l49 +", 4},
      {"l5", 0},
      // v(n-1) .. v1 v0 n i case: index 0 is the value pushed last.
      {"10 20 30 3 0 case", 30},
      {"10 20 30 3 2 case", 10},
      {"5 10 20 30 3 1 case +", 25},
  });
}

TEST(ScriptOperators, Strings) {
  ExpectTexts({
      {"'ILS'", "ILS"},
      {"''", ""},
      {"'ab' 'cd' scat", "abcd"},
      {"'hello' 1 3 ssub", "ell"},
      {"'hello' 3 10 ssub", "lo"},
      {"'hello' 9 1 ssub", ""},
      {"'hello' 1 symb", "e"},
      {"66 chr", "B"},
      {"'MiXed' uc", "MIXED"},
      {"'MiXed' lc", "mixed"},
      {"'mIXED' cap", "Mixed"},
      {"5 'ft' scat", "5ft"},
      {"0.5 ' nm' scat", "0.5 nm"},
      {"118.3 '' scat", "118.3"},
      {"'on' 'off' 0 ?", "off"},
      {"'a' 'b' 2 0 case", "b"},
      {"'x' d scat", "xx"},
      {"'ab' s3 p l3 l3 scat", "abab"},
  });
  ExpectNumbers({
      {"'abc' 'abc' scmp", 0},
      {"'abc' 'abd' scmp", -1},
      {"'abc' 'ABC' scmp", 1},
      {"'abc' 'ABC' scmi", 0},
      {"'hello' 'll' sstr", 2},
      {"'hello' 'z' sstr", -1},
      {"'A' ord", 65},
      {"'' ord", 0},
      {"'hello' 'l' schr", 2},
      {"'hello' 111 schr", 4},
      {"'12 ft' 1 +", 13},
      {"'ILS' 1 +", 1},
  });
}

}  // namespace
