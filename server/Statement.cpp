#include "Statement.hpp"

#include <stdexcept>

namespace kelda::server {

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db) {
  if (sqlite3_prepare_v3(db, sql.data(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT,
                         &stmt_, nullptr) != SQLITE_OK) {
    throw std::runtime_error(std::string("prepare failed: ") + sqlite3_errmsg(db) + " in " +
                             std::string(sql));
  }
}

Statement::~Statement() {
  sqlite3_finalize(stmt_);
}

Statement& Statement::reset() {
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
  return *this;
}

Statement& Statement::bind(int index, long long value) {
  sqlite3_bind_int64(stmt_, index, value);
  return *this;
}

Statement& Statement::bind(int index, double value) {
  sqlite3_bind_double(stmt_, index, value);
  return *this;
}

Statement& Statement::bind(int index, std::string_view text) {
  // An empty view may have no data pointer; it still means the empty text, not NULL.
  sqlite3_bind_text(stmt_, index, text.data() ? text.data() : "", static_cast<int>(text.size()),
                    SQLITE_TRANSIENT);
  return *this;
}

bool Statement::step() {
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  throw std::runtime_error(std::string("step failed: ") + sqlite3_errmsg(db_));
}

void Statement::run() {
  while (step()) {
  }
}

long long Statement::integer(int column) const {
  return sqlite3_column_int64(stmt_, column);
}

double Statement::real(int column) const {
  return sqlite3_column_double(stmt_, column);
}

std::string Statement::text(int column) const {
  const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
  if (!p) return {};
  return std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)));
}

bool Statement::isNull(int column) const {
  return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

}  // namespace kelda::server
