#include "platform/HttpClient.hpp"

#include <gtest/gtest.h>

#include <string>

#include "support/FakeMiddleware.hpp"

namespace kelda::platform {
namespace {

using test::FakeAnswer;
using test::FakeMiddleware;

HttpRequest get(std::string url) {
  HttpRequest request;
  request.url = std::move(url);
  request.timeout = std::chrono::seconds(20);
  return request;
}

TEST(HttpClient, ReportsStatusContentTypeAndBody) {
  FakeMiddleware server;
  server.answer("/page",
                FakeAnswer{.body = "<p>gone</p>", .status = 410, .contentType = "text/html"});
  const HttpResponse response = HttpClient::sendOnce(get(server.url("/page")));
  EXPECT_FALSE(response.failed);
  EXPECT_EQ(response.status, 410);
  EXPECT_EQ(response.contentType, "text/html");
  EXPECT_EQ(response.body, "<p>gone</p>");
  EXPECT_EQ(response.error, "");
}

TEST(HttpClient, OneClientKeepsItsConnectionAndSendOnceDoesNot) {
  FakeMiddleware server;
  server.answer("/image", "x");
  {
    HttpClient client;
    EXPECT_FALSE(client.send(get(server.url("/image"))).failed);
    EXPECT_FALSE(client.send(get(server.url("/image"))).failed);
  }
  EXPECT_FALSE(HttpClient::sendOnce(get(server.url("/image"))).failed);
  const auto requests = server.requestsTo("/image");
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].remotePort, requests[1].remotePort);
  EXPECT_NE(requests[1].remotePort, requests[2].remotePort);
}

TEST(HttpClient, AnswerOverTheSizeLimitFailsWithoutABody) {
  FakeMiddleware server;
  server.answer("/huge", std::string(HttpClient::kMaxBodyBytes + 1, 'a'));
  const HttpResponse response = HttpClient::sendOnce(get(server.url("/huge")));
  EXPECT_TRUE(response.failed);
  EXPECT_TRUE(response.body.empty());
  EXPECT_FALSE(response.error.empty());
}

TEST(HttpClient, DroppedAndSilentExchangesFail) {
  FakeMiddleware server;
  server.answer("/dropped", FakeAnswer{.closeWithoutAnswer = true});
  server.answer("/silent", FakeAnswer{.hold = true});
  const HttpResponse dropped = HttpClient::sendOnce(get(server.url("/dropped")));
  EXPECT_TRUE(dropped.failed);
  EXPECT_EQ(dropped.status, 0);  // not even a status line came back
  HttpRequest silent = get(server.url("/silent"));
  silent.timeout = std::chrono::milliseconds(200);
  EXPECT_TRUE(HttpClient::sendOnce(silent).failed);
}

TEST(HttpClient, OnlyWebAddressesAreFetched) {
  for (const char* url : {"file:///etc/passwd", "ftp://127.0.0.1/x", "not a url", ""}) {
    SCOPED_TRACE(url);
    const HttpResponse response = HttpClient::sendOnce(get(url));
    EXPECT_TRUE(response.failed);
    EXPECT_TRUE(response.body.empty());
  }
}

}  // namespace
}  // namespace kelda::platform
