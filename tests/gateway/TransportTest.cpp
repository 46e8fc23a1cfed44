#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "gateway/TarnServerAPIs.hpp"
#include "json/Utf8.hpp"
#include "platform/Log.hpp"
#include "support/ClientFixture.hpp"
#include "ui/NetworkActivityIndicator.hpp"
#include "ui/Window.hpp"

namespace kelda::gateway {
namespace {

using test::FakeAnswer;

// The header names libcurl itself puts on a request; anything else would be ours.
const std::set<std::string> kStackHeaders = {"Host", "Accept", "Content-Length", "Content-Type"};

class TransportTest : public test::ClientFixture {
 protected:
  TarnServerAPIs& gateway() { return TarnServerAPIs::sharedInstance(); }
  const std::vector<ui::AlertView>& alerts() {
    runUntilIdle();
    return ui::Window::shared().alerts();
  }
  static void expectOnlyStackHeaders(const test::RecordedRequest& request) {
    for (const auto& [name, value] : request.headers) {
      EXPECT_TRUE(kStackHeaders.count(name)) << "unexpected header " << name << ": " << value;
    }
  }
};

TEST_F(TransportTest, PostSendsTheBodyBytesAsTheyAreWithNoHeaderOfItsOwn) {
  server().answer("/signin", R"({"status":[{"success":"AUTHENTICATED"}]})");
  const std::string body = "loginUserName=Jos\xC3\xA9 M@x.com&loginPassword=a+b=c";
  const json::Value answer = gateway().downloadPostData(server().url("/signin"), body);

  EXPECT_EQ(answer["status"][0]["success"].str(), "AUTHENTICATED");
  const auto request = server().lastRequest("/signin");
  ASSERT_TRUE(request);
  EXPECT_EQ(request->method, "POST");
  EXPECT_EQ(request->body, body);
  EXPECT_EQ(request->header("Content-Type"), "application/x-www-form-urlencoded");
  EXPECT_EQ(request->header("Content-Length"), std::to_string(body.size()));
  EXPECT_FALSE(request->hasHeader("Expect"));
  expectOnlyStackHeaders(*request);
  EXPECT_TRUE(alerts().empty());
}

TEST_F(TransportTest, LargeBodyIsSentAtOnceWithoutExpectContinue) {
  server().answer("/keldas_viewbag", R"({"data":[]})");
  const std::string body = "itemBOAttr=" + std::string(3 * 1024 * 1024, 'x');
  EXPECT_TRUE(gateway().downloadPostData(server().url("/keldas_viewbag"), body).isObject());
  const auto request = server().lastRequest("/keldas_viewbag");
  ASSERT_TRUE(request);
  EXPECT_EQ(request->body.size(), body.size());
  EXPECT_FALSE(request->hasHeader("Expect"));
}

TEST_F(TransportTest, EmptyBodyIsAnEmptyPost) {
  server().answer("/coremetrics_url", R"({"data":"http://tags"})");
  EXPECT_EQ(gateway().downloadPostData(server().url("/coremetrics_url"), "")["data"].str(),
            "http://tags");
  const auto request = server().lastRequest("/coremetrics_url");
  ASSERT_TRUE(request);
  EXPECT_EQ(request->method, "POST");
  EXPECT_EQ(request->body, "");
  EXPECT_EQ(request->header("Content-Length"), "0");
}

TEST_F(TransportTest, ContentLengthPostCountsTheUtf8Bytes) {
  server().answer("/results_search", R"({"data":[1]})");
  const std::string body = "&searchPhrase=caf\xC3\xA9&refinements={\"BRAND\":\"A&B\"}";
  const json::Value answer =
      gateway().downloadPostDataWithContentLength(server().url("/results_search"), body);
  EXPECT_EQ(answer["data"].size(), 1u);
  const auto request = server().lastRequest("/results_search");
  ASSERT_TRUE(request);
  EXPECT_EQ(request->body, body);
  EXPECT_EQ(request->header("Content-Length"), std::to_string(body.size()));
  EXPECT_EQ(std::count_if(request->headers.begin(), request->headers.end(),
                          [](const auto& h) { return h.first == "Content-Length"; }),
            1);
  expectOnlyStackHeaders(*request);
}

TEST_F(TransportTest, GetUsesTheUrlTextUnchanged) {
  server().answer("/get_promo", R"([{"promoCode":"X1"}])");
  const json::Value answer = gateway().downloadGetData(server().url("/get_promo?a=1%20b&c"));
  EXPECT_EQ(answer[0]["promoCode"].str(), "X1");
  const auto request = server().lastRequest("/get_promo");
  ASSERT_TRUE(request);
  EXPECT_EQ(request->method, "GET");
  EXPECT_EQ(request->query, "a=1%20b&c");
  EXPECT_EQ(request->body, "");
  expectOnlyStackHeaders(*request);
}

TEST_F(TransportTest, ErrorStatusWithAJsonBodyIsAnAnswer) {
  server().answer("/product", FakeAnswer{.body = R"({"error":"down"})", .status = 500});
  EXPECT_EQ(gateway().downloadPostData(server().url("/product"), "productId=1")["error"].str(),
            "down");
}

TEST_F(TransportTest, UnusableAnswersGiveNothingAndNoMessage) {
  std::string deep(100000, '[');
  deep += std::string(100000, ']');
  const std::vector<std::pair<const char*, std::string>> cases = {
      {"zero bytes", ""},
      {"not JSON", "<html>Service Unavailable</html>"},
      {"invalid UTF-8", "{\"name\":\"\xC3\x28\"}"},
      {"overlong UTF-8", "{\"name\":\"\xC0\xAF\"}"},
      {"truncated JSON", R"({"data":[{"a":1},{"b")"},
      {"a bare scalar", "42"},
      {"100,000 nested brackets", deep},
      {"20 MB of unfinished JSON", "[" + std::string(20 * 1024 * 1024, '1')},
  };
  for (const auto& [name, body] : cases) {
    SCOPED_TRACE(name);
    server().answer("/category", body);
    EXPECT_TRUE(gateway().downloadPostData(server().url("/category"), "").isAbsent());
    EXPECT_TRUE(gateway().downloadGetData(server().url("/category")).isAbsent());
  }
  EXPECT_TRUE(alerts().empty());
}

TEST_F(TransportTest, FailedExchangesGiveNothingWithinTheTimeOut) {
  gateway().setTimeout(std::chrono::milliseconds(300));
  server().answer("/silent", FakeAnswer{.hold = true});
  server().answer("/dropped", FakeAnswer{.closeWithoutAnswer = true});
  server().answer("/slow", FakeAnswer{.body = "{}", .delay = std::chrono::seconds(30)});

  const auto started = std::chrono::steady_clock::now();
  EXPECT_TRUE(gateway().downloadPostData(server().url("/silent"), "a=1").isAbsent());
  EXPECT_TRUE(gateway().downloadGetData(server().url("/slow")).isAbsent());
  EXPECT_TRUE(gateway().downloadPostData(server().url("/dropped"), "a=1").isAbsent());
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
  EXPECT_EQ(server().requestsTo("/silent").size(), 1u);  // no retry
  EXPECT_TRUE(alerts().empty());
}

TEST_F(TransportTest, RefusedConnectionAndBadAddressesGiveNothing) {
  // A port that was free a moment ago: nobody listens there.
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  socklen_t length = sizeof address;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  ::close(fd);
  const std::string refused = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/";

  EXPECT_TRUE(gateway().downloadPostData(refused + "signin", "a=1").isAbsent());
  EXPECT_TRUE(gateway().downloadGetData(refused + "get_promo").isAbsent());
  EXPECT_TRUE(gateway().downloadPostData("http:///signin", "a=1").isAbsent());
  EXPECT_TRUE(gateway().downloadPostData("file:///etc/passwd", "").isAbsent());
  EXPECT_TRUE(alerts().empty());
}

TEST_F(TransportTest, AnswerAndValueAreLoggedWithSecretsMaskedAndLongTextsCut) {
  log::Capture capture;
  server().answer("/signin", R"({"profile":[{"password":"hunter2"}]})");
  gateway().downloadPostData(server().url("/signin"), "loginPassword=hunter2");
  bool sawAnswer = false;
  for (const std::string& line : capture.lines()) {
    EXPECT_EQ(line.find("hunter2"), std::string::npos) << line;
    sawAnswer = sawAnswer || line.rfind("-[TarnServerAPIs downloadPostData::]:", 0) == 0;
  }
  EXPECT_TRUE(sawAnswer);

  capture.clear();
  std::string names = "[";
  for (int i = 0; i < 20000; ++i) names += "\"Zo\xC3\xAB\",";
  names += "\"end\"]";
  server().answer("/category", names);
  EXPECT_EQ(gateway().downloadGetData(server().url("/category")).size(), 20001u);
  ASSERT_FALSE(capture.lines().empty());
  for (const std::string& line : capture.lines()) {
    EXPECT_LT(line.size(), 17u * 1024u);
    EXPECT_TRUE(json::utf8::isValid(line));
  }
}

TEST_F(TransportTest, TimeOutDefaultsToOneMinute) {
  EXPECT_EQ(gateway().timeout(), std::chrono::seconds(60));
}

TEST_F(TransportTest, OneGatewayPerContext) {
  TarnServerAPIs* first = &gateway();
  EXPECT_EQ(first, &TarnServerAPIs::sharedInstance());
  platform::Context other;
  platform::ScopedContext scope(other);
  EXPECT_NE(first, &TarnServerAPIs::sharedInstance());
}

}  // namespace
}  // namespace kelda::gateway
