#include "HttpFrontEnd.hpp"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

#include "Json.hpp"
#include "RequestHead.hpp"

namespace kelda::server {
namespace {

constexpr std::size_t kReadChunk = 16 * 1024;
// How long a refused connection is still read (and its bytes dropped) after the refusal was
// sent, so that closing it does not reset the connection before the client reads the refusal.
constexpr std::chrono::milliseconds kDrainTime{2000};
constexpr const char* kContinue = "HTTP/1.1 100 Continue\r\n\r\n";

const char* statusText(int status) {
  switch (status) {
    case 400:
      return "Bad Request";
    case 408:
      return "Request Timeout";
    case 411:
      return "Length Required";
    case 413:
      return "Payload Too Large";
    case 431:
      return "Request Header Fields Too Large";
    default:
      return "Error";
  }
}

void sendSome(int fd, const std::string& bytes) {
  // Best effort: a refusal or "100 Continue" is small enough for an empty socket buffer.
  (void)::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
}

void describe(const sockaddr_storage& address, std::string& ip, int& port) {
  char text[INET6_ADDRSTRLEN] = {0};
  if (address.ss_family == AF_INET) {
    const auto& v4 = reinterpret_cast<const sockaddr_in&>(address);
    inet_ntop(AF_INET, &v4.sin_addr, text, sizeof text);
    port = ntohs(v4.sin_port);
  } else if (address.ss_family == AF_INET6) {
    const auto& v6 = reinterpret_cast<const sockaddr_in6&>(address);
    inet_ntop(AF_INET6, &v6.sin6_addr, text, sizeof text);
    port = ntohs(v6.sin6_port);
  }
  ip = text;
}

}  // namespace

HttpFrontEnd::HttpFrontEnd(RoutedServer& server, HttpLimits limits, std::size_t workers)
    : server_(server), limits_(limits), workerCount_(std::max<std::size_t>(workers, 1)) {}

HttpFrontEnd::~HttpFrontEnd() {
  stop();
  for (int fd : {listen_, epoll_, wake_}) {
    if (fd >= 0) ::close(fd);
  }
}

int HttpFrontEnd::bind(const std::string& host, int port) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_PASSIVE;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) {
    throw std::runtime_error("cannot resolve " + host);
  }
  for (addrinfo* a = found; a && listen_ < 0; a = a->ai_next) {
    const int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) continue;
    const int yes = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    if (::bind(fd, a->ai_addr, a->ai_addrlen) == 0 && ::listen(fd, 1024) == 0) {
      listen_ = fd;
    } else {
      ::close(fd);
    }
  }
  freeaddrinfo(found);
  if (listen_ < 0)
    throw std::runtime_error("cannot listen on " + host + ":" + std::to_string(port));
  sockaddr_storage bound{};
  socklen_t length = sizeof bound;
  getsockname(listen_, reinterpret_cast<sockaddr*>(&bound), &length);
  std::string ip;
  int boundPort = port;
  describe(bound, ip, boundPort);
  return boundPort;
}

void HttpFrontEnd::start() {
  epoll_ = epoll_create1(EPOLL_CLOEXEC);
  wake_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  if (epoll_ < 0 || wake_ < 0) throw std::runtime_error("cannot start the event thread");
  for (int fd : {listen_, wake_}) {
    epoll_event event{};
    event.events = EPOLLIN;
    event.data.fd = fd;
    epoll_ctl(epoll_, EPOLL_CTL_ADD, fd, &event);
  }
  pool_ = std::make_unique<WorkerPool>(
      workerCount_, [this](std::unique_ptr<Connection> c) { serve(std::move(c)); });
  nextSweep_ = Clock::now() + std::chrono::seconds(1);
  thread_ = std::thread([this] { loop(); });
}

void HttpFrontEnd::stop() {
  if (stopping_.exchange(true)) return;
  if (thread_.joinable()) {
    wake();
    thread_.join();
  }
  if (pool_) pool_->stop();
}

void HttpFrontEnd::wake() {
  const std::uint64_t one = 1;
  (void)!::write(wake_, &one, sizeof one);
}

