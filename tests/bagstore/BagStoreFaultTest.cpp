// The bag store under faults: a file that is not a database, a read-only file, a full disk,
// no documents directory, and a process killed in the middle of a thousand adds. No failure
// ends the process; each is reported and the bag on disk stays as it was.
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <vector>

#include "bag/CoreDataHandler.hpp"
#include "bagstore/BagTestSupport.hpp"

namespace kelda::test {
namespace {

using bag::CoreDataHandler;

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string integrityCheck(const std::filesystem::path& path) {
  sqlite3* db = nullptr;
  std::string result = "cannot open";
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &stmt, nullptr);
    result = sqlite3_step(stmt) == SQLITE_ROW
                 ? reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0))
                 : sqlite3_errmsg(db);
    sqlite3_finalize(stmt);
  }
  sqlite3_close(db);
  return result;
}

class BagStoreFaultTest : public BagFixture {
 protected:
  std::filesystem::path bagFile() const { return home() / "AddToBag.sqlite"; }
  CoreDataHandler& store() { return CoreDataHandler::sharedCoreDataHandler(); }
  std::vector<std::string> shownAlerts() {
    runUntilIdle();
    return alertMessages();
  }
};

TEST_F(BagStoreFaultTest, AFileThatIsNotABagIsReportedAndLeftAsItWas) {
  const std::string garbage(4096, '\x5A');
  std::ofstream(bagFile(), std::ios::binary) << garbage;
  EXPECT_EQ(store().fetchExistingBagItems(), 0);
  EXPECT_FALSE(addToBag("1"));
  std::mutex lock;
  EXPECT_EQ(store().totalQuantityInBag(lock), 0);
  EXPECT_FALSE(store().deleteAllObjects("AddToBagItemAttribute"));
  auto alerts = shownAlerts();
  ASSERT_EQ(alerts.size(), 4u);
  EXPECT_EQ(alerts[0], "Exception while accessing persistence store:file is not a database");
  EXPECT_EQ(alerts[1], "Your bag could not be saved. Please try again later.");
  EXPECT_EQ(alerts[2], "Your bag could not be read. Please try again later.");
  EXPECT_EQ(alerts[3], "Your bag could not be saved. Please try again later.");
  EXPECT_EQ(readFile(bagFile()), garbage);
}

TEST_F(BagStoreFaultTest, AReadOnlyBagCanBeReadButNotChanged) {
  ASSERT_TRUE(addToBag("1", "2"));
  ASSERT_TRUE(addToBag("2", "3"));
  const std::string before = readFile(bagFile());
  {
    platform::Context relaunch(optionsWithHome(home()));
    platform::ScopedContext scope(relaunch);
    std::filesystem::permissions(bagFile(), std::filesystem::perms::owner_read);
    // Running as root ignores file modes: open without write access as well.
    store().setStoreOptions({.readOnly = true});
    std::mutex lock;
    EXPECT_EQ(store().totalQuantityInBag(lock), 5);
    EXPECT_FALSE(addToBag("3"));
    EXPECT_FALSE(store().updateBagQuantityToQuantity(std::string("9"), 0));
    EXPECT_FALSE(store().deleteBagItemAtIndex(1));
    EXPECT_FALSE(store().deleteAllObjects("AddToBagItemAttribute"));
    EXPECT_EQ(store().fetchExistingBagItems(), 2);
    relaunch.get<platform::RunLoop>().runUntilIdle();
    EXPECT_EQ(alertMessages(),
              std::vector<std::string>(4, "Your bag could not be saved. Please try again later."));
  }
  std::filesystem::permissions(bagFile(), std::filesystem::perms::owner_all);
  EXPECT_EQ(readFile(bagFile()), before);
  std::mutex lock;
  EXPECT_EQ(store().totalQuantityInBag(lock), 5);
}

