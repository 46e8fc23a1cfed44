// cutText: the product screens' rule for long texts: a text longer than `limit` characters is
// shown as its first `limit` characters followed by "...". Characters are counted as UTF-8
// code points, so a cut never splits one. Stateless; any thread.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kelda::product {

std::string cutText(std::string_view text, std::size_t limit);

}  // namespace kelda::product
