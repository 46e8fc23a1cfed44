#include "WorkerPool.hpp"

namespace kelda::server {

WorkerPool::WorkerPool(std::size_t threads, Serve serve) : serve_(std::move(serve)) {
  for (std::size_t i = 0; i < threads; ++i) threads_.emplace_back([this] { run(); });
}

WorkerPool::~WorkerPool() {
  stop();
}

void WorkerPool::push(std::unique_ptr<Connection> connection) {
  {
    std::lock_guard lock(mutex_);
    queue_.push_back(std::move(connection));
  }
  ready_.notify_one();
}

void WorkerPool::stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  ready_.notify_all();
  for (auto& t : threads_) {
    if (t.joinable()) t.join();
  }
  threads_.clear();
}

void WorkerPool::run() {
  while (true) {
    std::unique_ptr<Connection> next;
    {
      std::unique_lock lock(mutex_);
      ready_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
      if (queue_.empty()) return;
      next = std::move(queue_.front());
      queue_.pop_front();
    }
    serve_(std::move(next));
  }
}

}  // namespace kelda::server
