// The HTTP front end under attack: slow senders and idle connections hold no worker, heads are
// bounded in time, size and lines, ranges never multiply or slice an answer, and the request
// forms that clients really send (Expect: 100-continue, pipelining) still work.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <vector>

#include "ServerFixture.hpp"

namespace kelda::server::testing {
namespace {

// A raw client socket on the server's port that writes bytes and reads until the server closes
// (or the safety time-out of 20 s passes).
class RawClient {
 public:
  explicit RawClient(int port) : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connected_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    timeval safety{20, 0};
    setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &safety, sizeof safety);
  }
  ~RawClient() { ::close(fd_); }
  RawClient(const RawClient&) = delete;
  RawClient& operator=(const RawClient&) = delete;

  bool connected() const { return connected_; }
  bool send(const std::string& bytes) {
    return ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
           static_cast<ssize_t>(bytes.size());
  }
  // Reads until `marker` has arrived, or the connection ends.
  std::string readUntil(const std::string& marker) {
    char chunk[65536];
    while (received_.find(marker) == std::string::npos) {
      const ssize_t n = ::recv(fd_, chunk, sizeof chunk, 0);
      if (n <= 0) break;
      received_.append(chunk, static_cast<std::size_t>(n));
    }
    return received_;
  }
  std::string readAll() { return readUntil(std::string(1, '\0') + "never"); }

 private:
  int fd_;
  bool connected_ = false;
  std::string received_;
};

const std::string kCategory =
    "POST /category HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: "
    "application/x-www-form-urlencoded\r\nContent-Length: 15\r\n\r\n&categoryId=118";

TEST(Http, SlowSendersAndIdleConnectionsLeaveTheWorkersFree) {
  ServerOptions options;
  options.threads = 2;
  Server server(options);
  // Many more half-sent heads and idle connections than workers.
  std::vector<std::unique_ptr<RawClient>> slow;
  for (int i = 0; i < 24; ++i) {
    slow.push_back(std::make_unique<RawClient>(server.server().port()));
    ASSERT_TRUE(slow.back()->connected());
    if (i % 2 == 0) slow.back()->send("POST /category HTTP/1.1\r\nHost: 127.0.0.1\r\nX-A: 1\r\n");
  }
  httplib::Client client("127.0.0.1", server.server().port());
  client.set_read_timeout(3, 0);  // the old pool of threads kept this waiting for 5 s and more
  for (int i = 0; i < 3; ++i) {
    auto result = client.Post("/category", "&categoryId=118", "application/x-www-form-urlencoded");
    ASSERT_TRUE(result) << "request " << i << " was not served";
    EXPECT_EQ(decode(result->body)["category"].size(), 15u);
  }
}

TEST(Http, HeadsAreBoundedInTimeSizeAndLines) {
  ServerOptions options;
  options.http.headTimeout = std::chrono::milliseconds(200);
  Server server(options);
  const int port = server.server().port();
  {
    // A head that stops arriving is answered 408 and closed once its time is up.
    RawClient client(port);
    client.send("POST /category HTTP/1.1\r\nHost: 127.0.0.1\r\n");
    const std::string answer = client.readAll();
    EXPECT_EQ(answer.rfind("HTTP/1.1 408 ", 0), 0u) << answer;
    EXPECT_NE(answer.find("\"errorMsg\""), std::string::npos);
  }
  {
    // Too many header lines, or too many bytes of head: 431, and the connection closes.
    RawClient lines(port);
    std::string head = "GET /get_promo HTTP/1.1\r\nHost: 127.0.0.1\r\n";
    for (int i = 0; i < 100; ++i) head += "X-Filler-" + std::to_string(i) + ": 1\r\n";
    lines.send(head);
    EXPECT_EQ(lines.readAll().rfind("HTTP/1.1 431 ", 0), 0u);
    RawClient size(port);
    const std::string line = "X-Big: " + std::string(8000, 'a') + "\r\n";
    size.send("GET /get_promo HTTP/1.1\r\n" + line + line + line);
    EXPECT_EQ(size.readAll().rfind("HTTP/1.1 431 ", 0), 0u);
  }
  {
    // Bodies without a length, or over 1 MB by their declared length, are refused at once.
    RawClient chunked(port);
    chunked.send(
        "POST /signin HTTP/1.1\r\nHost: 127.0.0.1\r\nTransfer-Encoding: "
        "chunked\r\n\r\n5\r\nhello\r\n");
    EXPECT_EQ(chunked.readAll().rfind("HTTP/1.1 411 ", 0), 0u);
    RawClient huge(port);
    huge.send("POST /signin HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: 900000000\r\n\r\n");
    EXPECT_EQ(huge.readAll().rfind("HTTP/1.1 413 ", 0), 0u);
  }
  // The server still serves.
  EXPECT_EQ(server.post("/category", "&categoryId=118").json["category"].size(), 15u);
}

TEST(Http, RangesAreIgnoredAndTheWholeAnswerServed) {
  Server server;
  const std::string page = server.get("/service/shipping/index.jsp").body;
  ASSERT_GT(page.size(), 100u);
  std::string ranges = "bytes=0-0";
  for (int i = 1; i < 2700; ++i) ranges += ",0-" + std::to_string(i % 50);
  httplib::Client client("127.0.0.1", server.server().port());
  auto many = client.Get("/service/shipping/index.jsp", {{"Range", ranges}});
  ASSERT_TRUE(many);
  EXPECT_EQ(many->status, 200);
  EXPECT_EQ(many->body, page);
  auto one = client.Get("/service/shipping/index.jsp", {{"Range", "bytes=0-9"}});
  ASSERT_TRUE(one);
  EXPECT_EQ(one->status, 200);
  EXPECT_EQ(one->body, page);
}

TEST(Http, ContinueExpectationsAndPipelinedRequestsAreServed) {
  Server server;
  RawClient client(server.server().port());
  client.send(
      "POST /category HTTP/1.1\r\nHost: 127.0.0.1\r\nExpect: 100-continue\r\nContent-Length: "
      "15\r\n\r\n");
  EXPECT_EQ(client.readUntil("\r\n\r\n"), "HTTP/1.1 100 Continue\r\n\r\n");
  client.send("&categoryId=118" + kCategory);
  const std::string answers = client.readUntil("}]}HTTP/1.1 200 OK");
  std::size_t count = 0;
  for (std::size_t at = answers.find("HTTP/1.1 200 OK"); at != std::string::npos;
       at = answers.find("HTTP/1.1 200 OK", at + 1)) {
    ++count;
  }
  EXPECT_GE(count, 2u) << answers.substr(0, 300);
}

TEST(Http, ConnectionsBeyondTheLimitPushOutTheIdlest) {
  ServerOptions options;
  options.http.maxConnections = 4;
  Server server(options);
  std::vector<std::unique_ptr<RawClient>> idle;
  for (int i = 0; i < 6; ++i) idle.push_back(std::make_unique<RawClient>(server.server().port()));
  RawClient fresh(server.server().port());
  fresh.send(kCategory);
  EXPECT_EQ(fresh.readUntil("\r\n").rfind("HTTP/1.1 200 OK", 0), 0u);
  // The first idle connections were closed to make room.
  EXPECT_EQ(idle.front()->readAll(), "");
}

}  // namespace
}  // namespace kelda::server::testing
