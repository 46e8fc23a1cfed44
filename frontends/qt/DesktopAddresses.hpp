// Which outside addresses the window hands to the desktop's opener: web pages, calls and mail,
// the kinds a shopper means to follow. Anything else (a local file, a program's own scheme) is
// shown at the bottom of the window instead of opened.
#pragma once

#include <QString>

namespace kelda::qt {

bool desktopMayOpen(const QString& url);

}  // namespace kelda::qt
