// Database: one SQLite connection to the server's data file, with a cache of prepared
// statements keyed by their SQL text. A connection is used by one thread at a time (the
// DatabasePool hands it out); the file itself is shared by all connections in WAL mode.
#pragma once

#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

#include "Statement.hpp"

namespace kelda::server {

class Database {
 public:
  // Opens (creating when missing) the file; throws std::runtime_error when it cannot.
  // `writers`, shared by the connections of one pool, queues their write transactions.
  explicit Database(const std::filesystem::path& file,
                    std::shared_ptr<std::mutex> writers = nullptr);
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  // The cached statement for this SQL, reset and with cleared bindings.
  Statement& prepare(std::string_view sql);
  // Runs SQL without parameters (schema, pragmas, transaction control).
  void exec(std::string_view sql);
  // Resets every cached statement, ending the read snapshot a half-read statement keeps open
  // (a stale snapshot cannot become a write transaction).
  void resetStatements();
  long long lastInsertId() const;
  int changes() const;
  sqlite3* handle() const { return db_; }
  std::mutex* writers() const { return writers_.get(); }

 private:
  sqlite3* db_ = nullptr;
  std::shared_ptr<std::mutex> writers_;
  std::unordered_map<std::string, std::unique_ptr<Statement>> statements_;
  int walPages_ = 0;  // pages in the write-ahead log after the last commit
  friend class Transaction;
};

// Pages (of 4 KB) in the write-ahead log beyond which a commit empties it.
inline constexpr int kWalCheckpointPages = 1000;

// Commits on commit(), rolls back when left without it. BEGIN IMMEDIATE takes the write lock
// at once, so a read-check-write sequence inside it cannot race another writer. Writers of one
// pool wait for each other on the pool's mutex first: a queue that wakes the next writer at
// once, where SQLite's busy handler would poll with growing sleeps.
class Transaction {
 public:
  explicit Transaction(Database& db, bool immediate = false);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  void commit();

 private:
  std::unique_lock<std::mutex> queued_;
  Database& db_;
  bool done_ = false;
};

}  // namespace kelda::server
