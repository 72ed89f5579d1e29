// How a gauge string shows a piece's value: the `%!fmt!` written right after the piece, read
// once when the string is compiled. The host's formats are printf's, cut down to the three
// conversions its gauge authors are given: `d` a whole number (rounded, not cut: 34.56 shows
// 35), `f` a number with a precision (6 digits when none is written) and `s` a string (a number
// as its text); with a width, a precision and the flags `0`, `-`, `+` and space.
#pragma once

#include <cstddef>
#include <string_view>

namespace bench::script {

struct TextFormat {
  char conversion = 's';  // 'd', 'f' or 's'
  bool left = false;      // '-': padded on the right
  bool plus = false;      // '+': a sign on positive numbers too
  bool space = false;     // ' ': a space where a positive number's sign would be
  bool zeros = false;     // '0': numbers padded with zeros
  int width = 0;
  int precision = -1;  // none written
};

struct FormatReading {
  TextFormat format;
  size_t length = 0;    // the characters read after "%!", the closing '!' with them
  bool known = false;   // the conversion is d, f or s
  bool closed = false;  // a '!' follows the conversion
};

// Reads the format that follows "%!" in `text`. It ends after its conversion letter and the
// '!' after it; a '!' left out ends it after the letter, as working gauges rely on.
FormatReading ReadFormat(std::string_view text);

// Enough for any value in any format: widths and precisions are capped when read.
constexpr size_t kFormattedRoom = 512;

// A number as the format shows it, written into `out`; returns the length. In an `s` format a
// number shows as its text.
size_t FormatNumber(const TextFormat& format, double number, char (&out)[kFormattedRoom]);

// A string in an `s` format: cut to the precision, with the spaces that pad it to the width.
// (In a `d` or `f` format a string shows its leading number.)
struct PaddedText {
  std::string_view text;
  size_t before = 0, after = 0;
};
PaddedText PadText(const TextFormat& format, std::string_view text);

}  // namespace bench::script
