// Every #include of the client, its front ends, the demo server and the tools follows the
// layering table src/layers.txt: a folder includes itself and what its listed folders may
// include, nothing else. A failure names the file, the line and the edge that is not allowed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Table = std::map<std::string, std::set<std::string>>;

fs::path sourceRoot() {
  const char* source = std::getenv("KELDA_SOURCE");
  return source != nullptr ? fs::path(source) : fs::path();
}

// "folder: used used ..." lines; comments and blank lines are skipped.
Table readTable(const fs::path& file) {
  Table direct;
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    const auto colon = line.find(':');
    if (colon == std::string::npos) continue;
    std::istringstream uses(line.substr(colon + 1));
    auto& allowed = direct[line.substr(0, colon)];
    for (std::string used; uses >> used;) allowed.insert(used);
  }
  return direct;
}

// Each folder with everything it may include, following the table transitively.
Table closure(const Table& direct) {
  Table all;
  for (const auto& [folder, uses] : direct) {
    std::vector<std::string> pending(uses.begin(), uses.end());
    auto& reached = all[folder];
    reached.insert(folder);
    while (!pending.empty()) {
      const std::string next = pending.back();
      pending.pop_back();
      if (!reached.insert(next).second) continue;
      if (auto it = direct.find(next); it != direct.end()) {
        pending.insert(pending.end(), it->second.begin(), it->second.end());
      }
    }
  }
  return all;
}

// The table's folder a source file belongs to ("src/ui/View.cpp" -> "ui").
std::string folderOf(const fs::path& relative) {
  auto part = relative.begin();
  const std::string top = part->string();
  if (top == "src") return (++part)->string();
  if (top == "server") return "server";
  return top + "/" + (++part)->string();  // frontends/cli, tools/json
}

// The table's folder an include names; empty for a file of the including folder itself.
std::string folderOfInclude(const std::string& include) {
  const auto slash = include.find('/');
  if (slash == std::string::npos) return "";
  const std::string top = include.substr(0, slash);
  return top == "kelda" ? "platform" : top;  // kelda/Config.hpp: the build settings
}

struct Violation {
  std::string where;
  std::string edge;
};

std::vector<Violation> violations(const fs::path& root, const Table& allowed) {
  static const std::regex includeLine(R"(^\s*#\s*include\s*\"([^\"]+)\")");
  std::vector<Violation> found;
  for (const char* top : {"src", "frontends", "server", "tools"}) {
    if (!fs::exists(root / top)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(root / top)) {
      const std::string extension = entry.path().extension().string();
      if (extension != ".cpp" && extension != ".hpp" && extension != ".h") continue;
      const fs::path relative = fs::relative(entry.path(), root);
      const std::string folder = folderOf(relative);
      std::ifstream in(entry.path());
      std::string line;
      for (int number = 1; std::getline(in, line); ++number) {
        std::smatch match;
        if (!std::regex_search(line, match, includeLine)) continue;
        const std::string target = folderOfInclude(match[1]);
        if (target.empty() || target == folder) continue;
        auto it = allowed.find(folder);
        if (it != allowed.end() && it->second.count(target) > 0) continue;
        found.push_back({relative.string() + ":" + std::to_string(number) + ": " + line,
                         folder + " -> " + target});
      }
    }
  }
  return found;
}

TEST(Layering, EveryIncludeFollowsTheTable) {
  const fs::path root = sourceRoot();
  ASSERT_FALSE(root.empty()) << "KELDA_SOURCE is not set (run through ctest)";
  const fs::path tableFile = root / "src" / "layers.txt";
  ASSERT_TRUE(fs::exists(tableFile)) << tableFile;
  const Table allowed = closure(readTable(tableFile));
  ASSERT_TRUE(allowed.count("json") && allowed.count("app") && allowed.count("server"));
  EXPECT_EQ(allowed.at("json"), std::set<std::string>{"json"}) << "the codec uses nothing of ours";
  for (const Violation& v : violations(root, allowed)) {
    ADD_FAILURE() << v.where << "\n  the edge " << v.edge << " is not in src/layers.txt";
  }
}

TEST(Layering, TheTableHasNoCycle) {
  const fs::path root = sourceRoot();
  ASSERT_FALSE(root.empty());
  const Table direct = readTable(root / "src" / "layers.txt");
  const Table all = closure(direct);
  for (const auto& [folder, uses] : direct) {
    for (const std::string& used : uses) {
      auto it = all.find(used);
      EXPECT_FALSE(it != all.end() && it->second.count(folder) > 0)
          << folder << " and " << used << " would use each other";
    }
  }
}

}  // namespace