void HttpFrontEnd::loop() {
  std::vector<epoll_event> events(256);
  while (!stopping_) {
    const auto wait =
        std::chrono::duration_cast<std::chrono::milliseconds>(nextSweep_ - Clock::now());
    const int timeout = static_cast<int>(std::clamp<long long>(wait.count() + 1, 0, 1000));
    const int n = epoll_wait(epoll_, events.data(), static_cast<int>(events.size()), timeout);
    for (int i = 0; i < n; ++i) {
      const int fd = events[static_cast<std::size_t>(i)].data.fd;
      if (fd == wake_) {
        std::uint64_t count = 0;
        (void)!::read(wake_, &count, sizeof count);
      } else if (fd == listen_) {
        acceptAll();
      } else {
        onReadable(fd);
      }
    }
    takeReturned();
    if (Clock::now() >= nextSweep_) expire();
  }
  connections_.clear();
  std::lock_guard lock(returnedMutex_);
  loopEnded_ = true;
  returned_.clear();
}

void HttpFrontEnd::acceptAll() {
  while (accepting_) {
    const int fd = accept4(listen_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) {
      // Out of descriptors: make room, or stop listening until a connection closes.
      if ((errno == EMFILE || errno == ENFILE) && !evictOne()) setAccepting(false);
      return;
    }
    if (connections_.size() + serving_ >= limits_.maxConnections && !evictOne()) {
      ::close(fd);  // every connection is being served: none can be dropped for this one
      continue;
    }
    adopt(fd);
  }
}

