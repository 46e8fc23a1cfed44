// PropertyList: XML property-list files read into and written from json::Value.
//
// Reading maps dict -> object (file order), array -> array, string -> string, integer and
// real -> number, true/false -> boolean, date -> string ("2001-01-01T00:00:00Z"), data ->
// string (its base64 text). Anything that is not a well-formed XML property list gives the
// absent value; no input can crash the reader. Stateless functions, safe from any thread.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "json/Value.hpp"

namespace kelda::platform {

// The value held by XML property-list text; absent when the text is not one.
json::Value propertyListFromXml(std::string_view xml);

// XML property-list text for `value`; nothing when the value holds something a property list
// cannot keep: null, the absent value, or text that is not valid UTF-8 or not allowed in XML.
std::optional<std::string> propertyListToXml(const json::Value& value);

// The value of the property-list file at `path`; absent for a missing, unreadable, empty or
// damaged file, a directory, or anything that is not an XML property list.
json::Value readPropertyList(const std::filesystem::path& path);

// Writes `value` as an XML property list, atomically (see writeTextFileAtomically). False, with
// the old file untouched, when the value cannot be written or the file cannot be replaced.
bool writePropertyList(const std::filesystem::path& path, const json::Value& value,
                       mode_t mode = 0644);

}  // namespace kelda::platform
