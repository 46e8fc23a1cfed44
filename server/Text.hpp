// Text helpers shared by the endpoints: id parsing, trimming, case folding, digit tests.
// Pure functions; any thread.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelda::server {

// A positive decimal id of at most 15 digits (blanks around it allowed); nothing otherwise.
std::optional<long long> parseId(std::string_view text);
// A decimal integer (optional sign, digits only, blanks around it allowed) within
// [lowest, highest]; nothing for anything else, including numbers too large for any type.
std::optional<long long> parseBounded(std::string_view text, long long lowest, long long highest);
// A plain decimal number ("40.75", "-73", ".5"; blanks around it allowed) within
// [-magnitude, magnitude]. No exponent, hexadecimal, "nan" or "inf": nothing for those.
std::optional<double> parseDecimal(std::string_view text, double magnitude);
std::string trim(std::string_view text);
// ASCII lower case; other bytes unchanged.
std::string lowerAscii(std::string_view text);
bool allDigits(std::string_view text);
std::vector<std::string> split(std::string_view text, char separator);
// FNV-1a, for stable numbers derived from text.
unsigned long long fnv1a(std::string_view text, unsigned long long basis = 1469598103934665603ULL);

// The text with every byte sequence that is not valid UTF-8 replaced by U+FFFD.
std::string validUtf8(std::string_view text);

}  // namespace kelda::server
