// BagStoreFile: the bag lines in the SQLite file "AddToBag.sqlite". One table,
// AddToBagItemAttribute, with one text column per attribute and an index that gives the
// fetch order (setUpcID descending by byte comparison, then order of creation).
//
// Every change runs in its own transaction, so a failed or interrupted change leaves the file
// as it was. Owned by CoreDataHandler, which serialises all calls; not thread-safe itself.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bag/AddToBagItemAttribute.hpp"

struct sqlite3;

namespace kelda::bag {

// Test hooks: how the file is opened.
struct BagStoreOptions {
  bool readOnly = false;  // open without write access (stands in for a read-only file)
  long maxPageCount = 0;  // > 0: the file may not grow past this many pages (a full disk)
};

class BagStoreFile {
 public:
  BagStoreFile();
  ~BagStoreFile();
  BagStoreFile(const BagStoreFile&) = delete;
  BagStoreFile& operator=(const BagStoreFile&) = delete;

  // Opens (creating when missing) the file and its table. False, with lastError(), when the
  // file cannot be opened or is not a bag file; the file is left untouched then.
  bool open(const std::filesystem::path& file, const BagStoreOptions& options);
  bool isOpen() const { return db_ != nullptr; }

  // All lines in fetch order; nothing on failure.
  std::optional<std::vector<AddToBagItemAttribute>> fetchAll();
  // Stores a new line; its objectID is ignored. The new row id, or nothing on failure.
  std::optional<std::int64_t> insert(const AddToBagItemAttribute& line);
  // Replaces the quantity of line `objectID` by change(stored quantity), read and written in one
  // transaction. True when saved or when the line no longer exists.
  bool updateQuantity(std::int64_t objectID,
                      const std::function<std::string(const AddToBagItemAttribute::Text&)>& change);
  // Deletes one line / every line. True when saved.
  bool remove(std::int64_t objectID);
  bool removeAll();

  // The description of the last failure.
  const std::string& lastError() const { return lastError_; }

 private:
  class Statement;
  bool exec(const char* sql);
  bool fail();
  bool inTransaction(const std::function<bool()>& body);

  struct Closer {
    void operator()(sqlite3* db) const;
  };
  std::unique_ptr<sqlite3, Closer> db_;
  std::string lastError_;
};

}  // namespace kelda::bag
