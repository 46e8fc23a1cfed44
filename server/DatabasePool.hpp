// DatabasePool: hands out connections to the data file, one per request thread at a time, and
// opens a new one when all are in use. Shared by all request threads; thread-safe.
#pragma once

#include <filesystem>
#include <memory>
#include <mutex>
#include <vector>

#include "Database.hpp"

namespace kelda::server {

class DatabasePool {
 public:
  explicit DatabasePool(std::filesystem::path file) : file_(std::move(file)) {}

  // A connection for the holder's scope; it returns to the pool when the lease ends.
  class Lease {
   public:
    Lease(DatabasePool& pool, std::unique_ptr<Database> db) : pool_(pool), db_(std::move(db)) {}
    ~Lease() { pool_.release(std::move(db_)); }
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;
    Database& operator*() const { return *db_; }
    Database* operator->() const { return db_.get(); }

   private:
    DatabasePool& pool_;
    std::unique_ptr<Database> db_;
  };

  Lease acquire();
  const std::filesystem::path& file() const { return file_; }

 private:
  void release(std::unique_ptr<Database> db);
  std::filesystem::path file_;
  std::shared_ptr<std::mutex> writers_ = std::make_shared<std::mutex>();
  std::mutex mutex_;
  std::vector<std::unique_ptr<Database>> idle_;
};

}  // namespace kelda::server
