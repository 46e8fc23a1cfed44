// WebPages: the page loader of the window's web views. A web view here is no browser: the
// loader fetches the page through the client's HTTP client and keeps, by address, what the
// window draws of it: its text in paragraphs and its links, as Qt styled text (nothing of the
// page runs, no picture or style is fetched).
//
// load() runs on the client's main thread (the headless window calls it); styledText() may be
// called from any thread.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "ui/Window.hpp"

namespace kelda::qt {

class WebPages {
 public:
  // GETs `url`. A page that arrives with a 2xx status loads; anything else fails with a short
  // description ("HTTP 404", or why no answer came).
  ui::PageLoad load(const std::string& url);
  // The styled text of the last page loaded from `url`, if any.
  std::optional<std::string> styledText(const std::string& url) const;
  // Keeps `html` as the page of `url` (what load() does with an answer).
  void keep(const std::string& url, std::string_view html);

 private:
  mutable std::mutex mutex_;
  std::map<std::string, std::string> pages_;
};

// An HTML page as Qt styled text: its visible text (scripts, styles and the head left out) with
// a line break after each block, headings in bold, and its links as <a href> with the address
// resolved against `baseUrl`; only http, https, tel and mailto links stay links. Every text is
// escaped, so nothing of the page becomes markup of its own.
std::string pageToStyledText(std::string_view html, std::string_view baseUrl);

}  // namespace kelda::qt
