// Wire conventions shared by every request: the middleware address and the form bodies.
//
// Form bodies follow one rule: every value has "%", "&" and "+" percent-encoded exactly once
// when the body is built, and nothing else is changed (blanks, "=", "@" and non-ASCII letters
// travel as they are, in UTF-8). A standard form decoder recovers each value exactly, and a
// value holding none of the three characters goes out byte for byte as typed.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "json/Value.hpp"

namespace kelda::gateway {

// "%" -> "%25", "&" -> "%26", "+" -> "%2B"; every other byte unchanged.
std::string encodeFormValue(std::string_view value);

// Fills each "%@" of the format, in order, with the next value, encoded by encodeFormValue.
// The format's own text (names, "=", "&", a leading "&") is kept as it is. Missing values fill
// as the empty text; extra values are ignored.
std::string formatBody(std::string_view format, std::initializer_list<std::string_view> values);

// The middleware address, the landing-page list address and the retailer's web host of the
// current options.
std::string middlewareAddress();
std::string ctrAddress();
std::string webHost();
// "http://" + address + "/", or the address itself (with a final "/") when it names its
// scheme: "https://host:port" makes the client speak https, verifying certificates.
std::string addressBase(std::string_view address);

// ---- Endpoint index ----
// Every request the gateway makes to the middleware server is one row of a single table: the
// operation that makes it, the endpoint, how it is sent and the body format. Operations build
// their requests from their row (request() below), so the endpoint, method and field order of
// each request are written in one place.

enum class Method {
  Post,                   // POST through downloadPostData (no header of our own)
  PostWithContentLength,  // POST built by the operation, with "Content-Length"
  Get,                    // GET through downloadGetData
};

// Which address an endpoint lives on.
enum class Host { Middleware, Ctr };

struct Endpoint {
  // The gateway operation's name; an operation that sends two kinds of request has a second
  // row named "<operation>/search" (its text-search form).
  std::string_view operation;
  std::string_view endpoint;
  Method method;
  // Body format with one "%@" per field, in wire order ("" for an empty body). Integer fields
  // are filled with their decimal text.
  std::string_view bodyFormat;
  Host host = Host::Middleware;
};

// The whole index, in a fixed order.
std::span<const Endpoint> endpointIndex();
// The row of an operation; throws std::out_of_range for an unknown name (a programming error).
const Endpoint& endpointFor(std::string_view operation);
// The request URL of a row: addressBase(host) + endpoint on the row's host.
std::string endpointURL(const Endpoint& row);
// Builds the operation's URL and body (values through formatBody) and sends it with the
// row's method. The answer as the transport gives it (absent on any failure). No connectivity
// check here: the operation makes it first.
json::Value request(std::string_view operation, std::initializer_list<std::string_view> values);
// The same with a body the caller has already built (the account edit operations).
json::Value requestWithBody(std::string_view operation, const std::string& body);

}  // namespace kelda::gateway
