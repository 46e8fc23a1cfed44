#include "support/FakeMiddleware.hpp"

#include <arpa/inet.h>
#include <httplib.h>
#include <strings.h>
#include <sys/socket.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <filesystem>
#include <map>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace kelda::test {
namespace {

// Headers that the server library adds to a request by itself; they were not sent.
bool isPseudoHeader(const std::string& name) {
  return name == "REMOTE_ADDR" || name == "REMOTE_PORT" || name == "LOCAL_ADDR" ||
         name == "LOCAL_PORT";
}

int portOf(const sockaddr_storage& address) {
  if (address.ss_family != AF_INET) return -1;
  return ntohs(reinterpret_cast<const sockaddr_in*>(&address)->sin_port);
}

// Shuts the server's end of the connection from `remotePort` to `localPort` down, so that the
// client sees the connection close without a single byte of answer. The server library does
// not hand its socket to a handler, so the socket is found among the process's descriptors.
void dropConnection(int localPort, int remotePort) {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
    int fd = -1;
    try {
      fd = std::stoi(entry.path().filename().string());
    } catch (const std::exception&) {
      continue;
    }
    sockaddr_storage local{}, remote{};
    socklen_t localLength = sizeof local, remoteLength = sizeof remote;
    if (::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &localLength) != 0) continue;
    if (::getpeername(fd, reinterpret_cast<sockaddr*>(&remote), &remoteLength) != 0) continue;
    if (portOf(local) == localPort && portOf(remote) == remotePort) {
      ::shutdown(fd, SHUT_RDWR);
      return;
    }
  }
}

RecordedRequest record(const httplib::Request& request, std::string body) {
  RecordedRequest recorded;
  recorded.method = request.method;
  recorded.path = request.path;
  if (const auto mark = request.target.find('?'); mark != std::string::npos) {
    recorded.query = request.target.substr(mark + 1);
  }
  for (const auto& [name, value] : request.headers) {
    if (!isPseudoHeader(name)) recorded.headers.emplace_back(name, value);
  }
  recorded.body = std::move(body);
  recorded.remotePort = request.remote_port;
  return recorded;
}

}  // namespace

std::optional<std::string> RecordedRequest::header(std::string_view name) const {
  for (const auto& [key, value] : headers) {
    if (key.size() == name.size() && ::strncasecmp(key.data(), name.data(), key.size()) == 0) {
      return value;
    }
  }
  return std::nullopt;
}

struct FakeMiddleware::Impl {
  httplib::Server server;
  std::thread thread;
  std::atomic<bool> listenerEnded{false};
  int port = -1;

  mutable std::mutex mutex;
  std::condition_variable released;
  bool releasing = false;
  std::map<std::string, FakeAnswer> answers;
  FakeAnswer fallback{.status = 404, .contentType = "text/plain"};
  std::vector<RecordedRequest> requests;

  FakeAnswer answerFor(const httplib::Request& request, std::string body) {
    std::lock_guard lock(mutex);
    requests.push_back(record(request, std::move(body)));
    const auto it = answers.find(request.path);
    return it != answers.end() ? it->second : fallback;
  }

  // Waits for the answer's delay (or forever when held) unless released first.
  void waitBeforeAnswering(const FakeAnswer& answer) {
    std::unique_lock lock(mutex);
    if (answer.hold) {
      released.wait(lock, [this] { return releasing; });
    } else if (answer.delay.count() > 0) {
      released.wait_for(lock, answer.delay, [this] { return releasing; });
    }
  }

  void handle(const httplib::Request& request, std::string body, httplib::Response& response) {
    const FakeAnswer answer = answerFor(request, std::move(body));
    waitBeforeAnswering(answer);
    if (answer.closeWithoutAnswer) {
      dropConnection(request.local_port, request.remote_port);
      return;
    }
    response.status = answer.status;
    for (const auto& [name, value] : answer.headers) response.set_header(name, value);
    if (answer.trickle.count() > 0) {
      trickle(answer, response);
    } else {
      response.set_content(answer.body, answer.contentType);
    }
  }

