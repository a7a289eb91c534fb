// The lenient number reader of the boxes: whatever number the text starts
// with, never an error. Parsing goes through std::from_chars because Qt sets
// the process locale from the environment, and strtod would then expect a
// decimal comma on some desktops.

#include <charconv>
#include <cmath>
#include <limits>

#include "skills_core.h"

static bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
static bool isDigit(char c) { return c >= '0' && c <= '9'; }

static int hexDigitValue(char c) {
  if (isDigit(c)) return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Digits after "&H"; a long run grows to infinity and saturates later.
static double hexValue(std::string_view digits) {
  double value = 0;
  for (char c : digits) {
    int d = hexDigitValue(c);
    if (d < 0) break;
    value = value * 16 + d;
  }
  return value;
}

static size_t digitRun(std::string_view s, size_t pos) {
  size_t end = pos;
  while (end < s.size() && isDigit(s[end])) ++end;
  return end - pos;
}

// An exponent is only taken when digits follow its letter and optional sign.
// Its value is capped far beyond any double so the text given to from_chars
// stays short.
static long exponentAt(std::string_view s, size_t pos) {
  if (pos >= s.size()) return 0;
  char letter = s[pos];
  if (letter != 'e' && letter != 'E' && letter != 'd' && letter != 'D') return 0;
  size_t at = pos + 1;
  bool negative = false;
  if (at < s.size() && (s[at] == '+' || s[at] == '-')) negative = s[at++] == '-';
  size_t count = digitRun(s, at);
  long value = 0;
  for (size_t k = 0; k < count; ++k) value = std::min(value * 10 + (s[at + k] - '0'), 1000000L);
  return negative ? -value : value;
}

static double decimalValue(std::string_view s) {
  size_t pos = 0;
  bool negative = false;
  if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) negative = s[pos++] == '-';
  std::string_view whole = s.substr(pos, digitRun(s, pos));
  pos += whole.size();
  std::string_view fraction;
  if (pos < s.size() && s[pos] == '.') {
    fraction = s.substr(pos + 1, digitRun(s, pos + 1));
    pos += 1 + fraction.size();
  }
  if (whole.empty() && fraction.empty()) return 0;
  long exponent = exponentAt(s, pos);

  std::string normal;
  normal.append(whole.empty() ? "0" : whole).append(".").append(fraction.empty() ? "0" : fraction);
  normal.append("e").append(std::to_string(exponent));
  double value = 0;
  auto [end, error] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
  (void)end;
  if (error == std::errc::result_out_of_range) {
    // Too large or too small for a double: tell which by the decimal position
    // of the first significant digit.
    size_t lead = whole.find_first_not_of('0');
    long magnitude = lead != std::string_view::npos
                         ? static_cast<long>(whole.size() - lead)
                         : -static_cast<long>(fraction.find_first_not_of('0'));
    value = magnitude + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return negative ? -value : value;
}

double numberOfText(std::string_view text) {
  std::string packed;
  packed.reserve(text.size());
  for (char c : text)
    if (!isBlank(c)) packed.push_back(c);
  std::string_view s = packed;
  if (s.size() >= 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h')) return hexValue(s.substr(2));
  return decimalValue(s);
}

int32_t integerOfText(std::string_view text) {
  // nearbyint rounds in the default mode: to nearest, ties to even.
  double rounded = std::nearbyint(numberOfText(text));
  if (std::isnan(rounded)) return 0;
  if (rounded >= static_cast<double>(std::numeric_limits<int32_t>::max()))
    return std::numeric_limits<int32_t>::max();
  if (rounded <= static_cast<double>(std::numeric_limits<int32_t>::min()))
    return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(rounded);
}
