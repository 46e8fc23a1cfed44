// WorkerPool: a fixed number of threads that serve connections whose request has fully
// arrived, in the order they were handed in. Owned by the HTTP front end; push() may be called
// from any thread. stop() serves what is queued, then joins the threads.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "Connection.hpp"

namespace kelda::server {

class WorkerPool {
 public:
  using Serve = std::function<void(std::unique_ptr<Connection>)>;
  WorkerPool(std::size_t threads, Serve serve);
  ~WorkerPool();
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

  void push(std::unique_ptr<Connection> connection);
  void stop();

 private:
  void run();
  Serve serve_;
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<std::unique_ptr<Connection>> queue_;
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};

}  // namespace kelda::server
