#include "bench/script/text/text_format.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

#include "bench/script/run/runner.h"

namespace bench::script {
namespace {

// Wider and finer than any gauge shows; what is written beyond them is read as these.
constexpr int kMaxWidth = 128;
constexpr int kMaxPrecision = 64;

bool Flag(char c, TextFormat* format) {
  switch (c) {
    case '-':
      return format->left = true;
    case '+':
      return format->plus = true;
    case ' ':
      return format->space = true;
    case '0':
      return format->zeros = true;
    default:
      return false;
  }
}

int Digits(std::string_view text, size_t* at, int cap) {
  int value = 0;
  for (; *at < text.size() && text[*at] >= '0' && text[*at] <= '9'; ++*at)
    value = std::min(cap, value * 10 + (text[*at] - '0'));
  return value;
}

// The printf conversion for the format: its flags, then a width and a precision taken from the
// arguments.
void PrintfPattern(const TextFormat& format, bool precision, char (&pattern)[12]) {
  char* p = pattern;
  *p++ = '%';
  if (format.left) *p++ = '-';
  if (format.plus) *p++ = '+';
  if (format.space) *p++ = ' ';
  if (format.zeros) *p++ = '0';
  *p++ = '*';
  if (precision) *p++ = '.', *p++ = '*';
  *p++ = format.conversion;
  *p = '\0';
}

size_t Written(int length) {
  return length > 0 ? std::min(static_cast<size_t>(length), kFormattedRoom - 1) : 0;
}

// `d` rounds half away from zero, as the published 34.56 -> 35 and a symmetric rule for
// negatives give; the host's numbers are 32-bit, so larger ones stop at its limits.
size_t Whole(const TextFormat& format, double number, char (&out)[kFormattedRoom]) {
  double rounded = std::isnan(number) ? 0 : std::round(number);
  int whole = rounded < INT_MIN ? INT_MIN : rounded > INT_MAX ? INT_MAX : static_cast<int>(rounded);
  char pattern[12];
  PrintfPattern(format, format.precision >= 0, pattern);
  if (format.precision < 0)
    return Written(std::snprintf(out, sizeof out, pattern, format.width, whole));
  return Written(std::snprintf(out, sizeof out, pattern, format.width, format.precision, whole));
}

size_t Fixed(const TextFormat& format, double number, char (&out)[kFormattedRoom]) {
  char pattern[12];
  PrintfPattern(format, true, pattern);
  int precision = format.precision < 0 ? 6 : format.precision;
  return Written(std::snprintf(out, sizeof out, pattern, format.width, precision, number));
}

}  // namespace

FormatReading ReadFormat(std::string_view text) {
  FormatReading reading;
  TextFormat& format = reading.format;
  size_t at = 0;
  while (at < text.size() && Flag(text[at], &format)) ++at;
  format.width = Digits(text, &at, kMaxWidth);
  if (at < text.size() && text[at] == '.') {
    ++at;
    format.precision = Digits(text, &at, kMaxPrecision);
  }
  format.conversion = at < text.size() && text[at] != '!' ? text[at++] : '\0';
  reading.known = format.conversion &&
                  std::string_view("dfs").find(format.conversion) != std::string_view::npos;
  reading.closed = at < text.size() && text[at] == '!';
  reading.length = at + reading.closed;
  return reading;
}

size_t FormatNumber(const TextFormat& format, double number, char (&out)[kFormattedRoom]) {
  if (format.conversion == 'd') return Whole(format, number, out);
  if (format.conversion == 'f') return Fixed(format, number, out);
  char digits[32];
  PaddedText padded = PadText(format, {digits, NumberText(number, digits)});
  char* p = out;
  p = std::fill_n(p, padded.before, ' ');
  p = std::copy(padded.text.begin(), padded.text.end(), p);
  p = std::fill_n(p, padded.after, ' ');
  return static_cast<size_t>(p - out);
}

PaddedText PadText(const TextFormat& format, std::string_view text) {
  PaddedText padded;
  padded.text = text.substr(0, format.precision < 0 ? text.size() : format.precision);
  size_t width = static_cast<size_t>(format.width);
  size_t pad = width > padded.text.size() ? width - padded.text.size() : 0;
  (format.left ? padded.after : padded.before) = pad;
  return padded;
}

}  // namespace bench::script
