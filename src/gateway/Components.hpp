// Components: the small helper every screen shares: the one-button alert and the writer of the
// stored log-in. One per Context (`Components::sharedInstance()`); stateless, so any thread may
// use it (alerts are presented on the main thread). Field validators join it later.
#pragma once

#include <string>

namespace kelda::gateway {

class Components {
 public:
  static Components& sharedInstance();

  // The shared alert: an empty title, the message and one button "OK".
  void showAlertWithMessage(const std::string& message);
  // Writes the stored log-in (login.plist) with `account`, the text "%@;%@" of user name and
  // password. False when the file could not be written.
  bool saveLoginAccount(const std::string& account);
};

}  // namespace kelda::gateway
