#include "platform/PropertyList.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "platform/TextFile.hpp"
#include "support/TempDirectory.hpp"

namespace kelda::platform {
namespace {

using json::Value;
using test::TempDirectory;

constexpr const char* kHeader =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
    "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n";

std::string plist(const std::string& body) {
  return std::string(kHeader) + "<plist version=\"1.0\">" + body + "</plist>\n";
}

Value cardTypesAnswer() {
  return Value::object({
      {"status", Value::array({Value::object({{"success", "AUTHENTICATED"}, {"error", ""}})})},
      {"data", Value::array({
                   Value::object(
                       {{"ccCode", "VI"}, {"ccName", "Visa"}, {"maxLength", 16}, {"visible", "Y"}}),
                   Value::object({{"ccCode", "AX"},
                                  {"ccName", "Am & Ex <\"Caf\xC3\xA9\">"},
                                  {"maxLength", 15},
                                  {"visible", "N"}}),
               })},
      {"count", -2},
      {"big", Value::numberFromText("9007199254740993")},
      {"rate", Value::numberFromText("1.5")},
      {"flags", Value::array({true, false})},
      {"empty", Value::array()},
      {"none", Value::object()},
      {"", "empty key"},
  });
}

TEST(PropertyList, RoundTripKeepsValuesOrderAndWritesAtomically) {
  TempDirectory dir;
  const auto file = dir / "cardTypes.plist";
  const Value answer = cardTypesAnswer();
  ASSERT_TRUE(writePropertyList(file, answer, 0600));
  const Value back = readPropertyList(file);
  EXPECT_EQ(back, answer) << back.describe();
  ASSERT_EQ(back.size(), answer.size());
  for (std::size_t i = 0; i < answer.size(); ++i) EXPECT_EQ(back.keyAt(i), answer.keyAt(i));
  struct stat info {};
  ASSERT_EQ(::stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);

  const auto text = readTextFile(file);
  ASSERT_TRUE(text);
  EXPECT_NE(text->find("<key>ccName</key>"), std::string::npos);
  EXPECT_NE(text->find("<integer>-2</integer>"), std::string::npos);
  EXPECT_NE(text->find("Am &amp; Ex &lt;"), std::string::npos);
}

TEST(PropertyList, ReadsEveryKindOfElement) {
  const Value value = propertyListFromXml(
      plist("<dict><key>AL</key><string>Alabama</string>"
            "<key>n</key><integer>42</integer><key>r</key><real>2.50</real>"
            "<key>t</key><true/><key>f</key><false/>"
            "<key>d</key><date>2026-12-08T01:02:03Z</date>"
            "<key>b</key><data>aGVsbG8=</data>"
            "<key>list</key><array><string>a</string><integer>1</integer></array></dict>"));
  EXPECT_EQ(value, Value::object({{"AL", "Alabama"},
                                  {"n", 42},
                                  {"r", Value::numberFromText("2.5")},
                                  {"t", true},
                                  {"f", false},
                                  {"d", "2026-12-08T01:02:03Z"},
                                  {"b", "aGVsbG8="},
                                  {"list", Value::array({"a", 1})}}))
      << value.describe();
  EXPECT_EQ(propertyListFromXml(plist("<array/>")), Value::array());
  EXPECT_EQ(propertyListFromXml(plist("<string>only</string>")), Value("only"));
}

TEST(PropertyList, DamagedOrForeignInputGivesTheAbsentValue) {
  TempDirectory dir;
  const auto file = dir / "cardTypes.plist";
  EXPECT_TRUE(readPropertyList(dir / "missing.plist").isAbsent());
  EXPECT_TRUE(readPropertyList(dir.path()).isAbsent());

  const std::string deep = std::string(5000, '[');
  std::string nested;
  for (int i = 0; i < 5000; ++i) nested += "<array>";
  const std::string cases[] = {
      "",
      std::string("bplist00\x00\xff\x13\x80garbage", 20),
      std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16),
      "{\"data\":[]}",
      "<html><body>not a plist</body></html>",
      plist("<dict><key>a</key><string>unterminated</dict>"),
      std::string(kHeader) + "<plist version=\"1.0\"><dict><key>a</key>",
      plist("<dict><key>a</key><string>x</string></dict>") + "<trailing/>",
      "<?xml version=\"1.0\"?><!DOCTYPE plist [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b "
      "\"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">]><plist><string>&b;</string></plist>",
      "<plist>" + nested + "</plist>",
      plist(""),
      deep,
  };
  for (const std::string& text : cases) {
    EXPECT_TRUE(propertyListFromXml(text).isAbsent()) << text.substr(0, 60);
    ASSERT_TRUE(writeTextFile(file, text));
    EXPECT_TRUE(readPropertyList(file).isAbsent()) << text.substr(0, 60);
  }
}

TEST(PropertyList, ValuesWithoutAPropertyListFormAreRefusedAndTheOldFileKept) {
  TempDirectory dir;
  const auto file = dir / "merchandiseDetailsDictionary.plist";
  const Value old = Value::object({{"total", "10.00"}});
  ASSERT_TRUE(writePropertyList(file, old));
  const Value refused[] = {
      Value(),
      Value::object({{"orderTax", nullptr}}),
      Value::array({"ok", Value::null()}),
      Value::object({{"name", "bell\x07"}}),
      Value::object({{"name", "bad \xC3 utf8"}}),
      Value::object({{std::string("nul\0key", 7), "x"}}),
  };
  for (const Value& value : refused) {
    EXPECT_FALSE(propertyListToXml(value)) << value.describe();
    EXPECT_FALSE(writePropertyList(file, value)) << value.describe();
    EXPECT_EQ(readPropertyList(file), old);
  }
  // Tabs, line ends and characters beyond the basic plane are kept.
  const Value text = Value::object({{"lines", "a\tb\nc \xF0\x9F\x9B\x8D\xEF\xB8\x8F"}});
  ASSERT_TRUE(writePropertyList(file, text));
  EXPECT_EQ(readPropertyList(file), text);
}

}  // namespace
}  // namespace kelda::platform
