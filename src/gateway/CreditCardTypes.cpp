// The card-type request of TarnServerAPIs: the list of credit-card types the checkout, the
// registration and the wallet offer. A list of more than one entry is also kept in
// cardTypes.plist, where later runs find it without asking the server.
#include <filesystem>

#include "gateway/ExceptionGuard.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "gateway/UserProfileDetails.hpp"
#include "gateway/Wire.hpp"
#include "platform/Log.hpp"
#include "platform/Paths.hpp"
#include "platform/PropertyList.hpp"

namespace kelda::gateway {

void TarnServerAPIs::getCreditCardTypes() {
  guarded("-[TarnServerAPIs getCreditCardTypes]", [&] {
    if (!internetConnectionAvailable()) return;
    const json::Value answer = request("getCreditCardTypes", {});
    UserProfileDetails::sharedUserProfileObject().setCreditCardTypes(answer["data"]);
    if (!answer["data"].isArray() || answer["data"].size() <= 1) return;
    const std::filesystem::path documents = platform::documentsDirectory();
    if (documents.empty() ||
        !platform::writePropertyList(documents / UserProfileDetails::kCardTypesFile, answer)) {
      log::warning("-[TarnServerAPIs getCreditCardTypes]", "cardTypes.plist was not written");
    }
  });
}

}  // namespace kelda::gateway