  // A slow but steady answer: the body in pieces, each after a pause (cut short on release).
  void trickle(const FakeAnswer& answer, httplib::Response& response) {
    const std::size_t pieces = static_cast<std::size_t>(std::max(1, answer.trickleChunks));
    const std::size_t piece = (answer.body.size() + pieces - 1) / pieces;
    response.set_content_provider(answer.body.size(), answer.contentType,
                                  [this, body = answer.body, piece, pause = answer.trickle](
                                      std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                    {
                                      std::unique_lock lock(mutex);
                                      released.wait_for(lock, pause, [this] { return releasing; });
                                    }
                                    const std::size_t length =
                                        std::min(piece, body.size() - offset);
                                    return sink.write(body.data() + offset, length);
                                  });
  }
};

FakeMiddleware::FakeMiddleware() : impl_(std::make_unique<Impl>()) {
  Impl* impl = impl_.get();
  auto withoutBody = [impl](const httplib::Request& request, httplib::Response& response) {
    impl->handle(request, request.body, response);
  };
  // Bodies are read here rather than by the library, which refuses form bodies over 8 KB.
  auto withBody = [impl](const httplib::Request& request, httplib::Response& response,
                         const httplib::ContentReader& reader) {
    std::string body;
    reader([&body](const char* data, std::size_t length) {
      body.append(data, length);
      return true;
    });
    impl->handle(request, std::move(body), response);
  };
  impl_->server.Get(".*", withoutBody);
  impl_->server.Post(".*", withBody);
  impl_->server.Put(".*", withBody);
  impl_->server.Delete(".*", withBody);
  impl_->server.set_keep_alive_timeout(1);
  impl_->port = impl_->server.bind_to_any_port("127.0.0.1");
  if (impl_->port <= 0) throw std::runtime_error("FakeMiddleware: cannot bind a loopback port");
  impl_->thread = std::thread([impl] {
    impl->server.listen_after_bind();
    impl->listenerEnded = true;
  });
  // stop() has no effect before the listener runs: wait until it does, so that the
  // destructor can always end it.
  while (!impl_->server.is_running() && !impl_->listenerEnded) std::this_thread::yield();
}

FakeMiddleware::~FakeMiddleware() {
  releaseHeld();
  impl_->server.stop();
  if (impl_->thread.joinable()) impl_->thread.join();
}

int FakeMiddleware::port() const {
  return impl_->port;
}

std::string FakeMiddleware::address() const {
  return "127.0.0.1:" + std::to_string(port());
}

std::string FakeMiddleware::url(std::string_view path) const {
  return "http://" + address() + std::string(path);
}

void FakeMiddleware::answer(const std::string& path, FakeAnswer answer) {
  std::lock_guard lock(impl_->mutex);
  impl_->answers[path] = std::move(answer);
}

void FakeMiddleware::answer(const std::string& path, std::string body) {
  FakeAnswer programmed;
  programmed.body = std::move(body);
  answer(path, std::move(programmed));
}

void FakeMiddleware::setDefaultAnswer(FakeAnswer answer) {
  std::lock_guard lock(impl_->mutex);
  impl_->fallback = std::move(answer);
}

std::vector<RecordedRequest> FakeMiddleware::requests() const {
  std::lock_guard lock(impl_->mutex);
  return impl_->requests;
}

std::vector<RecordedRequest> FakeMiddleware::requestsTo(std::string_view path) const {
  std::vector<RecordedRequest> matching;
  for (RecordedRequest& request : requests()) {
    if (request.path == path) matching.push_back(std::move(request));
  }
  return matching;
}

std::optional<RecordedRequest> FakeMiddleware::lastRequest(std::string_view path) const {
  std::vector<RecordedRequest> matching = requestsTo(path);
  if (matching.empty()) return std::nullopt;
  return std::move(matching.back());
}

std::size_t FakeMiddleware::requestCount() const {
  std::lock_guard lock(impl_->mutex);
  return impl_->requests.size();
}

void FakeMiddleware::clearRequests() {
  std::lock_guard lock(impl_->mutex);
  impl_->requests.clear();
}

void FakeMiddleware::releaseHeld() {
  {
    std::lock_guard lock(impl_->mutex);
    impl_->releasing = true;
  }
  impl_->released.notify_all();
}

}  // namespace kelda::test
