#include "SitePages.hpp"

#include <fmt/format.h>

#include <map>

#include "Money.hpp"
#include "PdfDocument.hpp"
#include "PngImage.hpp"
#include "Text.hpp"

namespace kelda::server {
namespace {

std::string html(const std::string& title, const std::string& body) {
  return fmt::format(
      "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><meta name=\"viewport\" "
      "content=\"width=device-width\"><title>{0}</title></head>\n<body><h1>{0}</h1>\n{1}\n"
      "</body></html>\n",
      title, body);
}

}  // namespace

json::Value SitePages::coremetricsUrl(const std::string& baseUrl) const {
  return ObjectBuilder().add("data", baseUrl + "/analytics/tag?ci=90010203&cjen=1").build();
}

std::optional<std::string> SitePages::page(const std::string& path) const {
  static const std::map<std::string, std::pair<std::string, std::string>> kPages{
      {"/service/shipping/index.jsp",
       {"Shipping",
        "<p>Standard shipping is $5.95 and free on orders of $75 or more. Premium "
        "shipping is $12.95 and Express shipping $24.95. Some items carry a "
        "surcharge and some cannot be shipped to every state.</p>"}},
      {"/service/returns/index.jsp",
       {"Returns",
        "<p>Return any item within 90 days of purchase, in any Kelda's store or by "
        "mail, with its receipt.</p>"}},
      {"/service/start/safeshopping/privacy.jsp",
       {"Privacy Policy",
        "<p>We use your details only to fill your orders and, if you ask us "
        "to, to tell you about sales and events.</p>"}},
      {"/service/start/safeshopping/legal.jsp",
       {"Legal",
        "<p>Prices and offers are subject to change. Kelda's is a demonstration "
        "store.</p>"}},
      {"/service/start/safeshopping/pricing.jsp",
       {"Pricing Policy",
        "<p>Original and regular prices are offering prices that may or may "
        "not have resulted in sales.</p>"}},
      {"/bag/checkout/shippingfees.ognc",
       {"Shipping Fees",
        "<table><tr><td>Standard</td><td>$5.95 (free from $75)</td></tr>"
        "<tr><td>Premium</td><td>$12.95</td></tr><tr><td>Express</td>"
        "<td>$24.95</td></tr></table>"}},
      {"/bag/checkout/estimatedtax.jsp",
       {"Estimated Tax",
        "<p>Sales tax is estimated from the state of your shipping address "
        "and charged on the merchandise total after savings.</p>"}},
  };
  auto it = kPages.find(path);
  if (it == kPages.end()) return std::nullopt;
  return html(it->second.first, it->second.second);
}

std::optional<std::string> SitePages::productImage(long long productId, const FormFields& query) {
  auto db = state_.pool.acquire();
  auto& st =
      db->prepare("SELECT name, colour_family, old_cents, new_cents FROM products WHERE id = ?");
  if (!st.bind(1, productId).step()) return std::nullopt;
  const std::string name = st.text(0);
  const std::string colour = query.has("color") ? query.get("color") : st.text(1);
  const long long price = st.integer(3) > 0 ? st.integer(3) : st.integer(2);
  const std::string size = query.get("size");
  if (size == "swatch") return PngImage(32, 32, colourNamed(colour)).encode();
  const int side = size == "large" ? 320 : 160;
  const int scale = size == "large" ? 3 : 2;
  PngImage image(side, side, {250, 250, 250});
  image.fill(0, 0, side, side / 3, colourNamed(colour));
  int y = side / 3 + 8;
  for (const auto& line : wrapText(name, static_cast<std::size_t>(side / (6 * scale)))) {
    image.text(6, y, line, scale, {30, 30, 30});
    y += 9 * scale;
  }
  image.text(6, side - 9 * scale, colour.empty() ? "$" + formatCents(price) : colour, scale,
             {90, 90, 90});
  return image.encode();
}

std::optional<std::string> SitePages::passImage(const std::string& region) {
  auto db = state_.pool.acquire();
  auto& st = db->prepare("SELECT title FROM savings_passes WHERE region = ?");
  if (!st.bind(1, region).step()) return std::nullopt;
  PngImage image(300, 150, {200, 30, 45});
  image.text(10, 10, "KELDA'S SAVINGS PASS", 2, {255, 255, 255});
  int y = 50;
  for (const auto& line : wrapText(st.text(0), 23)) {
    image.text(10, y, line, 2, {255, 255, 255});
    y += 20;
  }
  image.text(10, 128, region, 2, {255, 230, 150});
  return image.encode();
}

std::optional<std::string> SitePages::passDocument(const std::string& region) {
  auto db = state_.pool.acquire();
  auto& st = db->prepare("SELECT title, region_text FROM savings_passes WHERE region = ?");
  if (!st.bind(1, region).step()) return std::nullopt;
  return pdfDocument("Kelda's In-Store Savings Pass",
                     {st.text(0), st.text(1), "Show this pass at the register.",
                      "One pass per shopper per visit. Not valid on gift cards."});
}

}  // namespace kelda::server
