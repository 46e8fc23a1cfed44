// kelda-server-orderload: places orders against a running kelda-middleware from several threads
// (meant to run while another client loads the server) and checks what was stored: every
// confirmed order is stored exactly once, no order is stored without a confirmation, and the
// stock of the UPCs ordered never goes below zero and drops by exactly what was sold.
//
//   kelda-server-orderload --port P --data FILE.sqlite [--orders N] [--threads T]
//
// Prints one JSON line; exits 1 when a check fails.
#include <fmt/format.h>
#include <httplib.h>

#include <CLI/CLI.hpp>
#include <atomic>
#include <iostream>
#include <mutex>
#include <random>
#include <set>
#include <thread>
#include <vector>

#include "Database.hpp"
#include "Json.hpp"

namespace {

using kelda::server::Database;

constexpr long long kStockEach = 15;
constexpr std::size_t kUpcs = 10;

std::vector<long long> pickUpcs(Database& db) {
  // Cheap, shippable to New York by Standard, no surcharge: every refusal is then a stock one.
  auto& st = db.prepare(
      "SELECT u.id FROM upcs u JOIN products p ON p.id = u.product_id WHERE p.available = 1 "
      "AND p.excluded_states = '' AND p.surcharge_cents = 0 AND u.price_cents < 20000 "
      "AND instr(p.shipping_codes, 'G') > 0 ORDER BY u.id LIMIT ?");
  std::vector<long long> ids;
  for (st.bind(1, static_cast<long long>(kUpcs)); st.step();) ids.push_back(st.integer(0));
  st.reset();
  return ids;
}

// One value; the statement is reset at once so that no read snapshot stays open.
long long scalar(Database& db, const std::string& sql) {
  auto& st = db.prepare(sql);
  const long long value = st.step() ? st.integer(0) : -1;
  st.reset();
  return value;
}

}  // namespace

int main(int argc, char** argv) {
  int port = 0, orders = 200, threads = 4;
  std::string data;
  CLI::App app{"Places orders during a load and checks what was stored"};
  app.add_option("--port", port)->required();
  app.add_option("--data", data)->required();
  app.add_option("--orders", orders);
  app.add_option("--threads", threads);
  CLI11_PARSE(app, argc, argv);

  Database db(data);
  const std::vector<long long> upcs = pickUpcs(db);
  std::string list;
  for (long long id : upcs) list += (list.empty() ? "" : ",") + std::to_string(id);
  db.exec(fmt::format("UPDATE upcs SET stock = {} WHERE id IN ({})", kStockEach, list));
  const long long firstOrder = scalar(db, "SELECT COALESCE(MAX(id), 0) FROM orders") + 1;

  std::mutex mutex;
  std::multiset<std::string> confirmations;
  std::atomic<int> placed{0}, refused{0}, failed{0}, next{0};
  std::vector<std::thread> pool;
  for (int t = 0; t < threads; ++t) {
    pool.emplace_back([&, t] {
      httplib::Client client("127.0.0.1", port);
      client.set_read_timeout(60, 0);
      std::mt19937 random(static_cast<unsigned>(t + 1));
      while (next.fetch_add(1) < orders) {
        const long long upc = upcs[random() % upcs.size()];
        const std::string body = fmt::format(
            R"(itemBOAttr=[{{"setUpcID":"{}","setQuantity":"1"}}]&cardId=1&contactId=1)"
            R"(&shippingMethod={{"code":"G"}}&loginUserName=demo%40kelda.test)"
            "&loginPassword=kelda123&securityCode=123&promoCode=&orderReservationNumber=",
            upc);
        auto result =
            client.Post("/keldas_processorder", body, "application/x-www-form-urlencoded");
        const auto answer = result ? kelda::server::decode(result->body) : kelda::json::Value();
        const std::string confirmation = answer["data"]["confirmationNumber"].str();
        if (!result || result->status != 200 || answer["success"].intValue() != 1) {
          ++failed;
        } else if (!confirmation.empty()) {
          ++placed;
          std::lock_guard lock(mutex);
          confirmations.insert(confirmation);
        } else {
          ++refused;
        }
      }
    });
  }
  for (auto& t : pool) t.join();

  const long long stored =
      scalar(db, fmt::format("SELECT COUNT(*) FROM orders WHERE id >= {}", firstOrder));
  const long long storedDistinct = scalar(
      db, fmt::format("SELECT COUNT(DISTINCT confirmation_number) FROM orders WHERE id >= {}",
                      firstOrder));
  const long long minStock =
      scalar(db, fmt::format("SELECT MIN(stock) FROM upcs WHERE id IN ({})", list));
  const long long stockLeft =
      scalar(db, fmt::format("SELECT SUM(stock) FROM upcs WHERE id IN ({})", list));
  std::size_t matched = 0;
  for (const auto& c : std::set<std::string>(confirmations.begin(), confirmations.end())) {
    auto& st = db.prepare("SELECT COUNT(*) FROM orders WHERE confirmation_number = ?");
    matched += st.bind(1, c).step() && st.integer(0) == 1;
    st.reset();
  }
  const bool ok = failed == 0 && stored == placed && storedDistinct == placed &&
                  matched == static_cast<std::size_t>(placed.load()) &&
                  confirmations.size() == static_cast<std::size_t>(placed.load()) &&
                  minStock >= 0 &&
                  stockLeft == static_cast<long long>(kStockEach * upcs.size()) - placed;
  std::cout
      << fmt::format(
             R"({{"orders":{},"threads":{},"placed":{},"refused":{},"failed":{},"stored":{},)"
             R"("stored_distinct":{},"min_stock":{},"stock_left":{},"stock_start":{},"ok":{}}})",
             orders, threads, placed.load(), refused.load(), failed.load(), stored, storedDistinct,
             minStock, stockLeft, kStockEach * upcs.size(), ok ? "true" : "false")
      << std::endl;
  return ok ? 0 : 1;
}
