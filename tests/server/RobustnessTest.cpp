// Bad input of every kind gets an answer in the endpoint's envelope, never a crash or an
// HTTP error; oversize bodies get 413 with a JSON body.
#include <fstream>
#include <iterator>

#include "AnalyticsLog.hpp"
#include "Json.hpp"
#include "ServerFixture.hpp"

namespace kelda::server::testing {
namespace {

class Robustness : public ServerTest {};

const char* const kEndpoints[] = {"/category",
                                  "/category_sale",
                                  "/results",
                                  "/results_search",
                                  "/category_ctr",
                                  "/get_promo",
                                  "/product",
                                  "/findinstore",
                                  "/keldas_viewbag",
                                  "/keldas_prepareorder",
                                  "/keldas_processorder",
                                  "/keldas_creditcardtype",
                                  "/signin",
                                  "/register",
                                  "/forgot_password",
                                  "/edit_profile",
                                  "/edit_wallet",
                                  "/edit_primary_wallet",
                                  "/delete_wallet",
                                  "/edit_shipping",
                                  "/edit_primary_shipping",
                                  "/delete_shipping",
                                  "/store_locator",
                                  "/instore_savingspass",
                                  "/store_events",
                                  "/coremetrics_url"};

TEST_F(Robustness, HostileFieldsGetJsonAnswersFromEveryEndpoint) {
  const std::string hostile = "'; DROP TABLE products; --";
  const std::string fields[] = {"categoryId",
                                "searchPhrase",
                                "refinements",
                                "pageNumber",
                                "productId",
                                "reviewPageNumber",
                                "zipcode",
                                "city",
                                "state",
                                "upcId",
                                "itemBOAttr",
                                "contactId",
                                "cardId",
                                "loginUserName",
                                "loginPassword",
                                "promoCode",
                                "storeId",
                                "eventFrom",
                                "parentCategoryId",
                                "emailAddress",
                                "emailPassword",
                                "userId",
                                "latitude",
                                "longitude",
                                "shippingMethod",
                                "securityCode"};
  std::string sqlBody, garbageBody = "&&==%%%zz&\xFF\xFE=\xC0&[{\"=}]";
  for (const auto& f : fields) sqlBody += f + "=" + hostile + "&";
  for (const char* endpoint : kEndpoints) {
    for (const std::string& body :
         {sqlBody, garbageBody, std::string(),
          std::string("pageNumber=-5&reviewPageNumber=99999999999999999999")}) {
      const Answer a = post(endpoint, body);
      EXPECT_EQ(a.status, 200) << endpoint << " " << body;
      EXPECT_TRUE(a.json.isObject()) << endpoint << " " << a.body.substr(0, 200);
    }
  }
  // The catalogue is still there.
  EXPECT_EQ(post("/category", "&categoryId=118").json["category"].size(), 15u);
}

TEST_F(Robustness, NumbersOutOfRangeGetTheEndpointsRefusal) {
  // Page numbers whose offset overflows once crashed the result lists.
  for (const char* page :
       {"461168601842738792", "9223372036854775807", "99999999999999999999", "-3", "0", "1e9"}) {
    for (const std::string& body : {std::string("categoryId=30200&pageNumber=") + page,
                                    std::string("&searchPhrase=classic&pageNumber=") + page}) {
      const std::string path = body[0] == '&' ? "/results_search" : "/results";
      for (const Answer& a : {post(path, body), server().get(path + "?" + body)}) {
        ASSERT_EQ(a.status, 200) << path << " " << page;
        EXPECT_EQ(a.json["data"].size(), 0u) << path << " " << page;
        EXPECT_FALSE(a.json["errorMsg"].str().empty()) << path << " " << page;
      }
    }
    const Answer reviews =
        post("/product", std::string("productId=100001&reviewPageNumber=") + page);
    EXPECT_FALSE(reviews.json.contains("PDPFLAG")) << page;
  }
  // A page with no digits is the first page (the client may send "(null)").
  EXPECT_EQ(post("/results", "categoryId=30200&pageNumber=(null)")
                .json["extra"][0]["pageNumber"]
                .intValue(),
            2);
  // Positions must be plain decimal numbers in range: no "nan" distance.
  for (const char* position : {"latitude=nan&longitude=-73.99", "latitude=40.75&longitude=inf",
                               "latitude=0x28&longitude=-73.99", "latitude=4e1&longitude=-73.99",
                               "latitude=91&longitude=0", "latitude=&longitude="}) {
    const Answer a = post("/store_locator", position);
    EXPECT_TRUE(a.json["error"].boolValue()) << position << " " << a.body.substr(0, 200);
    EXPECT_EQ(a.body.find("nan"), std::string::npos) << position;
  }
  EXPECT_FALSE(post("/store_locator", "latitude=40.75&longitude=-73.99").json["data"].empty());
}

TEST_F(Robustness, DeepOrHugeJsonFieldsAreRefusedCalmly) {
  const std::string deep = std::string(100000, '[') + std::string(100000, ']');
  EXPECT_EQ(post("/keldas_viewbag", "itemBOAttr=" + deep).json["success"].intValue(), 0);
  EXPECT_TRUE(post("/results", "categoryId=118&refinements=" + deep).json.contains("errorMsg"));
  std::string many = "[";
  for (int i = 0; i < 20000; ++i)
    many += std::string(i ? "," : "") + R"({"setUpcID":"500001","setQuantity":"1"})";
  const Answer big = post("/keldas_viewbag", "itemBOAttr=" + many + "]");
  EXPECT_EQ(big.status, 200);
  EXPECT_EQ(big.json["success"].intValue(), 1);
}

TEST_F(Robustness, BodiesOverOneMegabyteGet413WithAJsonBody) {
  const Answer tooBig = post("/signin", "loginUserName=" + std::string(1024 * 1024, 'a'));
  EXPECT_EQ(tooBig.status, 413);
  EXPECT_FALSE(tooBig.json["errorMsg"].str().empty());
  // Just under the limit is served.
  EXPECT_EQ(post("/signin", "loginUserName=" + std::string(1024 * 1024 - 100, 'a')).status, 200);
}

TEST_F(Robustness, UnknownPathsAnswer404InJsonAndPagesInHtml) {
  const Answer missing = server().get("/no_such_endpoint");
  EXPECT_EQ(missing.status, 404);
  EXPECT_TRUE(missing.json["error"].boolValue());
  const Answer page = server().get("/service/shipping/index.jsp?width=320&height=480");
  EXPECT_EQ(page.status, 200);
  EXPECT_EQ(page.contentType, "text/html; charset=utf-8");
  EXPECT_NE(page.body.find("<h1>Shipping</h1>"), std::string::npos);
  for (const char* path :
       {"/service/returns/index.jsp", "/service/start/safeshopping/privacy.jsp",
        "/service/start/safeshopping/legal.jsp", "/service/start/safeshopping/pricing.jsp",
        "/bag/checkout/shippingfees.ognc", "/bag/checkout/estimatedtax.jsp"}) {
    EXPECT_EQ(server().get(path).status, 200) << path;
  }
  EXPECT_EQ(server().get("/service/../etc/passwd").status, 404);
}

TEST_F(Robustness, AnalyticsBaseAddressPointsAtThisServersSink) {
  const Answer base = post("/coremetrics_url", "");
  const std::string url = base.json["data"].str();
  ASSERT_EQ(url.rfind(server().base() + "/analytics/tag?", 0), 0u) << url;
  const std::string target =
      url.substr(server().base().size()) + "&tid=1&pi=mobile.home.home&cg=(null)";
  EXPECT_EQ(server().post(target, "").status, 200);
  EXPECT_EQ(server().get(url.substr(server().base().size()) + "&tid=5&pm=Classic%20Tee").status,
            200);
  const Answer log = server().get("/analytics/log");
  ASSERT_EQ(log.json["data"].size(), 2u);
  EXPECT_EQ(log.json["data"][0]["fields"]["pi"].str(), "mobile.home.home");
  EXPECT_EQ(log.json["data"][0]["fields"]["tid"].str(), "1");
  EXPECT_EQ(log.json["data"][1]["fields"]["pm"].str(), "Classic Tee");
}

TEST(AnalyticsLog, IsPagedBoundedAndOpenOnlyToLoopbackOrTheToken) {
  AnalyticsLog log;
  for (int i = 0; i < 250; ++i) log.record("tid=" + std::to_string(i));
  const json::Value last = log.answer(3);
  EXPECT_EQ(last["data"].size(), 50u);
  EXPECT_EQ(last["data"][0]["fields"]["tid"].str(), "200");
  EXPECT_EQ(last["pageCount"].intValue(), 3);
  EXPECT_EQ(last["totalCount"].intValue(), 250);
  // Older tags give way to newer ones beyond the byte budget (and the count).
  const std::string big(64 * 1024, 'x');
  for (int i = 0; i < 100; ++i) log.record("e=" + big);
  EXPECT_LE(log.size() * big.size(), AnalyticsLog::kMaxBytes);
  EXPECT_EQ(log.answer(1)["data"][0]["query"].str().size(), big.size() + 2);
  EXPECT_TRUE(log.mayRead("127.0.0.1", ""));
  EXPECT_TRUE(log.mayRead("::1", ""));
  EXPECT_FALSE(log.mayRead("192.0.2.7", ""));
  EXPECT_FALSE(log.mayRead("192.0.2.7", "guess"));
  EXPECT_TRUE(log.mayRead("192.0.2.7", log.token()));
}

TEST(SecretsAtRest, DataAndRecordAreTheOwnersOnlyAndTheRecordIsMasked) {
  ServerOptions options;
  TempDir records;
  options.recordFile = records.path() / "requests.jsonl";
  Server server(options);
  server.post("/keldas_processorder",
              "loginUserName=demo@kelda.test&loginPassword=kelda123&securityCode=123"
              "&cardNumber=4111111111111111&cardId=1");
  namespace fs = std::filesystem;
  const auto mode = [](const fs::path& p) { return fs::status(p).permissions() & fs::perms::all; };
  EXPECT_EQ(mode(server.dir() / "data"), fs::perms::owner_all);
  for (const char* file : {"kelda-middleware.sqlite", "kelda-middleware.sqlite-wal"}) {
    EXPECT_EQ(mode(server.dir() / "data" / file), fs::perms::owner_read | fs::perms::owner_write)
        << file;
  }
  EXPECT_EQ(mode(options.recordFile), fs::perms::owner_read | fs::perms::owner_write);
  std::ifstream in(options.recordFile);
  const std::string record((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(record.find("loginUserName=demo@kelda.test"), std::string::npos) << record;
  for (const char* secret : {"kelda123", "securityCode=123", "4111111111111111"}) {
    EXPECT_EQ(record.find(secret), std::string::npos) << secret << " in " << record;
  }
}

}  // namespace
}  // namespace kelda::server::testing
