// The connection kind as the application reports it: the text form of the Reachability
// status. The application delegate's checkNetworkConnectivity forwards here.
// May be called from any thread.
#pragma once

#include <string>

namespace kelda::gateway {

// "NoAccess" (status 0), "e" (1, carrier data), "wifi" (2), "3g" (3, never reported by the
// reachability layer). The text is written to the debug log.
std::string checkNetworkConnectivity();

// The text of one status value (as above); "NoAccess" for any unknown value.
std::string connectivityText(int status);

}  // namespace kelda::gateway
