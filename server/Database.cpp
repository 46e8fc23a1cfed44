#include "Database.hpp"

#include <stdexcept>

namespace kelda::server {

namespace {

// Process-wide settings, made before SQLite's first use: no memory statistics (they take a
// global lock on every allocation).
void configureOnce() {
  static const bool configured = [] {
    sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
    return true;
  }();
  (void)configured;
}

}  // namespace

Database::Database(const std::filesystem::path& file, std::shared_ptr<std::mutex> writers)
    : writers_(std::move(writers)) {
  configureOnce();
  const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
  if (sqlite3_open_v2(file.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
    std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
    sqlite3_close(db_);
    db_ = nullptr;
    throw std::runtime_error("cannot open " + file.string() + ": " + message);
  }
  sqlite3_busy_timeout(db_, 10000);
  exec("PRAGMA journal_mode=WAL");
  exec("PRAGMA synchronous=NORMAL");
  exec("PRAGMA foreign_keys=ON");
  // No memory map: remapping the growing file on every commit cost more than it saved, and
  // each connection's map counted again in the resident memory.
  exec("PRAGMA mmap_size=0");
  // The log is emptied by the committing writer past kWalCheckpointPages (Transaction::commit);
  // SQLite's own checkpoint would copy the same pages once more just before.
  exec("PRAGMA wal_autocheckpoint=0");
  sqlite3_wal_hook(
      db_,
      [](void* self, sqlite3*, const char*, int pages) {
        static_cast<Database*>(self)->walPages_ = pages;
        return SQLITE_OK;
      },
      this);
}

Database::~Database() {
  statements_.clear();
  sqlite3_close(db_);
}

Statement& Database::prepare(std::string_view sql) {
  auto it = statements_.find(std::string(sql));
  if (it == statements_.end()) {
    it = statements_.emplace(std::string(sql), std::make_unique<Statement>(db_, sql)).first;
  }
  return it->second->reset();
}

void Database::exec(std::string_view sql) {
  char* error = nullptr;
  if (sqlite3_exec(db_, std::string(sql).c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    std::string message = error ? error : "unknown error";
    sqlite3_free(error);
    throw std::runtime_error("sql failed: " + message);
  }
}

void Database::resetStatements() {
  for (auto& [sql, statement] : statements_) statement->reset();
}

long long Database::lastInsertId() const {
  return sqlite3_last_insert_rowid(db_);
}

int Database::changes() const {
  return sqlite3_changes(db_);
}

Transaction::Transaction(Database& db, bool immediate) : db_(db) {
  // End this connection's read snapshot before queueing: a writer that empties the log waits
  // for every reader, and must not wait for one that waits for it.
  db_.resetStatements();
  if (immediate && db.writers()) queued_ = std::unique_lock(*db.writers());
  db_.exec(immediate ? "BEGIN IMMEDIATE" : "BEGIN");
}

Transaction::~Transaction() {
  if (!done_) {
    try {
      db_.exec("ROLLBACK");
    } catch (...) {
    }
  }
}

void Transaction::commit() {
  db_.resetStatements();
  db_.exec("COMMIT");
  done_ = true;
  // Readers never pause under load, so SQLite's own checkpoints never reach the end of the
  // log and it grows without bound, slowing every read. Past the limit the writer (still
  // first in the writers' queue) waits for the readers to leave the log and empties it.
  if (db_.walPages_ >= kWalCheckpointPages) {
    db_.walPages_ = 0;
    sqlite3_wal_checkpoint_v2(db_.handle(), nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
  }
}

}  // namespace kelda::server
