// The child products of a collection answer. A plain collection ("ITEM") lists its children as
// the array "childProducts"; a tabbed one ("TAB") names its tabs in "pdpTabName" (display order)
// and maps each tab name to its array in the object "childProducts". Entries of the wrong kind
// (a child that is not a dictionary, a tab name that is not a text) are left out, so an odd
// answer shows fewer rows rather than failing.
//
// Plain functions of a decoded answer; any thread.
#pragma once

#include <string>
#include <vector>

#include "json/Value.hpp"

namespace kelda::product {

enum class CollectionKind { Plain, Tabbed };

// The tab names of a tabbed collection, in display order.
std::vector<std::string> collectionTabNames(const json::Value& answer);

// The children shown: all of a plain collection's, or those under `tab` of a tabbed one.
std::vector<json::Value> collectionChildren(const json::Value& answer, CollectionKind kind,
                                            const std::string& tab);

}  // namespace kelda::product
