// telURL: the address that dials a product page's call number: "tel://%@" with the number
// percent-escaped as UTF-8 (every byte but letters, digits and "-._~"), so a number text from
// the server can never change the address into something else. Stateless; any thread.
#pragma once

#include <string>
#include <string_view>

namespace kelda::product {

std::string telURL(std::string_view number);

}  // namespace kelda::product
