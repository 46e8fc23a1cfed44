#include "DesktopAddresses.hpp"

#include <QUrl>

namespace kelda::qt {

bool desktopMayOpen(const QString& url) {
  const QUrl address(url, QUrl::StrictMode);
  if (!address.isValid()) return false;
  const QString scheme = address.scheme().toLower();
  if (scheme == "http" || scheme == "https") return !address.host().isEmpty();
  return scheme == "tel" || scheme == "mailto";
}

}  // namespace kelda::qt
