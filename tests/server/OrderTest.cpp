// Bag totals in cents, promotions, and placing orders: stock, stored orders, batch mode and
// the availability problems the bag screen shows.
#include <fmt/format.h>

#include "ServerFixture.hpp"

namespace kelda::server::testing {
namespace {

struct Upc {
  long long id = 0, priceCents = 0, stock = 0;
};

constexpr const char* kLogin = "loginUserName=demo@kelda.test&loginPassword=kelda123";

class Orders : public ServerTest {
 protected:
  // A UPC in stock, without surcharge, matching the extra condition, not yet used by a test.
  static Upc upc(const std::string& condition) {
    auto db = server().server().state().pool.acquire();
    auto& st = db->prepare(
        "SELECT u.id, u.price_cents, u.stock FROM upcs u JOIN products p ON p.id = u.product_id "
        "WHERE p.available = 1 AND u.stock >= 5 AND p.surcharge_cents = 0 AND " +
        condition + " AND u.id NOT IN (" + used_ + ") ORDER BY u.id");
    if (!st.step()) return {};
    Upc u{st.integer(0), st.integer(1), st.integer(2)};
    used_ += "," + std::to_string(u.id);
    return u;
  }
  static long long stock(long long upcId) {
    auto db = server().server().state().pool.acquire();
    auto& st = db->prepare("SELECT stock FROM upcs WHERE id = ?");
    return st.bind(1, upcId).step() ? st.integer(0) : -1;
  }
  static std::string bag(std::initializer_list<std::pair<long long, long long>> lines) {
    std::string out = "[";
    int n = 0;
    for (auto [id, qty] : lines) {
      out += fmt::format(
          R"({}{{"setUpcID":"{}","setQuantity":"{}","setLineId":"{}","setPrice":"0.01"}})",
          n ? "," : "", id, qty, n + 1);
      ++n;
    }
    return out + "]";
  }
  static std::string order(const std::string& items, const char* method = "G",
                           const char* extra = "") {
    return fmt::format(
        "itemBOAttr={}&cardId=1&contactId=1&orderNumber=1&baseFee=0&shipmentFee=0&shippingMethod="
        R"({{"code":"{}","description":"x"}})"
        "&orderTax=0&{}&orderReservationNumber=(null)&securityCode=123&promoCode={}",
        items, method, kLogin, extra);
  }
  static inline std::string used_ = "0";  // UPC ids other tests already ordered
};

TEST_F(Orders, TotalsAreComputedInCentsFromTheServersOwnPrices) {
  const Upc a = upc("p.department_id = 118"), b = upc("p.department_id = 1");
  const Answer r =
      post("/keldas_viewbag",
           "itemBOAttr=" + bag({{a.id, 2}, {b.id, 1}}) +
               "&contactId=&loginUserName=&loginPassword=&promoCode=&shopAction5TagAttr=[]");
  ASSERT_EQ(r.json["success"].intValue(), 1) << r.body;
  EXPECT_FALSE(r.json["error"].boolValue());
  const long long items = 2 * a.priceCents + b.priceCents;
  const json::Value data = r.json["data"];
  EXPECT_EQ(data["itemsTotal"].str(), fmt::format("{}.{:02}", items / 100, items % 100));
  EXPECT_EQ(data["taxes"].str(), "0.00");
  ASSERT_EQ(data["shippingFeeResults"].size(), 3u);
  const long long fees[] = {items >= 7500 ? 0 : 595, 1295, 2495};
  const char* codes[] = {"G", "O", "2"};
  const char* names[] = {"Standard", "Premium", "Express"};
  for (std::size_t i = 0; i < 3; ++i) {
    const json::Value f = data["shippingFeeResults"][i];
    EXPECT_EQ(f["shippingFee"].str(), fmt::format("{}.{:02}", fees[i] / 100, fees[i] % 100));
    const long long total = items + fees[i];
    EXPECT_EQ(f["orderTotal"].str(), fmt::format("{}.{:02}", total / 100, total % 100));
    EXPECT_EQ(f["shippingMethod"]["code"].str(), codes[i]);
    EXPECT_EQ(f["shippingMethod"]["description"].str(), names[i]);
    EXPECT_FALSE(f["estimatedDelivery"].str().empty());
  }
  EXPECT_EQ(r.json["promoFlag"].intValue(), 0);
  EXPECT_EQ(r.json["datatable"][0]["desc"].str(), "merchandise total:");
  EXPECT_EQ(r.json["datatable"][0]["color"].str(), "B");
  EXPECT_EQ(data["orderNumber"].str().size(), 10u);
  EXPECT_EQ(r.json["dataValidator"].size(), 0u);
}

TEST_F(Orders, TaxFollowsTheShippingStateAndUnknownLinesAreFlaggedByRow) {
  const Upc a = upc("p.department_id = 5991");
  const std::string body = "itemBOAttr=" + bag({{a.id, 1}, {999999999, 1}}) + "&contactId=1&" +
                           kLogin + "&promoCode=&shopAction5TagAttr=[]";
  const Answer r = post("/keldas_viewbag", body);
  EXPECT_EQ(r.json["data"]["itemsTotal"].str(),
            fmt::format("{}.{:02}", a.priceCents / 100, a.priceCents % 100));
  const long long tax = (a.priceCents * 400 + 5000) / 10000;  // New York, 4%
  EXPECT_EQ(r.json["data"]["taxes"].str(), fmt::format("{}.{:02}", tax / 100, tax % 100));
  EXPECT_EQ(r.json["dataValidator"]["2"].intValue(), 1);
  EXPECT_FALSE(r.json["dataValidator"].contains("1"));
  // A contact of someone else is not used for tax.
  const Answer other = post("/keldas_viewbag", "itemBOAttr=" + bag({{a.id, 1}}) + "&contactId=99&" +
                                                   kLogin + "&promoCode=");
  EXPECT_EQ(other.json["data"]["taxes"].str(), "0.00");
}

TEST_F(Orders, PromotionCodesDiscountOrdersOrLinesAndUnknownCodesAreInvalid) {
  const Upc shoe = upc("p.department_id = 13247"), shirt = upc("p.department_id = 1");
  const std::string items = "itemBOAttr=" + bag({{shirt.id, 1}, {shoe.id, 2}}) +
                            "&contactId=&loginUserName=&loginPassword=";
  const Answer order = post("/keldas_viewbag", items + "&promoCode=save10");
  const long long total = shirt.priceCents + 2 * shoe.priceCents,
                  off = (total * 1000 + 5000) / 10000;
  EXPECT_EQ(order.json["promoFlag"].intValue(), 1);
  EXPECT_EQ(order.json["data"]["totalDiscountedAmmount"].str(),
            fmt::format("{}.{:02}", off / 100, off % 100));
  EXPECT_EQ(order.json["promotionResultsOrder"][0]["promotionDescription"].str(),
            "Take 10% off your entire order");
  const long long standard =
      order.json["data"]["shippingFeeResults"][0]["shippingFee"].doubleValue() * 100 + 0.5;
  EXPECT_EQ(
      order.json["data"]["shippingFeeResults"][0]["orderTotal"].str(),
      fmt::format("{}.{:02}", (total - off + standard) / 100, (total - off + standard) % 100));

  const Answer line = post("/keldas_viewbag", items + "&promoCode=SHOES15");
  EXPECT_EQ(line.json["promoFlag"].intValue(), 1);
  const long long shoeOff = (2 * shoe.priceCents * 1500 + 5000) / 10000;
  EXPECT_EQ(line.json["promotionResultsItem"]["2"]["amountDiscounted"].str(),
            fmt::format("{}.{:02}", shoeOff / 100, shoeOff % 100));
  EXPECT_FALSE(line.json["promotionResultsItem"].contains("1"));

  EXPECT_EQ(post("/keldas_viewbag", items + "&promoCode=NOPE").json["promoFlag"].intValue(), 0);
  const Answer noShoes =
      post("/keldas_viewbag", "itemBOAttr=" + bag({{shirt.id, 1}}) + "&promoCode=SHOES15");
  EXPECT_EQ(noShoes.json["promoFlag"].intValue(), 0);
  const Answer freeShip =
      post("/keldas_viewbag", "itemBOAttr=" + bag({{shirt.id, 1}}) + "&promoCode=FREESHIP");
  EXPECT_EQ(freeShip.json["data"]["shippingFeeResults"][0]["shippingFee"].str(), "0.00");
}

TEST_F(Orders, UnreadableBagsAndWrongLogInsAreRefusedInTheOrderEnvelope) {
  for (const std::string& body : std::vector<std::string>{
           "itemBOAttr=[{\"setUpcID\":", "itemBOAttr={}", "itemBOAttr=[1,2]", "itemBOAttr=[]", "",
           "itemBOAttr=" + bag({{1, 1}}) + "&loginUserName=demo@kelda.test&loginPassword=wrong"}) {
    const Answer r = post("/keldas_viewbag", body);
    EXPECT_EQ(r.status, 200);
    EXPECT_EQ(r.json["success"].intValue(), 0) << body;
    EXPECT_TRUE(r.json["error"].boolValue()) << body;
    EXPECT_FALSE(r.json["errorMsg"].str().empty()) << body;
  }
}

TEST_F(Orders, PlacingAnOrderStoresItAndTakesTheStock) {
  const Upc a = upc("p.department_id = 544 AND p.new_cents BETWEEN 1 AND 10000");
  const std::string items = bag({{a.id, 2}});
  const Answer totals =
      post("/keldas_viewbag", "itemBOAttr=" + items + "&contactId=1&" + kLogin + "&promoCode=");
  const Answer prepared = post("/keldas_prepareorder", order(items));
  ASSERT_EQ(prepared.json["success"].intValue(), 1) << prepared.body;
  const std::string reservation = prepared.json["data"]["orderReservationNumber"].str();
  ASSERT_FALSE(reservation.empty());
  std::string body = order(items);
  body.replace(body.find("(null)"), 6, reservation);
  const Answer placed = post("/keldas_processorder", body);
  ASSERT_EQ(placed.json["success"].intValue(), 1) << placed.body;
  const json::Value d = placed.json["data"];
  EXPECT_FALSE(d["confirmationNumber"].str().empty());
  EXPECT_EQ(d["paymentStatus"].str(), "APPROVED");
  EXPECT_EQ(d["amountCharged"].str(),
            totals.json["data"]["shippingFeeResults"][0]["orderTotal"].str());
  EXPECT_EQ(d["taxes"].str(), totals.json["data"]["taxes"].str());
  EXPECT_EQ(stock(a.id), a.stock - 2);
  auto db = server().server().state().pool.acquire();
  auto& st = db->prepare(
      "SELECT o.mode, l.quantity FROM orders o JOIN order_lines l ON l.order_id = o.id WHERE "
      "o.confirmation_number = ?");
  ASSERT_TRUE(st.bind(1, d["confirmationNumber"].str()).step());
  EXPECT_EQ(st.text(0), "ONLINE");
  EXPECT_EQ(st.integer(1), 2);
  // A reservation is used once.
  EXPECT_EQ(post("/keldas_processorder", body).json["success"].intValue(), 0);
}

TEST_F(Orders, LinesThatCannotBeServedComeBackWithTheirAvailability) {
  const Upc a = upc("p.shipping_codes = 'G,O' AND p.excluded_states = ''");
  const Upc b = upc("p.shipping_codes = 'G,O,2' AND p.excluded_states = ''");
  const std::string items = bag({{a.id, 1}, {b.id, b.stock + 1}});
  const Answer r = post("/keldas_processorder", order(items, "2"));
  ASSERT_EQ(r.json["success"].intValue(), 1) << r.body;
  EXPECT_EQ(r.json["data"]["confirmationNumber"].str(), "");
  EXPECT_EQ(r.json["data"]["paymentStatus"].str(), "");
  EXPECT_NE(r.json["data"]["mode"].str(), "BATCH");
  const json::Value upcs = r.json["upcAvailability"],
                    methods = r.json["shippingMethodAvailability"];
  ASSERT_EQ(upcs.size(), 2u);
  // Keyed by UPC number: the first line has no Express, the second too few in stock.
  const std::string first(upcs.keyAt(0)), second(upcs.keyAt(1));
  EXPECT_EQ(methods[first].size(), 2u);
  EXPECT_EQ(methods[first][0].str(), "G");
  EXPECT_EQ(upcs[second]["qtyAvailable"].intValue(), b.stock);
  EXPECT_EQ(stock(a.id), a.stock);
  EXPECT_EQ(stock(b.id), b.stock);
}

TEST_F(Orders, LinesOfOneUpcAreAddedTogetherAgainstItsStock) {
  const Upc a =
      upc("p.excluded_states = '' AND p.shipping_codes LIKE 'G%' AND u.price_cents < 5000");
  {
    auto db = server().server().state().pool.acquire();
    db->prepare("UPDATE upcs SET stock = 3 WHERE id = ?").bind(1, a.id).run();
  }
  auto ordersOf = [&] {
    auto db = server().server().state().pool.acquire();
    auto& st = db->prepare("SELECT COUNT(*) FROM order_lines WHERE upc_id = ?");
    return st.bind(1, a.id).step() ? st.integer(0) : -1;
  };
  // Two lines of 3 (each within the stock of 3), and 20,000 lines of 1: refused whole, with
  // the UPC reported once, nothing stored and no stock taken.
  std::string many = "[";
  for (int i = 0; i < 20000; ++i)
    many += fmt::format(R"({}{{"setUpcID":"{}","setQuantity":"1"}})", i ? "," : "", a.id);
  for (const std::string& items : {bag({{a.id, 3}, {a.id, 3}}), many + "]"}) {
    const Answer r = post("/keldas_processorder", order(items));
    ASSERT_EQ(r.json["success"].intValue(), 1) << r.body.substr(0, 300);
    EXPECT_EQ(r.json["data"]["confirmationNumber"].str(), "");
    ASSERT_EQ(r.json["upcAvailability"].size(), 1u);
    EXPECT_EQ(r.json["upcAvailability"].valueAt(0)["qtyAvailable"].intValue(), 3);
    EXPECT_EQ(stock(a.id), 3);
    EXPECT_EQ(ordersOf(), 0);
  }
  // Three lines of one that the stock covers together are sold, down to zero.
  const Answer sold = post("/keldas_processorder", order(bag({{a.id, 1}, {a.id, 1}, {a.id, 1}})));
  EXPECT_FALSE(sold.json["data"]["confirmationNumber"].str().empty()) << sold.body;
  EXPECT_EQ(stock(a.id), 0);
  EXPECT_EQ(ordersOf(), 3);
}

TEST_F(Orders, ExcludedStatesAreRefusedForThatAddressOnly) {
  const Upc a = upc("p.excluded_states = 'CA'");
  ASSERT_NE(a.id, 0);
  std::string toCalifornia = order(bag({{a.id, 1}}));
  toCalifornia.replace(toCalifornia.find("contactId=1"), 11, "contactId=2");
  const Answer refused = post("/keldas_processorder", toCalifornia);
  EXPECT_EQ(refused.json["upcAvailability"].size(), 1u);
  EXPECT_EQ(refused.json["shippingMethodAvailability"].valueAt(0).size(), 0u);
  const Answer toNewYork = post("/keldas_processorder", order(bag({{a.id, 1}})));
  EXPECT_FALSE(toNewYork.json["data"]["confirmationNumber"].str().empty()) << toNewYork.body;
}

TEST_F(Orders, LargeOrdersGoToBatchProcessingAndStillTakeTheStock) {
  const Upc a = upc("u.price_cents >= 10000 AND u.stock >= 6");
  const Answer r = post("/keldas_processorder", order(bag({{a.id, 6}})));
  ASSERT_EQ(r.json["success"].intValue(), 1) << r.body;
  EXPECT_EQ(r.json["data"]["mode"].str(), "BATCH");
  EXPECT_EQ(r.json["data"]["confirmationNumber"].str(), "");
  EXPECT_EQ(r.json["data"]["paymentStatus"].str(), "");
  EXPECT_EQ(stock(a.id), a.stock - 6);
}

TEST_F(Orders, OrderRequestsCheckLogInCardAddressCodeAndMethod) {
  const std::string items = bag({{upc("1 = 1").id, 1}});
  auto refusedWith = [&](std::string body, const std::string& from, const std::string& to) {
    body.replace(body.find(from), from.size(), to);
    const Answer r = post("/keldas_processorder", body);
    EXPECT_EQ(r.json["success"].intValue(), 0) << to;
    EXPECT_TRUE(r.json["error"].boolValue()) << to;
    EXPECT_FALSE(r.json["errorMsg"].str().empty()) << to;
  };
  const std::string good = order(items);
  refusedWith(good, "loginPassword=kelda123", "loginPassword=nope");
  refusedWith(good, "cardId=1", "cardId=77");
  refusedWith(good, "contactId=1", "contactId=1%20OR%201=1");
  refusedWith(good, "securityCode=123", "securityCode=12a");
  refusedWith(good, R"("code":"G")", R"("code":"Z")");
  refusedWith(good, "orderReservationNumber=(null)", "orderReservationNumber=R123");
  refusedWith(good, "itemBOAttr=" + items, "itemBOAttr=nonsense");
  EXPECT_EQ(post("/keldas_prepareorder", "itemBOAttr=" + items).json["success"].intValue(), 0);
}

TEST_F(Orders, CardTypesListCodesNamesLengthsAndVisibility) {
  const Answer r = post("/keldas_creditcardtype", "");
  ASSERT_EQ(r.json["data"].size(), 5u);
  EXPECT_EQ(r.json["data"][0]["ccCode"].str(), "VI");
  EXPECT_EQ(r.json["data"][0]["ccName"].str(), "Visa");
  EXPECT_EQ(r.json["data"][4]["maxLength"].str(), "13,16");
  EXPECT_EQ(r.json["data"][4]["visible"].str(), "N");
}

}  // namespace
}  // namespace kelda::server::testing
