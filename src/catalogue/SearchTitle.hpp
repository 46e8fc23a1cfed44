// SearchTitle: the title of a text search's result list and the phrase it stands for.
// Pure functions; callable from any thread.
#pragma once

#include <string>
#include <string_view>

namespace kelda::catalogue {

// "Search for %@" with the phrase; when that title is longer than 15 characters it becomes its
// first 14 characters followed by "...". Characters are counted whole (a letter outside ASCII
// is one character and is never cut in two).
std::string searchTitleFor(std::string_view phrase);

// A title with its leading "Search for " removed (the phrase a load-more sends again).
std::string phraseFromSearchTitle(std::string_view title);

}  // namespace kelda::catalogue
