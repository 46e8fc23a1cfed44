// Concurrent requests are safe: parallel readers see consistent answers and parallel orders
// never sell more than the stock.
#include <fmt/format.h>
#include <atomic>
#include <functional>
#include <thread>

#include "ServerFixture.hpp"

namespace kelda::server::testing {
namespace {

TEST(Concurrency, ParallelOrdersForTheLastUnitsSellEachUnitOnce) {
  Server server;
  long long upc = 0;
  {
    auto db = server.server().state().pool.acquire();
    auto& st = db->prepare(
        "SELECT u.id FROM upcs u JOIN products p ON p.id = u.product_id WHERE p.available = 1 AND "
        "p.excluded_states = '' AND p.surcharge_cents = 0 AND u.price_cents < 5000 ORDER BY u.id");
    ASSERT_TRUE(st.step());
    upc = st.integer(0);
    db->prepare("UPDATE upcs SET stock = 3 WHERE id = ?").bind(1, upc).run();
  }
  const std::string body = fmt::format(
      R"(itemBOAttr=[{{"setUpcID":"{}","setQuantity":"1"}}]&cardId=1&contactId=1&shippingMethod={{"code":"G"}})"
      "&loginUserName=demo@kelda.test&loginPassword=kelda123&orderReservationNumber=&securityCode="
      "123&promoCode=",
      upc);
  std::atomic<int> placed{0}, refused{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([&] {
      const Answer a = server.post("/keldas_processorder", body);
      if (!a.json["data"].isObject()) ADD_FAILURE() << a.status << " " << a.body;
      if (!a.json["data"]["confirmationNumber"].str().empty())
        ++placed;
      else if (a.json.contains("upcAvailability"))
        ++refused;
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(placed.load(), 3);
  EXPECT_EQ(refused.load(), 5);
  auto db = server.server().state().pool.acquire();
  auto& st = db->prepare("SELECT stock FROM upcs WHERE id = ?");
  ASSERT_TRUE(st.bind(1, upc).step());
  EXPECT_EQ(st.integer(0), 0);
}

// Runs `count` copies of `request` on threads released together; returns their answers.
std::vector<Answer> together(int count, const std::function<Answer()>& request) {
  std::vector<Answer> answers(static_cast<std::size_t>(count));
  std::atomic<int> ready{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < count; ++t) {
    threads.emplace_back([&, t] {
      ++ready;
      while (ready.load() < count) std::this_thread::yield();
      answers[static_cast<std::size_t>(t)] = request();
    });
  }
  for (auto& t : threads) t.join();
  return answers;
}

TEST(Concurrency, AReservationPlacesOneOrderHoweverManyRequestsUseIt) {
  Server server;
  const std::string order =
      R"(itemBOAttr=[{"setUpcID":"500001","setQuantity":"1"}]&cardId=1&contactId=1)"
      R"(&shippingMethod={"code":"G"}&loginUserName=demo@kelda.test&loginPassword=kelda123)"
      "&securityCode=123&promoCode=";
  // Reservations made at the same time are all made (writes never fail on a stale read).
  const auto prepared = together(12, [&] { return server.post("/keldas_prepareorder", order); });
  for (const Answer& a : prepared) ASSERT_EQ(a.json["success"].intValue(), 1) << a.status << a.body;
  const std::string reservation = prepared[0].json["data"]["orderReservationNumber"].str();
  {
    auto db = server.server().state().pool.acquire();
    db->prepare("UPDATE upcs SET stock = 1000 WHERE id = 500001").run();
  }
  const auto answers = together(30, [&] {
    return server.post("/keldas_processorder", order + "&orderReservationNumber=" + reservation);
  });
  int placed = 0;
  for (const Answer& a : answers) {
    ASSERT_EQ(a.status, 200) << a.body;
    if (!a.json["data"]["confirmationNumber"].str().empty()) ++placed;
  }
  EXPECT_EQ(placed, 1);
  auto db = server.server().state().pool.acquire();
  auto& st = db->prepare("SELECT COUNT(*) FROM orders WHERE reservation_number = ?");
  ASSERT_TRUE(st.bind(1, reservation).step());
  EXPECT_EQ(st.integer(0), 1);
}

TEST(Concurrency, SimultaneousRegistrationsOfOneAddressGetTheRefusalNotAnError) {
  Server server;
  const auto answers = together(20, [&] {
    return server.post("/register",
                       "firstName=Ann&lastName=Lee&emailAddress=twin@example.com&password=secret1"
                       "&verifyPassword=secret1&address1=1 Main St&city=New York&state=NY"
                       "&zipcode=10001");
  });
  int accepted = 0, refused = 0;
  for (const Answer& a : answers) {
    ASSERT_EQ(a.status, 200) << a.body;
    const std::string success = a.json["status"][0]["success"].str();
    if (success == "AUTHENTICATED") ++accepted;
    if (a.json["status"][0]["error"].str() == "An account with this e-mail address already exists.")
      ++refused;
  }
  EXPECT_EQ(accepted, 1);
  EXPECT_EQ(refused, 19);
}

TEST(Concurrency, ParallelReadersGetTheSameAnswers) {
  Server server;
  const std::string expected = server.post("/results_search", "&searchPhrase=classic").body;
  std::atomic<int> same{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 6; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 5; ++i) {
        if (server.post("/results_search", "&searchPhrase=classic").body == expected) ++same;
        server.post("/product", fmt::format("productId={}", 100001 + t * 7 + i));
        server.get("/analytics/tag?ci=1&tid=1");
      }
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(same.load(), 30);
  EXPECT_EQ(server.server().state().analytics.size(), 30u);
}

}  // namespace
}  // namespace kelda::server::testing
