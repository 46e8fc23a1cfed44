#include "platform/Log.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "json/JsonLog.hpp"
#include "platform/TextFile.hpp"
#include "support/TempDirectory.hpp"

namespace kelda::log {
namespace {

using test::TempDirectory;
using Lines = std::vector<std::string>;

TEST(LogRedaction, MasksSecretFormFields) {
  EXPECT_EQ(redact("loginUserName=ann@example.com&loginPassword=s3cr%26t x&next=1"),
            "loginUserName=ann@example.com&loginPassword=********&next=1");
  EXPECT_EQ(redact("firstName=Ann&password=pw&verifyPassword=pw&dateOfBirth=01/02/1990"),
            "firstName=Ann&password=********&verifyPassword=********&dateOfBirth=01/02/1990");
  EXPECT_EQ(redact("cardId=&cardType=VI&cardNumber=4111-1111&cardExpirationDate=01/2027"),
            "cardId=&cardType=VI&cardNumber=********&cardExpirationDate=01/2027");
  EXPECT_EQ(redact("orderTax=1.20&securityCode=123&promoCode=\nnext line"),
            "orderTax=1.20&securityCode=********&promoCode=\nnext line");
  EXPECT_EQ(redact("emailPassword=ann@example.com"), "emailPassword=********");
  EXPECT_EQ(redact("http://h/x?LOGINPASSWORD=abc&newPassword=def"),
            "http://h/x?LOGINPASSWORD=********&newPassword=********");
  // An empty value stays visibly empty; names that only contain a secret name are not keys.
  EXPECT_EQ(redact("loginPassword=&passwordHint=abc&mypassword2=x"),
            "loginPassword=&passwordHint=abc&mypassword2=x");
}

TEST(LogRedaction, MasksJsonMembersAndDescriptions) {
  EXPECT_EQ(redact(R"({"loginPassword":"p\"w","cardNumber": 4111111111111111,"name":"password"})"),
            R"({"loginPassword":"********","cardNumber": ********,"name":"password"})");
  EXPECT_EQ(redact(R"({"securityCode" : null, "password":"", "x":1})"),
            R"({"securityCode" : ********, "password":"", "x":1})");
  // JSON carried inside a JSON string.
  EXPECT_EQ(redact(R"({"itemBOAttr":"{\"securityCode\":\"123\",\"qty\":\"2\"}"})"),
            R"({"itemBOAttr":"{\"securityCode\":\"********\",\"qty\":\"2\"}"})");
  // The readable form of a dictionary.
  EXPECT_EQ(redact("{\n    password = \"pa ss\";\n    verifyPassword = abc;\n    city = Reno;\n}"),
            "{\n    password = \"********\";\n    verifyPassword = ********;\n    city = Reno;\n}");
  // Prose and addresses that merely mention a secret's name are untouched.
  EXPECT_EQ(redact("POST http://127.0.0.1:8080/forgot_password: password is wrong"),
            "POST http://127.0.0.1:8080/forgot_password: password is wrong");
}

TEST(LogRedaction, MasksCardLikeDigitRuns) {
  EXPECT_EQ(redact("upc 123456789012, order 12345678901, id 12345678901234567890"),
            "upc ********, order 12345678901, id 12345678901234567890");
  EXPECT_EQ(redact("card 4111111111111111. ok"), "card ********. ok");
  EXPECT_EQ(redact("card4111111111111111x"), "card********x");
  EXPECT_EQ(redact("lat 40.712775812345678 big 123456789012.5"),
            "lat 40.712775812345678 big 123456789012.5");
}

TEST(Log, WritesRedactedLinesOfTheShapeOperationColonMessage) {
  Capture all;
  Capture errorsOnly(Level::Error);
  debug("-[TarnServerAPIs signin:]", "loginUserName=a@b.c&loginPassword=pw");
  info("checkNetworkConnectivity", "WiFi");
  error("-[BagViewController checkout]", "NSRangeException");
  EXPECT_EQ(
      all.lines(),
      (Lines{"-[TarnServerAPIs signin:]:loginUserName=a@b.c&loginPassword=********",
             "checkNetworkConnectivity:WiFi", "-[BagViewController checkout]:NSRangeException"}));
  EXPECT_EQ(errorsOnly.lines(), (Lines{"-[BagViewController checkout]:NSRangeException"}));
  all.clear();
  EXPECT_TRUE(all.lines().empty());
}

TEST(Log, CodecFailureLinesReachTheLog) {
  Capture capture;
  json::log("JSONValue", "-JSONValue failed. Error trace is: (\"password\":\"x\")");
  json::setLogHandler(nullptr);
  json::log("JSONValue", "lost");
  installJsonLogging();
  json::log("JSONFragment", "-JSONFragment failed. Error trace is: ()");
  EXPECT_EQ(capture.lines(),
            (Lines{"JSONValue:-JSONValue failed. Error trace is: (\"password\":\"********\")",
                   "JSONFragment:-JSONFragment failed. Error trace is: ()"}));
}

TEST(Log, ConfiguredLevelAndFile) {
  TempDirectory dir;
  const auto file = dir / "kelda.log";
  configure("debug", file.string());
  EXPECT_TRUE(enabled(Level::Debug));
  debug("op", "first");
  warning("op", "securityCode=999");
  configure("WARNING", file.string());
  info("op", "dropped");
  error("op", "kept");
  EXPECT_EQ(platform::readTextFile(file), "op:first\nop:securityCode=********\nop:kept\n");
  struct stat info {};
  ASSERT_EQ(::stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);

  // Defaults: info and above, and without a file only warnings and errors go anywhere.
  configure("", "");
  EXPECT_EQ(log::level(), Level::Info);
  EXPECT_FALSE(enabled(Level::Debug));
  EXPECT_FALSE(enabled(Level::Info));
  EXPECT_TRUE(enabled(Level::Warning));
  setLevel(Level::Error);
  EXPECT_FALSE(enabled(Level::Warning));
  configure("", "");
}

}  // namespace
}  // namespace kelda::log
