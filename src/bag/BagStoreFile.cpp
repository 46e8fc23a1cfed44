#include "bag/BagStoreFile.hpp"

#include <sqlite3.h>

#include <string_view>
#include <utility>

namespace kelda::bag {

namespace {
constexpr std::size_t kCount = AddToBagItemAttribute::kAttributeCount;

std::string columnList() {
  std::string columns;
  for (std::string_view name : AddToBagItemAttribute::kAttributeNames) {
    if (!columns.empty()) columns += ", ";
    columns += name;
  }
  return columns;
}

std::string createTableSql() {
  std::string sql =
      "CREATE TABLE AddToBagItemAttribute (objectID INTEGER PRIMARY KEY AUTOINCREMENT";
  for (std::string_view name : AddToBagItemAttribute::kAttributeNames) {
    sql += ", ";
    sql += name;
    sql += " TEXT";
  }
  return sql + ")";
}

std::string insertSql() {
  std::string sql = "INSERT INTO AddToBagItemAttribute (" + columnList() + ") VALUES (?";
  for (std::size_t i = 1; i < kCount; ++i) sql += ", ?";
  return sql + ")";
}

// The index makes the fetch an ordered scan; BINARY collation compares bytes.
constexpr const char* kCreateIndexSql =
    "CREATE INDEX IF NOT EXISTS AddToBagItemAttributeOrder "
    "ON AddToBagItemAttribute (setUpcID DESC, objectID)";
}  // namespace

// A prepared statement, finalised on destruction.
class BagStoreFile::Statement {
 public:
  Statement(sqlite3* db, const std::string& sql) {
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt_, nullptr) != SQLITE_OK) stmt_ = nullptr;
  }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  bool ok() const { return stmt_ != nullptr; }
  void bind(int index, const AddToBagItemAttribute::Text& text) {
    if (text) {
      sqlite3_bind_text(stmt_, index, text->data(), static_cast<int>(text->size()),
                        SQLITE_TRANSIENT);
    } else {
      sqlite3_bind_null(stmt_, index);
    }
  }
  void bind(int index, std::int64_t value) { sqlite3_bind_int64(stmt_, index, value); }
  // SQLITE_ROW, SQLITE_DONE or an error code.
  int step() { return sqlite3_step(stmt_); }
  AddToBagItemAttribute::Text text(int column) const {
    if (sqlite3_column_type(stmt_, column) == SQLITE_NULL) return std::nullopt;
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return std::string(bytes, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)));
  }
  std::int64_t integer(int column) const { return sqlite3_column_int64(stmt_, column); }

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

void BagStoreFile::Closer::operator()(sqlite3* db) const {
  sqlite3_close_v2(db);
}

BagStoreFile::BagStoreFile() = default;
BagStoreFile::~BagStoreFile() = default;

bool BagStoreFile::fail() {
  lastError_ = db_ ? sqlite3_errmsg(db_.get()) : "the bag file is not open";
  return false;
}

bool BagStoreFile::exec(const char* sql) {
  return sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr) == SQLITE_OK || fail();
}

bool BagStoreFile::open(const std::filesystem::path& file, const BagStoreOptions& options) {
  db_.reset();
  lastError_.clear();
  sqlite3* raw = nullptr;
  int flags = options.readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
  int rc = sqlite3_open_v2(file.c_str(), &raw, flags | SQLITE_OPEN_FULLMUTEX, nullptr);
  db_.reset(raw);
  if (rc != SQLITE_OK) {
    fail();
    db_.reset();
    return false;
  }
  sqlite3_extended_result_codes(raw, 1);
  sqlite3_busy_timeout(raw, 5000);
  // Reading the schema also tells a bag file from a file that is not a database.
  bool ready = false;
  bool exists = false;
  {
    Statement probe(raw,
                    "SELECT count(*) FROM sqlite_master WHERE type = 'table' "
                    "AND name = 'AddToBagItemAttribute'");
    ready = (probe.ok() && probe.step() == SQLITE_ROW) || fail();
    exists = ready && probe.integer(0) > 0;
  }
  if (ready && !exists) {
    ready = inTransaction([&] { return exec(createTableSql().c_str()) && exec(kCreateIndexSql); });
  }
  if (ready && options.maxPageCount > 0) {
    std::string pragma = "PRAGMA max_page_count = " + std::to_string(options.maxPageCount);
    ready = exec(pragma.c_str());
  }
  if (!ready) db_.reset();
  return ready;
}

bool BagStoreFile::inTransaction(const std::function<bool()>& body) {
  if (!db_) return fail();
  if (!exec("BEGIN IMMEDIATE")) return false;
  if (body() && exec("COMMIT")) return true;
  std::string error = lastError_;
  sqlite3_exec(db_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
  lastError_ = std::move(error);
  return false;
}

std::optional<std::vector<AddToBagItemAttribute>> BagStoreFile::fetchAll() {
  if (!db_) return fail(), std::nullopt;
  Statement select(db_.get(), "SELECT objectID, " + columnList() +
                                  " FROM AddToBagItemAttribute ORDER BY setUpcID DESC, objectID");
  if (!select.ok()) return fail(), std::nullopt;
  std::vector<AddToBagItemAttribute> lines;
  int rc;
  while ((rc = select.step()) == SQLITE_ROW) {
    AddToBagItemAttribute& line = lines.emplace_back();
    line.objectID = select.integer(0);
    for (std::size_t i = 0; i < kCount; ++i)
      line.attribute(i) = select.text(static_cast<int>(i) + 1);
  }
  if (rc != SQLITE_DONE) return fail(), std::nullopt;
  return lines;
}

std::optional<std::int64_t> BagStoreFile::insert(const AddToBagItemAttribute& line) {
  std::int64_t id = 0;
  bool saved = inTransaction([&] {
    Statement insert(db_.get(), insertSql());
    if (!insert.ok()) return fail();
    for (std::size_t i = 0; i < kCount; ++i)
      insert.bind(static_cast<int>(i) + 1, line.attribute(i));
    if (insert.step() != SQLITE_DONE) return fail();
    id = sqlite3_last_insert_rowid(db_.get());
    return true;
  });
  if (!saved) return std::nullopt;
  return id;
}

bool BagStoreFile::updateQuantity(
    std::int64_t objectID,
    const std::function<std::string(const AddToBagItemAttribute::Text&)>& change) {
  return inTransaction([&] {
    Statement select(db_.get(), "SELECT setQuantity FROM AddToBagItemAttribute WHERE objectID = ?");
    if (!select.ok()) return fail();
    select.bind(1, objectID);
    int rc = select.step();
    if (rc == SQLITE_DONE) return true;  // the line is gone: nothing to change
    if (rc != SQLITE_ROW) return fail();
    Statement update(db_.get(),
                     "UPDATE AddToBagItemAttribute SET setQuantity = ? WHERE objectID = ?");
    if (!update.ok()) return fail();
    update.bind(1, AddToBagItemAttribute::Text(change(select.text(0))));
    update.bind(2, objectID);
    return update.step() == SQLITE_DONE || fail();
  });
}

bool BagStoreFile::remove(std::int64_t objectID) {
  return inTransaction([&] {
    Statement del(db_.get(), "DELETE FROM AddToBagItemAttribute WHERE objectID = ?");
    if (!del.ok()) return fail();
    del.bind(1, objectID);
    return del.step() == SQLITE_DONE || fail();
  });
}

bool BagStoreFile::removeAll() {
  return inTransaction([&] { return exec("DELETE FROM AddToBagItemAttribute"); });
}

}  // namespace kelda::bag
