// RetailerPages: the addresses of the retailer's web pages that the client shows (policies,
// shipping fees, tax), and the escaping of text that goes into a page or an address.
// Stateless; any thread.
#pragma once

#include <string>
#include <string_view>

namespace kelda::support {

// Paths on the retailer's web site.
inline constexpr const char* kPrivacyPolicyPath =
    "/service/start/safeshopping/privacy.jsp?width=320&height=480";
inline constexpr const char* kShippingPolicyPath =
    "/service/shipping/index.jsp?width=320&height=480";
inline constexpr const char* kReturnPolicyPath = "/service/returns/index.jsp?width=320&height=480";
inline constexpr const char* kLegalPolicyPath =
    "/service/start/safeshopping/legal.jsp?width=320&height=480";
inline constexpr const char* kPricingPolicyPath =
    "/service/start/safeshopping/pricing.jsp?width=320&height=480";

// The address of `path` on the retailer's web host (the options' web host), escaped as an
// address: characters that may not stand in an address are percent-encoded as UTF-8 bytes;
// the address's own "/", "?", "&", "=" and existing "%XX" escapes stay.
std::string retailerPageURL(std::string_view path);

// `text` percent-encoded for an address where it must stay whole, as a query value or one path
// segment: everything but letters, digits and "-._~".
std::string escapeURLValue(std::string_view text);
// `text` with "&", "<", ">", '"' and "'" written as HTML entities.
std::string escapeHTML(std::string_view text);

}  // namespace kelda::support
