#include "OrderEndpoints.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>
#include <set>

#include "AccountEndpoints.hpp"
#include "BagPricing.hpp"
#include "Money.hpp"
#include "Text.hpp"

namespace kelda::server {
namespace {

json::Value orderError(std::string message) {
  return ObjectBuilder()
      .add("success", number(0))
      .add("error", true)
      .add("errorMsg", std::move(message))
      .build();
}

std::string orderNumberOf(std::optional<long long> account, const std::vector<BagLine>& lines) {
  std::string key = std::to_string(account.value_or(0));
  for (const auto& l : lines) key += fmt::format("|{}x{}", l.upcId, l.quantity);
  return fmt::format("{:010}", fnv1a(key) % 10000000000ULL);
}

// A number for reservations and confirmations: time-based, never repeated within a process.
std::string serialNumber(char prefix) {
  static std::atomic<long long> counter{0};
  const auto now = std::chrono::duration_cast<std::chrono::seconds>(
                       std::chrono::system_clock::now().time_since_epoch())
                       .count();
  return fmt::format("{}{}{:04}", prefix, now % 100000000, counter.fetch_add(1) % 10000);
}

struct Checkout {
  long long account = 0, card = 0, contact = 0;
  std::string state, error;
  std::size_t method = 0;
  std::vector<BagLine> lines;
};

// The checks both order requests make before any money is computed.
Checkout readCheckout(Database& db, ServerState& state, const FormFields& form,
                      const std::string& client) {
  Checkout c;
  const auto account =
      authenticateAccount(db, state, form.get("loginUserName"), form.get("loginPassword"), client);
  if (!account) {
    c.error = account.refusal("Please sign in again before you place your order.");
    return c;
  }
  c.account = *account;
  auto lines = BagPricing::parseLines(form.get("itemBOAttr"));
  if (!lines || lines->empty()) {
    c.error = "We could not read the items in your bag. Please try again.";
    return c;
  }
  c.lines = std::move(*lines);
  c.card = parseId(form.get("cardId")).value_or(0);
  if (!db.prepare("SELECT 1 FROM cards WHERE id = ? AND account_id = ?")
           .bind(1, c.card)
           .bind(2, c.account)
           .step()) {
    c.error = "Please choose one of your credit cards.";
    return c;
  }
  c.contact = parseId(form.get("contactId")).value_or(0);
  auto& contact = db.prepare("SELECT state FROM contacts WHERE id = ? AND account_id = ?");
  if (!contact.bind(1, c.contact).bind(2, c.account).step()) {
    c.error = "Please choose one of your shipping addresses.";
    return c;
  }
  c.state = contact.text(0);
  const std::string code = trim(form.get("securityCode"));
  if (code.size() < 3 || code.size() > 4 || !allDigits(code)) {
    c.error = "Please enter the security code of your card.";
    return c;
  }
  const auto method = BagPricing::methodIndex(decode(form.get("shippingMethod"))["code"].str());
  if (!method) {
    c.error = "Please choose a shipping method.";
    return c;
  }
  c.method = *method;
  return c;
}

// What the bag asks of each UPC: the quantities of all its lines added together.
std::map<long long, long long> quantitiesByUpc(const std::vector<BagLine>& lines) {
  std::map<long long, long long> wanted;
  for (const BagLine& line : lines) wanted[line.upcId] += line.quantity;
  return wanted;
}

// Lines that cannot be served as asked: the UPC's lines together want more than its stock,
// or the method or state is not served. Each UPC is reported once. True when there is any.
bool addAvailabilityProblems(const BagTotals& totals, const Checkout& c, ObjectBuilder& upcs,
                             ObjectBuilder& methods) {
  const std::string methodCode = totals.methods.at(c.method).first.code;
  const auto wanted = quantitiesByUpc(totals.lines);
  std::set<std::string> reported;
  for (const BagLine& line : totals.lines) {
    const auto codes = split(line.shippingCodes, ',');
    const auto excluded = split(line.excludedStates, ',');
    const bool methodOk = std::find(codes.begin(), codes.end(), methodCode) != codes.end();
    const bool stateOk = std::find(excluded.begin(), excluded.end(), c.state) == excluded.end();
    const bool stockOk = line.known && line.available && wanted.at(line.upcId) <= line.stock;
    if (methodOk && stateOk && stockOk) continue;
    const std::string key = line.known ? line.upcNumber : std::to_string(line.upcId);
    if (!reported.insert(key).second) continue;
    upcs.add(key, ObjectBuilder().add("qtyAvailable", number(line.known ? line.stock : 0)).build());
    std::vector<json::Value> list(codes.begin(), codes.end());
    methods.add(key, json::Value::array(stateOk ? std::move(list) : std::vector<json::Value>{}));
  }
  return !reported.empty();
}

// The answer for an order with lines that cannot be served: no confirmation, and per UPC
// number what is available and how it can ship.
json::Value unservedAnswer(const BagTotals& t, json::Value upcs, json::Value methods) {
  return ObjectBuilder()
      .add("success", number(1))
      .add("error", number(0))
      .add("errorMsg", "")
      .add("data", ObjectBuilder()
                       .add("confirmationNumber", "")
                       .add("paymentStatus", "")
                       .add("mode", "")
                       .add("amountCharged", "")
                       .add("taxes", formatCents(t.taxCents))
                       .build())
      .add("upcAvailability", std::move(upcs))
      .add("shippingMethodAvailability", std::move(methods))
      .build();
}

// Takes the stock of every UPC of the bag: the check and the decrement are one statement, so
// a UPC without enough stock changes no row. False when any UPC could not be served (the
// caller then rolls back). Runs inside the caller's write transaction.
bool takeStock(Database& db, const std::vector<BagLine>& lines) {
  for (const auto& [upc, quantity] : quantitiesByUpc(lines)) {
    db.prepare("UPDATE upcs SET stock = stock - ?1 WHERE id = ?2 AND stock >= ?1")
        .bind(1, quantity)
        .bind(2, upc)
        .run();
    if (db.changes() != 1) return false;
  }
  return true;
}

// Stores the order with its lines; returns the order's id. Runs inside the caller's write
// transaction, after the stock was taken.
long long storeOrder(Database& db, const Checkout& c, const BagTotals& t,
                     const std::string& orderNumber, const std::string& reservation, bool batch) {
  db.prepare(
        "INSERT INTO orders(account_id, order_number, reservation_number, confirmation_number, "
        "mode, card_id, contact_id, shipping_method, items_cents, discount_cents, "
        "shipping_cents, tax_cents, total_cents, promo_code) "
        "VALUES (?, ?, ?, '', ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
      .bind(1, c.account)
      .bind(2, orderNumber)
      .bind(3, reservation)
      .bind(4, batch ? "BATCH" : "ONLINE")
      .bind(5, c.card)
      .bind(6, c.contact)
      .bind(7, t.methods[c.method].first.code)
      .bind(8, t.itemsCents)
      .bind(9, t.discountCents)
      .bind(10, t.methods[c.method].second)
      .bind(11, t.taxCents)
      .bind(12, t.orderTotal(c.method))
      .bind(13, t.promoApplied ? t.promoCode : std::string())
      .run();
  const long long order = db.lastInsertId();
  for (const BagLine& line : t.lines) {
    db.prepare(
          "INSERT INTO order_lines(order_id, upc_id, quantity, price_cents) VALUES (?, ?, ?, ?)")
        .bind(1, order)
        .bind(2, line.upcId)
        .bind(3, line.quantity)
        .bind(4, line.priceCents)
        .run();
  }
  return order;
}

// Uses up a reservation of this shopper: true when it existed (it is gone afterwards, or
// back again when the caller's transaction rolls back).
bool consumeReservation(Database& db, const std::string& reservation, long long account) {
  db.prepare("DELETE FROM reservations WHERE number = ? AND account_id = ?")
      .bind(1, reservation)
      .bind(2, account)
      .run();
  return db.changes() == 1;
}

json::Value promotion(const std::string& name, long long cents) {
  return ObjectBuilder()
      .add("promotionDescription", name)
      .add("amountDiscounted", formatCents(cents))
      .build();
}

// The three shipping methods with their fees and order totals.
json::Value feeResults(const BagTotals& t) {
  std::vector<json::Value> fees;
  for (std::size_t i = 0; i < t.methods.size(); ++i) {
    const auto& [method, fee] = t.methods[i];
    fees.push_back(ObjectBuilder()
                       .add("shippingFee", formatCents(fee))
                       .add("orderTotal", formatCents(t.orderTotal(i)))
                       .add("estimatedDelivery", method.delivery)
                       .add("shippingMethod", ObjectBuilder()
                                                  .add("code", method.code)
                                                  .add("description", method.description)
                                                  .build())
                       .build());
  }
  return json::Value::array(std::move(fees));
}

// The totals rows the bag screen lists ("B" black, "R" red).
json::Value dataTable(const BagTotals& t) {
  auto row = [](const char* desc, long long cents, const char* colour) {
    return ObjectBuilder()
        .add("desc", desc)
        .add("value", formatCents(cents))
        .add("color", colour)
        .build();
  };
  std::vector<json::Value> table{row("merchandise total:", t.itemsCents, "B")};
  if (t.discountCents > 0) table.push_back(row("promotion savings:", -t.discountCents, "R"));
  table.push_back(row("standard shipping:", t.methods[0].second, "B"));
  table.push_back(row("estimated taxes:", t.taxCents, "B"));
  table.push_back(row("estimated total:", t.orderTotal(0), "R"));
  return json::Value::array(std::move(table));
}

}  // namespace

json::Value OrderEndpoints::viewBag(const FormFields& form, const std::string& client) {
  auto db = state_.pool.acquire();
  const auto lines = BagPricing::parseLines(form.get("itemBOAttr"));
  if (!lines) return orderError("We could not read the items in your bag. Please try again.");
  if (lines->empty()) return orderError("Your bag is empty.");
  std::optional<long long> account;
  std::string state;
  if (!form.get("loginUserName").empty() || !form.get("loginPassword").empty()) {
    const auto login = authenticateAccount(*db, state_, form.get("loginUserName"),
                                           form.get("loginPassword"), client);
    if (!login) return orderError(login.refusal("Please sign in again."));
    account = login.account;
    auto& contact = db->prepare("SELECT state FROM contacts WHERE id = ? AND account_id = ?");
    if (contact.bind(1, parseId(form.get("contactId")).value_or(0)).bind(2, *account).step()) {
      state = contact.text(0);
    }
  }
  const BagTotals t = BagPricing::price(*db, *lines, form.get("promoCode"), state);
  ObjectBuilder validator, itemPromotions;
  for (const BagLine& line : t.lines) {
    if (!line.available) validator.add(std::to_string(line.row), number(1));
    if (line.discountCents > 0) {
      itemPromotions.add(std::to_string(line.row), promotion(t.promoName, line.discountCents));
    }
  }
  std::vector<json::Value> orderPromotions;
  if (t.promoApplied && t.promoKind != "ITEM") {
    orderPromotions.push_back(promotion(t.promoName, t.discountCents));
  }
  const std::string discount = formatCents(t.discountCents);
  const json::Value orderPromotionList = json::Value::array(orderPromotions);
  return ObjectBuilder()
      .add("success", number(1))
      .add("error", number(0))
      .add("errorMsg", "")
      .add("promoFlag", number(t.promoApplied ? 1 : 0))
      .add("totalDiscountedAmmount", discount)
      .add("datatable", dataTable(t))
      .add("dataValidator", validator.build())
      .add("promotionResultsItem", itemPromotions.build())
      .add("promotionResultsOrder", orderPromotionList)
      .add("data", ObjectBuilder()
                       .add("itemsTotal", formatCents(t.itemsCents))
                       .add("taxes", formatCents(t.taxCents))
                       .add("totalDiscountedAmmount", discount)
                       .add("orderNumber", orderNumberOf(account, t.lines))
                       .add("promotionResultsOrder", orderPromotionList)
                       .add("shippingFeeResults", feeResults(t))
                       .build())
      .build();
}

json::Value OrderEndpoints::prepareOrder(const FormFields& form, const std::string& client) {
  auto db = state_.pool.acquire();
  const Checkout c = readCheckout(*db, state_, form, client);
  if (!c.error.empty()) return orderError(c.error);
  const BagTotals t = BagPricing::price(*db, c.lines, form.get("promoCode"), c.state);
  const std::string reservation = serialNumber('R');
  const std::string orderNumber = orderNumberOf(c.account, t.lines);
  // A write outside a transaction would run on the snapshot of the reads above and fail
  // when another request wrote in between.
  Transaction tx(*db, true);
  db->prepare(
        "INSERT INTO reservations(number, account_id, order_number, total_cents) VALUES (?, ?, ?, "
        "?)")
      .bind(1, reservation)
      .bind(2, c.account)
      .bind(3, orderNumber)
      .bind(4, t.orderTotal(c.method))
      .run();
  tx.commit();
  return ObjectBuilder()
      .add("success", number(1))
      .add("error", number(0))
      .add("errorMsg", "")
      .add("data", ObjectBuilder()
                       .add("orderReservationNumber", reservation)
                       .add("orderNumber", orderNumber)
                       .add("orderTotal", formatCents(t.orderTotal(c.method)))
                       .build())
      .build();
}

json::Value OrderEndpoints::processOrder(const FormFields& form, const std::string& client) {
  auto db = state_.pool.acquire();
  const Checkout c = readCheckout(*db, state_, form, client);
  if (!c.error.empty()) return orderError(c.error);
  // A reservation is optional (the client may not have asked for one), but one that is given
  // must belong to this shopper and is used once.
  const std::string reservation = trim(form.get("orderReservationNumber"));
  const bool reserved = !reservation.empty() && reservation != "(null)";

  // Under the write lock from here to the commit: the reservation is consumed, the stock read
  // and taken and the order stored together, or (on any return before the commit) none of it.
  Transaction tx(*db, true);
  if (reserved && !consumeReservation(*db, reservation, c.account)) {
    return orderError("Your order reservation has expired. Please review your order again.");
  }
  const BagTotals t = BagPricing::price(*db, c.lines, form.get("promoCode"), c.state);
  ObjectBuilder upcs, methods;
  if (addAvailabilityProblems(t, c, upcs, methods)) {
    return unservedAnswer(t, upcs.build(), methods.build());
  }
  if (!takeStock(*db, t.lines)) {
    return orderError("Some items in your bag are no longer available. Please review your bag.");
  }
  const long long total = t.orderTotal(c.method);
  const bool batch = total >= kBatchFromCents;
  const std::string orderNumber = orderNumberOf(c.account, t.lines);
  const long long order = storeOrder(*db, c, t, orderNumber, reserved ? reservation : "", batch);
  const std::string confirmation = batch ? std::string() : fmt::format("8{:09}", order);
  db->prepare("UPDATE orders SET confirmation_number = ? WHERE id = ?")
      .bind(1, confirmation)
      .bind(2, order)
      .run();
  tx.commit();
  return ObjectBuilder()
      .add("success", number(1))
      .add("error", number(0))
      .add("errorMsg", "")
      .add("data", ObjectBuilder()
                       .add("confirmationNumber", confirmation)
                       .add("paymentStatus", batch ? "" : "APPROVED")
                       .add("mode", batch ? "BATCH" : "ONLINE")
                       .add("amountCharged", formatCents(total))
                       .add("taxes", formatCents(t.taxCents))
                       .add("orderNumber", orderNumber)
                       .build())
      .build();
}

json::Value OrderEndpoints::cardTypes() {
  auto db = state_.pool.acquire();
  std::vector<json::Value> data;
  auto& st =
      db->prepare("SELECT code, name, max_length, visible FROM card_types ORDER BY position");
  while (st.step()) {
    data.push_back(ObjectBuilder()
                       .add("ccCode", st.text(0))
                       .add("ccName", st.text(1))
                       .add("maxLength", st.text(2))
                       .add("visible", st.text(3))
                       .build());
  }
  return ObjectBuilder().add("data", json::Value::array(std::move(data))).build();
}

}  // namespace kelda::server
