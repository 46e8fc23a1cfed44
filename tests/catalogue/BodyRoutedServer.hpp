// BodyRoutedServer: a loopback HTTP server whose answer to a POST depends on the request body
// and on how many requests came before, for requests whose answers must change within one
// operation (the category search's fallback). Records every body; any thread.
#pragma once

#include <httplib.h>

#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace kelda::catalogue {

class BodyRoutedServer {
 public:
  using Route = std::function<std::string(const std::string& path, const std::string& body)>;

  explicit BodyRoutedServer(Route route) : route_(std::move(route)) {
    server_.Post(".*", [this](const httplib::Request& request, httplib::Response& response) {
      {
        std::lock_guard lock(mutex_);
        bodies_.push_back(request.body);
      }
      response.set_content(route_(request.path, request.body), "application/json");
    });
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running()) std::this_thread::yield();
  }
  ~BodyRoutedServer() {
    server_.stop();
    thread_.join();
  }
  BodyRoutedServer(const BodyRoutedServer&) = delete;
  BodyRoutedServer& operator=(const BodyRoutedServer&) = delete;

  std::string address() const { return "127.0.0.1:" + std::to_string(port_); }
  std::vector<std::string> bodies() const {
    std::lock_guard lock(mutex_);
    return bodies_;
  }

 private:
  Route route_;
  httplib::Server server_;
  int port_ = 0;
  std::thread thread_;
  mutable std::mutex mutex_;
  std::vector<std::string> bodies_;
};

}  // namespace kelda::catalogue
