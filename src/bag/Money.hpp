// Money: amounts the client adds up itself (the home screen's bag total, the added-to-bag sub
// total), in whole cents, never in floating point. Prices arrive as decimal texts; a text is
// read by its leading number ("12.99", "12.9", "12", "$" and blanks before it are skipped,
// "abc" is 0), rounded half up to the cent. Stateless; any thread.
#pragma once

#include <string>
#include <string_view>

namespace kelda::bag {

// Cents of a price text; 0 when it has no leading number. Amounts beyond about 10^15 cents
// are capped there (no overflow whatever the text).
long long centsFromText(std::string_view text);

// "12.99" for 1299, "0.05" for 5, "-1.50" for -150: the "%4.2f" form of the amount.
std::string formatCents(long long cents);

// a * b and a + b, capped at the largest amount instead of overflowing.
long long multiplyCents(long long cents, long long count);
long long addCents(long long a, long long b);

}  // namespace kelda::bag
