#include "Connection.hpp"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace kelda::server {

Connection::Connection(int socket) : fd(socket), started(Clock::now()), deadline(started) {}

Connection::~Connection() {
  ::close(fd);
}

bool ConnectionStream::wait(short events, std::chrono::milliseconds timeout) const {
  pollfd p{c_.fd, events, 0};
  int ready;
  do {
    ready = ::poll(&p, 1, static_cast<int>(timeout.count()));
  } while (ready < 0 && errno == EINTR);
  return ready > 0 && (p.revents & (events | POLLHUP | POLLERR));
}

bool ConnectionStream::is_readable() const {
  return offset_ < c_.buffer.size() || wait(POLLIN, std::chrono::milliseconds(0));
}

bool ConnectionStream::is_writable() const {
  return !broken_ && wait(POLLOUT, limits_.writeTimeout);
}

ssize_t ConnectionStream::read(char* ptr, size_t size) {
  if (offset_ < c_.buffer.size()) {
    const std::size_t n = std::min(size, c_.buffer.size() - offset_);
    std::memcpy(ptr, c_.buffer.data() + offset_, n);
    offset_ += n;
    return static_cast<ssize_t>(n);
  }
  // The front end hands over whole requests, so this is only reached by a request that reads
  // past what it declared: allow what is left of its time, then fail.
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      c_.started + limits_.requestTimeout - Connection::Clock::now());
  if (left.count() <= 0 || !wait(POLLIN, left)) {
    broken_ = true;
    return -1;
  }
  const ssize_t n = ::recv(c_.fd, ptr, size, MSG_DONTWAIT);
  if (n <= 0) broken_ = true;
  return n;
}

ssize_t ConnectionStream::write(const char* ptr, size_t size) {
  std::size_t sent = 0;
  while (sent < size && !broken_) {
    const ssize_t n = ::send(c_.fd, ptr + sent, size - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n > 0) {
      sent += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      broken_ = !wait(POLLOUT, limits_.writeTimeout);
    } else {
      broken_ = true;
    }
  }
  return broken_ ? -1 : static_cast<ssize_t>(sent);
}

void ConnectionStream::get_remote_ip_and_port(std::string& ip, int& port) const {
  ip = c_.remoteIp;
  port = c_.remotePort;
}

void ConnectionStream::get_local_ip_and_port(std::string& ip, int& port) const {
  ip = c_.localIp;
  port = c_.localPort;
}

}  // namespace kelda::server
