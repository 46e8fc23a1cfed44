// Every fault mode does what it promises, and the request record keeps raw requests.
#include <chrono>
#include <fstream>

#include "ServerFixture.hpp"

namespace kelda::server::testing {
namespace {

ServerOptions faulty() {
  ServerOptions o;
  o.faults =
      "category=empty;results=truncated;product=notjson;signin=badutf8;store_locator=http500;"
      "store_events=delay:1;findinstore=close;get_promo=huge;category_sale=nested;forgot_password="
      "empty@0";
  return o;
}

class Faults : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { server_ = std::make_unique<Server>(faulty()); }
  static void TearDownTestSuite() { server_.reset(); }
  static inline std::unique_ptr<Server> server_;
};

TEST_F(Faults, BodyFaultsBreakTheAnswerAsNamed) {
  const Answer empty = server_->post("/category", "&categoryId=118");
  EXPECT_EQ(empty.status, 200);
  EXPECT_TRUE(empty.body.empty());

  const Answer truncated = server_->post("/results", "categoryId=30200");
  EXPECT_FALSE(truncated.body.empty());
  EXPECT_TRUE(truncated.json.isAbsent());
  EXPECT_EQ(truncated.body.front(), '{');

  const Answer html = server_->post("/product", "productId=100001");
  EXPECT_EQ(html.body.rfind("<html>", 0), 0u);
  EXPECT_TRUE(html.json.isAbsent());

  const Answer bad = server_->post("/signin", "loginUserName=a&loginPassword=b");
  EXPECT_NE(bad.body.find('\xFF'), std::string::npos);
  EXPECT_TRUE(bad.json.isAbsent());

  const Answer error = server_->post("/store_locator", "zipcode=10001");
  EXPECT_EQ(error.status, 500);
  EXPECT_TRUE(error.json["error"].boolValue());

  const Answer huge = server_->get("/get_promo");
  EXPECT_GE(huge.body.size(), 20u * 1024u * 1024u);
  EXPECT_EQ(huge.body.front(), '{');
  EXPECT_EQ(huge.body.back(), '}');

  const Answer nested = server_->post("/category_sale", "categoryId=3536");
  EXPECT_EQ(nested.body.size(), 200000u);
  EXPECT_EQ(nested.body.substr(0, 3), "[[[");
}

TEST_F(Faults, DelayAndCloseAndRate) {
  const auto started = std::chrono::steady_clock::now();
  const Answer late = server_->post("/store_events", "storeId=1001");
  EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
  EXPECT_GT(late.json["data"].size(), 0u);  // the real answer, late

  const Answer closed = server_->post("/findinstore", "zipcode=10001&upcId=1");
  EXPECT_EQ(closed.status, 0);  // no answer at all
  EXPECT_TRUE(closed.body.empty());

  // Rate 0 never fires; endpoints without a rule answer normally.
  EXPECT_TRUE(
      server_->post("/forgot_password", "emailPassword=demo@kelda.test").json["data"].isArray());
  EXPECT_EQ(server_->post("/keldas_creditcardtype", "").json["data"].size(), 5u);
}

TEST(Record, EveryRequestIsOneJsonLineWithTheRawBody) {
  TempDir dir;
  ServerOptions options;
  options.recordFile = dir.path() / "requests.jsonl";
  {
    Server server(options);
    server.post("/results_search", "&searchPhrase=caf\xC3\xA9 & more+x%26");
    server.get("/maps/geo?q=Boston&output=xml");
  }
  std::ifstream in(dir.path() / "requests.jsonl");
  std::string first, second;
  ASSERT_TRUE(std::getline(in, first));
  ASSERT_TRUE(std::getline(in, second));
  const json::Value a = decode(first), b = decode(second);
  EXPECT_EQ(a["method"].str(), "POST");
  EXPECT_EQ(a["path"].str(), "/results_search");
  EXPECT_EQ(a["query"].str(), "");
  EXPECT_EQ(a["body"].str(), "&searchPhrase=caf\xC3\xA9 & more+x%26");
  EXPECT_EQ(b["method"].str(), "GET");
  EXPECT_EQ(b["path"].str(), "/maps/geo");
  EXPECT_EQ(b["query"].str(), "q=Boston&output=xml");
}

}  // namespace
}  // namespace kelda::server::testing
