// The apology a catalogue list shows when a request brought no product (or no answer):
// "Sorry !" / "We're sorry, we couldn't find any items that matched your search term." / "OK".
// Main thread only.
#pragma once

namespace kelda::catalogue {

void showNothingFoundAlert();

}  // namespace kelda::catalogue
