// SitePages: what the server serves besides the JSON endpoints: the analytics base address
// (`coremetrics_url`), the retailer's small HTML pages under /service/ and /bag/checkout/,
// generated product and savings-pass pictures (PNG) and the savings-pass documents (PDF).
// Any request thread.
#pragma once

#include <optional>
#include <string>

#include "FormFields.hpp"
#include "Json.hpp"
#include "ServerState.hpp"

namespace kelda::server {

class SitePages {
 public:
  explicit SitePages(ServerState& state) : state_(state) {}

  // {"data": base address of this server's analytics sink, with its own fixed query fields}.
  json::Value coremetricsUrl(const std::string& baseUrl) const;
  // The HTML of a retailer page, or nothing for an unknown path.
  std::optional<std::string> page(const std::string& path) const;
  // A product picture: "size" small (default), large or swatch; "color" picks the colour shown.
  std::optional<std::string> productImage(long long productId, const FormFields& query);
  // The picture and the document of a region's savings pass.
  std::optional<std::string> passImage(const std::string& region);
  std::optional<std::string> passDocument(const std::string& region);

 private:
  ServerState& state_;
};

}  // namespace kelda::server
