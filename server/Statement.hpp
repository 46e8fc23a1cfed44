// Statement: one prepared SQLite statement. Values always travel as bound parameters, never as
// SQL text. Owned by the Database that prepared it (cached there) and used by one thread at a
// time, like its connection. Positions of bind() and column readers start at 1 and 0, as in SQLite.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace kelda::server {

class Statement {
 public:
  Statement(sqlite3* db, std::string_view sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  // Resets the statement and clears its bindings; returns *this for chaining.
  Statement& reset();
  Statement& bind(int index, long long value);
  Statement& bind(int index, int value) { return bind(index, static_cast<long long>(value)); }
  Statement& bind(int index, double value);
  Statement& bind(int index, std::string_view text);
  Statement& bind(int index, const char* text) { return bind(index, std::string_view(text)); }
  Statement& bind(int index, const std::string& text) {
    return bind(index, std::string_view(text));
  }

  // Steps once: true when a row is ready, false when done. Throws std::runtime_error on failure.
  bool step();
  // Runs to completion (for statements without rows).
  void run();

  long long integer(int column) const;
  double real(int column) const;
  std::string text(int column) const;
  bool isNull(int column) const;

 private:
  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace kelda::server
