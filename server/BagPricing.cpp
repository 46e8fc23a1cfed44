#include "BagPricing.hpp"

#include "Money.hpp"
#include "Text.hpp"

namespace kelda::server {
namespace {

constexpr long long kFreeStandardFrom = 7500;
constexpr ShippingMethod kMethods[] = {
    {"G", "Standard", "5-7 business days", 595},
    {"O", "Premium", "3-4 business days", 1295},
    {"2", "Express", "1-2 business days", 2495},
};
constexpr long long kMaxQuantity = 999;

}  // namespace

long long BagTotals::orderTotal(std::size_t method) const {
  return itemsCents - discountCents + taxCents + methods.at(method).second;
}

std::optional<std::size_t> BagPricing::methodIndex(const std::string& code) {
  for (std::size_t i = 0; i < std::size(kMethods); ++i) {
    if (code == kMethods[i].code) return i;
  }
  return std::nullopt;
}

std::optional<std::vector<BagLine>> BagPricing::parseLines(const std::string& itemBOAttr) {
  const json::Value array = decode(itemBOAttr);
  if (!array.isArray()) return std::nullopt;
  std::vector<BagLine> lines;
  for (std::size_t i = 0; i < array.size(); ++i) {
    const json::Value item = array[i];
    if (!item.isObject()) return std::nullopt;
    BagLine line;
    line.row = i + 1;
    line.upcId = parseId(item["setUpcID"].text()).value_or(0);
    line.quantity = parseId(item["setQuantity"].text()).value_or(0);
    if (line.quantity > kMaxQuantity) line.quantity = 0;
    lines.push_back(line);
  }
  return lines;
}

BagTotals BagPricing::price(Database& db, std::vector<BagLine> lines, const std::string& promoCode,
                            const std::string& state) {
  BagTotals t;
  auto& upc = db.prepare(
      "SELECT u.upc_number, u.price_cents, u.stock, p.id, p.department_id, p.available, "
      "p.shipping_codes, p.excluded_states, p.surcharge_cents FROM upcs u "
      "JOIN products p ON p.id = u.product_id WHERE u.id = ?");
  long long surcharges = 0;
  for (BagLine& line : lines) {
    if (line.upcId && upc.reset().bind(1, line.upcId).step()) {
      line.known = true;
      line.upcNumber = upc.text(0);
      line.priceCents = upc.integer(1);
      line.stock = upc.integer(2);
      line.productId = upc.integer(3);
      line.departmentId = upc.integer(4);
      line.shippingCodes = upc.text(6);
      line.excludedStates = upc.text(7);
      line.surchargeCents = upc.integer(8);
      line.available = upc.integer(5) && line.stock > 0 && line.quantity > 0;
    }
    if (!line.available) continue;
    t.itemsCents += line.priceCents * line.quantity;
    surcharges += line.surchargeCents * line.quantity;
  }

  const std::string code = trim(promoCode);
  if (!code.empty()) {
    auto& promo = db.prepare(
        "SELECT code, name, kind, percent, department_id FROM promotions WHERE code = ? COLLATE "
        "NOCASE");
    if (promo.bind(1, code).step()) {
      t.promoCode = promo.text(0);
      t.promoName = promo.text(1);
      t.promoKind = promo.text(2);
      const long long percent = promo.integer(3), department = promo.integer(4);
      if (t.promoKind == "ORDER" && t.itemsCents > 0) {
        t.discountCents = applyBasisPoints(t.itemsCents, percent * 100);
        t.promoApplied = true;
      } else if (t.promoKind == "ITEM") {
        for (BagLine& line : lines) {
          if (!line.available || line.departmentId != department) continue;
          line.discountCents = applyBasisPoints(line.priceCents * line.quantity, percent * 100);
          t.discountCents += line.discountCents;
          t.promoApplied = true;
        }
      } else if (t.promoKind == "SHIP" && t.itemsCents > 0) {
        t.promoApplied = true;
      }
    }
  }

  if (!state.empty()) {
    auto& tax = db.prepare("SELECT tax_bp FROM states WHERE code = ?");
    if (tax.bind(1, state).step()) t.taxBasisPoints = tax.integer(0);
  }
  const long long taxable = t.itemsCents - t.discountCents;
  t.taxCents = applyBasisPoints(taxable, t.taxBasisPoints);
  for (const ShippingMethod& m : kMethods) {
    long long fee = m.feeCents;
    if (std::string_view(m.code) == "G" &&
        (taxable >= kFreeStandardFrom || (t.promoApplied && t.promoKind == "SHIP")))
      fee = 0;
    if (t.itemsCents == 0) fee = 0;
    t.methods.emplace_back(m, fee + surcharges);
  }
  t.lines = std::move(lines);
  return t;
}

}  // namespace kelda::server
