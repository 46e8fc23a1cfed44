// The lookup tables shipped with the client as property lists in the resources directory:
// US-States.plist (two-letter code -> state name) and CoreMetrics.plist (analytics page id ->
// category id). Read on each call (they are small); any thread.
#pragma once

#include "json/Value.hpp"

namespace kelda::gateway {

// The decoded US-States.plist dictionary; absent when the file is missing or unreadable.
json::Value usStatesTable();
// The decoded CoreMetrics.plist dictionary; absent when the file is missing or unreadable.
json::Value coreMetricsTable();

// The last code of US-States.plist whose name equals `name`; absent when none does.
json::Value stateCodeForName(const json::Value& name);

}  // namespace kelda::gateway