TEST_F(BagStoreFaultTest, AFullDiskKeepsEveryLineSavedBeforeIt) {
  store().setStoreOptions({.maxPageCount = 8});
  int saved = 0;
  while (saved < 2000 && addToBag("upc-" + std::to_string(saved), "1")) ++saved;
  ASSERT_GT(saved, 0);
  ASSERT_LT(saved, 2000) << "the page limit never filled the file";
  EXPECT_EQ(shownAlerts(),
            std::vector<std::string>{"Your bag could not be saved. Please try again later."});
  // Removing a line still works on a full file, and the quantities can change.
  store().fetchExistingBagItems();
  EXPECT_TRUE(store().updateBagQuantityToQuantity(std::string("4"), 0));
  EXPECT_EQ(store().fetchExistingBagItems(), saved);
  EXPECT_EQ(integrityCheck(bagFile()), "ok");

  platform::Context relaunch(optionsWithHome(home()));
  platform::ScopedContext scope(relaunch);
  EXPECT_EQ(store().fetchExistingBagItems(), saved);
  std::mutex lock;
  EXPECT_EQ(store().totalQuantityInBag(lock), saved + 3);
}

TEST_F(BagStoreFaultTest, NoDocumentsDirectoryIsReportedOnceThenEachRead) {
  std::ofstream(home() / "plain-file") << "x";
  setHome(home() / "plain-file" / "docs");
  EXPECT_FALSE(store().managedObjectContext());
  EXPECT_EQ(store().fetchExistingBagItems(), 0);
  auto alerts = shownAlerts();
  ASSERT_EQ(alerts.size(), 2u);
  EXPECT_EQ(alerts[0].rfind("Exception while accessing persistence store:", 0), 0u) << alerts[0];
  EXPECT_EQ(alerts[1], "Your bag could not be read. Please try again later.");
}

// A child process adds a thousand lines, reporting each completed add through a pipe, and is
// killed part way. The reopened bag holds exactly the lines whose adds had completed (the add
// in flight at the kill may have committed before its report was written), each one whole.
TEST_F(BagStoreFaultTest, AKilledProcessLeavesExactlyTheCompletedAdds) {
  constexpr int kAdds = 1000;
  constexpr int kKillAfter = 150;
  auto upcOf = [](int i) {
    std::string digits = std::to_string(100000 + i);
    return "k" + digits;
  };
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    close(fds[0]);
    platform::Context own(optionsWithHome(home()));
    platform::ScopedContext scope(own);
    for (std::int32_t i = 0; i < kAdds; ++i) {
      if (!addToBag(upcOf(i), std::to_string(i % 5 + 1))) _exit(3);
      if (write(fds[1], &i, sizeof i) != sizeof i) _exit(4);
    }
    _exit(0);
  }
  close(fds[1]);
  int reported = 0;
  std::int32_t index = 0;
  while (reported < kKillAfter && read(fds[0], &index, sizeof index) == sizeof index) ++reported;
  kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
  while (read(fds[0], &index, sizeof index) == sizeof index) ++reported;
  close(fds[0]);
  ASSERT_TRUE(WIFSIGNALED(status)) << "the child ended before the kill, status " << status;
  ASSERT_GE(reported, kKillAfter);

  EXPECT_EQ(integrityCheck(bagFile()), "ok");
  long long stored = store().fetchExistingBagItems();
  EXPECT_TRUE(stored == reported || stored == reported + 1) << stored << " vs " << reported;
  auto lines = store().fetchBagItemsArray();
  // UPC ids of one length sort descending: the newest line comes first.
  for (std::size_t position = 0; position < lines.size(); ++position) {
    int i = static_cast<int>(lines.size() - 1 - position);
    const auto& line = lines[position];
    EXPECT_EQ(line.setUpcID, upcOf(i));
    EXPECT_EQ(line.setQuantity, std::to_string(i % 5 + 1));
    EXPECT_EQ(line.setProductName, "Silk Dress");
    EXPECT_EQ(line.setCategoryFlag, "SEARCH");
    if (HasFailure()) break;
  }
  EXPECT_TRUE(addToBag("after"));  // the bag keeps working
  EXPECT_EQ(store().fetchExistingBagItems(), stored + 1);
}

}  // namespace
}  // namespace kelda::test
