// Rules for the decimal text that a JSON number keeps. Stateless; any thread.
#pragma once

#include <string_view>

namespace kelda::json::number {

// True when `text` is exactly one number of the JSON grammar
// (-?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?).
bool isJsonNumber(std::string_view text);

// Leading-digits readings: leading white space, an optional sign and the longest numeric prefix
// are read; 0 when there is none. Integers saturate at the limits of long long; floats give
// +-infinity past the double range.
long long leadingInteger(std::string_view text);
double leadingDouble(std::string_view text);

// True when the text, after white space, an optional sign and leading zeros, starts with
// "Y", "y", "T", "t" or a digit 1-9.
bool leadingTruth(std::string_view text);

// Shortest text that reads back as `d` ("nan", "inf", "-inf" for non-finite values).
std::string_view formatDouble(double d, char (&buffer)[32]);

}  // namespace kelda::json::number
