// BagPricing: the money of a bag as the server computes it from its own catalogue: the lines
// of an "itemBOAttr" array (UPC and quantity; the client's prices are not trusted), the
// promotion of a code, shipping fees of the three methods, the tax of the shipping state, and
// the totals. Used by `keldas_viewbag` and the two order requests. Any request thread.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Database.hpp"
#include "Json.hpp"

namespace kelda::server {

struct BagLine {
  std::size_t row = 0;  // 1-based position in the bag
  long long upcId = 0;
  std::string upcNumber;
  long long productId = 0, departmentId = 0;
  long long quantity = 0, priceCents = 0, stock = 0, surchargeCents = 0;
  bool known = false, available = false;
  std::string shippingCodes, excludedStates;
  long long discountCents = 0;  // item promotion on this line
};

struct ShippingMethod {
  const char* code;
  const char* description;
  const char* delivery;
  long long feeCents;
};

struct BagTotals {
  std::vector<BagLine> lines;
  long long itemsCents = 0, discountCents = 0, taxCents = 0, taxBasisPoints = 0;
  std::string promoCode, promoName, promoKind;
  bool promoApplied = false;
  std::vector<std::pair<ShippingMethod, long long>>
      methods;  // fee with surcharges; Standard, Premium, Express
  long long orderTotal(std::size_t method) const;
};

class BagPricing {
 public:
  // Reads the lines of the itemBOAttr JSON text; nothing when it is not a JSON array of objects.
  static std::optional<std::vector<BagLine>> parseLines(const std::string& itemBOAttr);
  // Prices the lines: looks every UPC up and applies the promotion code and the tax rate of
  // the state (two-letter code; "" for none).
  static BagTotals price(Database& db, std::vector<BagLine> lines, const std::string& promoCode,
                         const std::string& state);
  // The index (0 Standard, 1 Premium, 2 Express) of a method code, or nothing.
  static std::optional<std::size_t> methodIndex(const std::string& code);
};

}  // namespace kelda::server
