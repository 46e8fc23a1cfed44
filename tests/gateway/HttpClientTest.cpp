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

TEST(HttpClient, TheTimeOutIsALimitOnSilenceNotOnTheWholeExchange) {
  FakeMiddleware server;
  // 2,000 bytes in ten pieces, 150 ms apart: 1.5 s in all, never 400 ms without a byte.
  const std::string body(2000, 'b');
  server.answer(
      "/steady",
      FakeAnswer{.body = body, .trickle = std::chrono::milliseconds(150), .trickleChunks = 10});
  HttpRequest steady = get(server.url("/steady"));
  steady.timeout = std::chrono::milliseconds(400);
  const HttpResponse response = HttpClient::sendOnce(steady);
  EXPECT_FALSE(response.failed) << response.error;
  EXPECT_EQ(response.body, body);
}

TEST(HttpClient, RedirectsNeverTakeAPostElsewhereOrAnythingDownToHttp) {
  FakeMiddleware server;
  FakeMiddleware elsewhere;
  auto redirect = [](int status, std::string to) {
    return FakeAnswer{.status = status, .headers = {{"Location", std::move(to)}}};
  };
  server.answer("/keep", redirect(307, "/target"));
  server.answer("/see-other", redirect(303, "/target"));
  server.answer("/away", redirect(307, elsewhere.url("/target")));
  server.answer("/away-get", redirect(302, elsewhere.url("/target")));
  server.answer("/target", "same origin");
  elsewhere.answer("/target", "other origin");
  auto post = [&](const std::string& path) {
    HttpRequest request = get(server.url(path));
    request.method = HttpRequest::Method::Post;
    request.body = "loginPassword=secret";
    return HttpClient::sendOnce(request);
  };

  // A 307 within the origin sends the body again; a 303 continues with a GET.
  EXPECT_EQ(post("/keep").body, "same origin");
  EXPECT_EQ(server.lastRequest("/target")->method, "POST");
  EXPECT_EQ(server.lastRequest("/target")->body, "loginPassword=secret");
  EXPECT_EQ(post("/see-other").body, "same origin");
  EXPECT_EQ(server.lastRequest("/target")->method, "GET");
  EXPECT_EQ(server.lastRequest("/target")->body, "");

  // A POST redirected to another origin fails, and the other host receives nothing.
  const HttpResponse away = post("/away");
  EXPECT_TRUE(away.failed);
  EXPECT_TRUE(away.body.empty());
  EXPECT_EQ(elsewhere.requestCount(), 0u);
  // A GET may follow a redirect to another origin (pictures move between hosts).
  EXPECT_EQ(HttpClient::sendOnce(get(server.url("/away-get"))).body, "other origin");

  // From https nothing goes down to http; a loop of redirects ends.
  EXPECT_FALSE(followRedirect(get("https://shop.example.com/a"), 302, "http://shop.example.com/b"));
  EXPECT_TRUE(followRedirect(get("http://shop.example.com/a"), 302, "https://shop.example.com/b"));
  HttpRequest securePost = get("https://shop.example.com/signin");
  securePost.method = HttpRequest::Method::Post;
  EXPECT_FALSE(followRedirect(securePost, 307, "http://shop.example.com/signin"));
  EXPECT_FALSE(followRedirect(securePost, 307, "https://shop.example.com:8443/signin"));
  server.answer("/loop", redirect(302, "/loop"));
  EXPECT_TRUE(HttpClient::sendOnce(get(server.url("/loop"))).failed);
  EXPECT_EQ(server.requestsTo("/loop").size(), 1u + HttpClient::kMaxRedirects);
  EXPECT_EQ(originOf("https://Shop.Example.com/x?y"), "https://shop.example.com:443");
  EXPECT_EQ(originOf("http://127.0.0.1:8080/a"), "http://127.0.0.1:8080");
  EXPECT_FALSE(originOf("file:///etc/passwd"));
  EXPECT_FALSE(originOf("/relative"));
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
