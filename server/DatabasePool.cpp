#include "DatabasePool.hpp"

namespace kelda::server {

DatabasePool::Lease DatabasePool::acquire() {
  {
    std::lock_guard lock(mutex_);
    if (!idle_.empty()) {
      auto db = std::move(idle_.back());
      idle_.pop_back();
      return Lease(*this, std::move(db));
    }
  }
  return Lease(*this, std::make_unique<Database>(file_, writers_));
}

void DatabasePool::release(std::unique_ptr<Database> db) {
  if (!db) return;
  db->resetStatements();
  std::lock_guard lock(mutex_);
  idle_.push_back(std::move(db));
}

}  // namespace kelda::server
