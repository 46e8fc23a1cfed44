// Wire conventions shared by every request: the middleware address and the form bodies.
//
// Form bodies follow one rule: every value has "%", "&" and "+" percent-encoded exactly once
// when the body is built, and nothing else is changed (blanks, "=", "@" and non-ASCII letters
// travel as they are, in UTF-8). A standard form decoder recovers each value exactly, and a
// value holding none of the three characters goes out byte for byte as typed.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace kelda::gateway {

// "%" -> "%25", "&" -> "%26", "+" -> "%2B"; every other byte unchanged.
std::string encodeFormValue(std::string_view value);

// Fills each "%@" of the format, in order, with the next value, encoded by encodeFormValue.
// The format's own text (names, "=", "&", a leading "&") is kept as it is. Missing values fill
// as the empty text; extra values are ignored.
std::string formatBody(std::string_view format, std::initializer_list<std::string_view> values);

// The middleware address: KELDA_MIDDLEWARE from the environment, else the build setting.
std::string middlewareAddress();
// The landing-page list address: KELDA_CTR_ADDRESS, else the build setting.
std::string ctrAddress();
// The retailer's web host: KELDA_WEB_HOST, else the build setting.
std::string webHost();

}  // namespace kelda::gateway