void HttpFrontEnd::adopt(int fd) {
  const int yes = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
  auto c = std::make_unique<Connection>(fd);
  sockaddr_storage address{};
  socklen_t length = sizeof address;
  if (getpeername(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
    describe(address, c->remoteIp, c->remotePort);
  }
  length = sizeof address;
  if (getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
    describe(address, c->localIp, c->localPort);
  }
  c->phase = Connection::Phase::Head;
  setDeadline(*c, c->started + limits_.headTimeout);
  epoll_event event{};
  event.events = EPOLLIN | EPOLLRDHUP;
  event.data.fd = fd;
  epoll_ctl(epoll_, EPOLL_CTL_ADD, fd, &event);
  connections_[fd] = std::move(c);
}

void HttpFrontEnd::onReadable(int fd) {
  auto it = connections_.find(fd);
  if (it == connections_.end()) return;
  Connection& c = *it->second;
  char chunk[kReadChunk];
  const ssize_t n = ::recv(fd, chunk, sizeof chunk, MSG_DONTWAIT);
  if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return;
  if (n <= 0) {
    close(fd);
    return;
  }
  if (c.phase == Connection::Phase::Draining) return;
  if (c.phase == Connection::Phase::Idle) {
    c.phase = Connection::Phase::Head;
    c.started = Clock::now();
    setDeadline(c, c.started + limits_.headTimeout);
  }
  c.buffer.append(chunk, static_cast<std::size_t>(n));
  advance(c);
}

void HttpFrontEnd::advance(Connection& c) {
  if (c.phase == Connection::Phase::Head) {
    const RequestHead head = RequestHead::parse(c.buffer, limits_);
    if (head.state == RequestHead::State::Incomplete) return;
    if (head.state == RequestHead::State::Refused) {
      refuse(c, head.status, head.reason);
      return;
    }
    c.buffer.replace(0, head.headBytes, head.rewritten);
    c.headBytes = head.rewritten.size();
    c.bodyBytes = head.bodyBytes;
    c.continueSent = false;
    c.phase = Connection::Phase::Body;
    setDeadline(c, c.started + limits_.requestTimeout);
    if (head.expectsContinue && c.buffer.size() < c.headBytes + c.bodyBytes) {
      sendSome(c.fd, kContinue);
      c.continueSent = true;
    }
  }
  if (c.phase == Connection::Phase::Body && c.buffer.size() >= c.headBytes + c.bodyBytes) {
    dispatch(c);
  }
}

void HttpFrontEnd::dispatch(Connection& c) {
  const int fd = c.fd;
  epoll_ctl(epoll_, EPOLL_CTL_DEL, fd, nullptr);
  auto it = connections_.find(fd);
  std::unique_ptr<Connection> owned = std::move(it->second);
  connections_.erase(it);
  owned->phase = Connection::Phase::Serving;
  ++serving_;
  pool_->push(std::move(owned));
}

void HttpFrontEnd::refuse(Connection& c, int status, const std::string& reason) {
  const std::string body = encode(
      ObjectBuilder().add("success", number(0)).add("error", true).add("errorMsg", reason).build());
  sendSome(c.fd, "HTTP/1.1 " + std::to_string(status) + " " + statusText(status) +
                     "\r\nContent-Type: application/json; charset=utf-8\r\nContent-Length: " +
                     std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
  ::shutdown(c.fd, SHUT_WR);
  // Read and drop what the client still sends, briefly, then close.
  c.phase = Connection::Phase::Draining;
  c.buffer.clear();
  c.buffer.shrink_to_fit();
  setDeadline(c, Clock::now() + kDrainTime);
}

void HttpFrontEnd::close(int fd) {
  epoll_ctl(epoll_, EPOLL_CTL_DEL, fd, nullptr);
  connections_.erase(fd);
  setAccepting(true);
}

bool HttpFrontEnd::evictOne() {
  // A refused connection being drained first, then the longest idle, then the slowest sender.
  auto rank = [](const Connection& c) {
    return c.phase == Connection::Phase::Draining ? 0 : c.phase == Connection::Phase::Idle ? 1 : 2;
  };
  Connection* victim = nullptr;
  for (auto& [fd, c] : connections_) {
    if (!victim || rank(*c) < rank(*victim) ||
        (rank(*c) == rank(*victim) && c->started < victim->started)) {
      victim = c.get();
    }
  }
  if (!victim) return false;
  close(victim->fd);
  return true;
}

void HttpFrontEnd::setAccepting(bool on) {
  if (on == accepting_ || stopping_) return;
  accepting_ = on;
  epoll_event event{};
  event.events = EPOLLIN;
  event.data.fd = listen_;
  epoll_ctl(epoll_, on ? EPOLL_CTL_ADD : EPOLL_CTL_DEL, listen_, &event);
}

void HttpFrontEnd::setDeadline(Connection& c, Clock::time_point deadline) {
  c.deadline = deadline;
  nextSweep_ = std::min(nextSweep_, deadline);
}

void HttpFrontEnd::expire() {
  const auto now = Clock::now();
  nextSweep_ = now + std::chrono::seconds(1);
  std::vector<int> late;
  for (auto& [fd, c] : connections_) {
    if (c->deadline <= now)
      late.push_back(fd);
    else
      nextSweep_ = std::min(nextSweep_, c->deadline);
  }
  for (int fd : late) {
    Connection& c = *connections_.at(fd);
    if (c.phase == Connection::Phase::Head || c.phase == Connection::Phase::Body) {
      refuse(c, 408, "The request took too long to arrive.");
    } else {
      close(fd);
    }
  }
}

void HttpFrontEnd::takeReturned() {
  std::vector<std::unique_ptr<Connection>> back;
  {
    std::lock_guard lock(returnedMutex_);
    back.swap(returned_);
  }
  for (auto& c : back) {
    --serving_;
    setAccepting(true);
    if (!c->keep || stopping_) continue;  // closed as it goes out of scope
    const int fd = c->fd;
    c->phase = Connection::Phase::Idle;
    setDeadline(*c, Clock::now() + limits_.idleTimeout);
    epoll_event event{};
    event.events = EPOLLIN | EPOLLRDHUP;
    event.data.fd = fd;
    epoll_ctl(epoll_, EPOLL_CTL_ADD, fd, &event);
    Connection& kept = *(connections_[fd] = std::move(c));
    if (!kept.buffer.empty()) {  // the next request arrived with this one
      kept.phase = Connection::Phase::Head;
      kept.started = Clock::now();
      setDeadline(kept, kept.started + limits_.headTimeout);
      advance(kept);
    }
  }
}

void HttpFrontEnd::serve(std::unique_ptr<Connection> c) {
  ConnectionStream stream(*c, limits_);
  bool closed = false;
  const bool last = c->served + 1 >= limits_.keepAliveRequests || stopping_;
  const bool ok = server_.serveOne(stream, last, closed);
  ++c->served;
  c->buffer.erase(0, stream.consumed());
  c->keep = ok && !closed && !last && !stream.broken();
  giveBack(std::move(c));
}

void HttpFrontEnd::giveBack(std::unique_ptr<Connection> c) {
  std::lock_guard lock(returnedMutex_);
  if (loopEnded_) return;  // the connection closes here
  returned_.push_back(std::move(c));
  wake();
}

}  // namespace kelda::server
