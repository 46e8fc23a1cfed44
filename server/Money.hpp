// Money texts: amounts are kept in integer cents and travel as decimal texts with two places
// ("12.50", "-3.00"). Pure functions; any thread.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kelda::server {

std::string formatCents(long long cents);
// Reads "12", "12.5", "12.50", "$12.50"; nothing for anything else (or more than two places).
std::optional<long long> parseCents(std::string_view text);
// cents * basisPoints / 10000, rounded half up (for non-negative amounts).
long long applyBasisPoints(long long cents, long long basisPoints);

}  // namespace kelda::server
