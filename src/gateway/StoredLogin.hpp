// The stored log-in: the file login.plist in the documents directory, holding the signed-in
// shopper's user name (the e-mail address) and password as the plain text "%@;%@". Every
// request made on the shopper's behalf takes its credentials from here. Free functions; any
// thread (each call reads or replaces the whole file).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "json/Value.hpp"

namespace kelda::gateway {

inline constexpr const char* kLoginFileName = "login.plist";

// <documents>/login.plist; empty when there is no documents directory.
std::filesystem::path storedLoginPath();

// {"loginUserName", "loginPassword"} when the stored log-in is valid, else an empty object.
// Valid: the file exists and holds non-empty UTF-8 text that splits at ";" into exactly two
// parts, neither of which is a single blank.
json::Value readStoredLogin();
// The same rules applied to a text (what the file holds).
json::Value parseStoredLogin(std::string_view text);

// Replaces the file with `text` (usually "%@;%@" of user name and password): written
// atomically and readable by the owner only. False when it could not be written (the old file
// is then left as it was).
bool writeStoredLogin(const std::string& text);
// Deletes the file when present.
void removeStoredLogin();

}  // namespace kelda::gateway
