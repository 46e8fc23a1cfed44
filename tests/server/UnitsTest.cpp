// The pure helpers behind the endpoints: money texts, refinement reading, dates, search
// queries, UTF-8 repair, fault rules, and the generated PDF and PNG files.
#include <gtest/gtest.h>

#include "FaultInjector.hpp"
#include "Money.hpp"
#include "PdfDocument.hpp"
#include "PngImage.hpp"
#include "Refinements.hpp"
#include "ResultEndpoints.hpp"
#include "StoreEndpoints.hpp"
#include "Text.hpp"

namespace kelda::server {
namespace {

TEST(Money, FormatsAndParsesCents) {
  EXPECT_EQ(formatCents(0), "0.00");
  EXPECT_EQ(formatCents(5), "0.05");
  EXPECT_EQ(formatCents(123456), "1234.56");
  EXPECT_EQ(formatCents(-450), "-4.50");
  EXPECT_EQ(parseCents("12.5"), 1250);
  EXPECT_EQ(parseCents("$0.99"), 99);
  EXPECT_EQ(parseCents("7"), 700);
  EXPECT_FALSE(parseCents("1.234"));
  EXPECT_FALSE(parseCents("abc"));
  EXPECT_FALSE(parseCents(""));
  EXPECT_EQ(applyBasisPoints(1999, 725), 145);  // 144.9275 rounds up
  EXPECT_EQ(applyBasisPoints(1000, 1000), 100);
}

// Brand and colour are string literals, as the reference data the server points into.
Candidate candidate(std::string_view brand, long long cents, std::string_view colour = "Red",
                    int rating = 8) {
  Candidate c;
  c.brand = brand;
  c.priceCents = cents;
  c.colour = colour;
  c.rating = rating;
  return c;
}

TEST(Refinements, BrandAndPriceByLabelOrIdAndAnyMeansNoRestriction) {
  // Women's brands start at id 201; "Belle & Bloom" is the second. Price band 202 is "$25 - $50".
  auto byId = Refinements::parse(R"({"BRAND":"202","PRICE":"202"})");
  ASSERT_TRUE(byId);
  EXPECT_TRUE(byId->matches(candidate("Belle & Bloom", 3000)));
  EXPECT_FALSE(byId->matches(candidate("Amara", 3000)));
  EXPECT_FALSE(byId->matches(candidate("Belle & Bloom", 5000)));
  auto byLabel = Refinements::parse(R"({"BRAND":"belle & bloom","PRICE":"$25 - $50"})");
  EXPECT_TRUE(byLabel->matches(candidate("Belle & Bloom", 2500)));
  auto any = Refinements::parse(R"({"BRAND":"Any","PRICE":""})");
  EXPECT_TRUE(any->matches(candidate("Amara", 99999)));
  EXPECT_EQ(encode(any->applied()), R"({"BRAND":"Any","PRICE":""})");
}

TEST(Refinements, UnknownValuesMatchNothingAndBadJsonIsRefused) {
  EXPECT_FALSE(Refinements::parse(R"({"PRICE":"cheap"})")->matches(candidate("Amara", 100)));
  EXPECT_FALSE(Refinements::parse(R"({"BRAND":"99999"})")->matches(candidate("Amara", 100)));
  EXPECT_TRUE(Refinements::parse(R"({"COLOR":"red","RATING":"4 Stars & Up"})")
                  ->matches(candidate("A", 1, "Red", 8)));
  EXPECT_FALSE(
      Refinements::parse(R"({"RATING":"4 Stars & Up"})")->matches(candidate("A", 1, "Red", 7)));
  EXPECT_FALSE(Refinements::parse("{not json"));
  EXPECT_FALSE(Refinements::parse("[1,2]"));
  EXPECT_TRUE(Refinements::parse(""));
}

TEST(StoreDates, ReadsTheDateFormsTheClientMayBuild) {
  const auto day = StoreEndpoints::parseDay("Dec 8, 2026");
  ASSERT_TRUE(day);
  EXPECT_EQ(StoreEndpoints::formatDay(*day), "12/08/2026");
  EXPECT_EQ(StoreEndpoints::parseDay("8 Dec, 2026"), day);
  EXPECT_EQ(StoreEndpoints::parseDay("12/08/2026"), day);
  EXPECT_EQ(StoreEndpoints::parseDay("2026-12-08"), day);
  EXPECT_FALSE(StoreEndpoints::parseDay("Feb 30, 2026"));
  EXPECT_FALSE(StoreEndpoints::parseDay("yesterday"));
}

TEST(SearchQuery, QuotesEveryWordSoNoOperatorOrQuoteReachesTheIndex) {
  EXPECT_EQ(ResultEndpoints::searchQuery("Classic  Tee"), R"("classic" "tee")");
  EXPECT_EQ(ResultEndpoints::searchQuery(R"(a" OR 1=1; DROP TABLE products;--)"),
            R"("a" "or" "1" "1" "drop" "table" "products")");
  EXPECT_EQ(ResultEndpoints::searchQuery("*** ---"), "");
}

TEST(Utf8, ReplacesInvalidSequencesOnly) {
  EXPECT_EQ(validUtf8("caf\xC3\xA9"), "caf\xC3\xA9");
  EXPECT_EQ(validUtf8("a\xFF"
                      "b"),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(validUtf8("\xC0\xAF"), "\xEF\xBF\xBD\xEF\xBF\xBD");                  // overlong "/"
  EXPECT_EQ(validUtf8("\xED\xA0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");  // surrogate
}

TEST(FaultRules, ReadsTargetsModesAndRatesAndRefusesNonsense) {
  FaultInjector f;
  f.configure("results=empty; /product=delay:2@1, *=http500@0", 7);
  EXPECT_EQ(f.pick("results")->mode, FaultMode::Empty);
  EXPECT_EQ(f.pick("/product")->seconds, 2);
  EXPECT_FALSE(f.pick("signin"));  // rate 0 never fires
  FaultInjector bad;
  EXPECT_THROW(bad.configure("results", 1), std::invalid_argument);
  EXPECT_THROW(bad.configure("results=explode", 1), std::invalid_argument);
  EXPECT_THROW(bad.configure("results=empty@2", 1), std::invalid_argument);
}

TEST(GeneratedFiles, PdfHasAValidCrossReferenceAndPngItsSignature) {
  const std::string pdf = pdfDocument("Pass (East)", {"10% off"});
  ASSERT_EQ(pdf.rfind("%PDF-1.4", 0), 0u);
  const auto startxref = pdf.find("startxref\n");
  const long long xref = std::stoll(pdf.substr(startxref + 10));
  EXPECT_EQ(pdf.compare(static_cast<std::size_t>(xref), 4, "xref"), 0);
  EXPECT_NE(pdf.find("(Pass \\(East\\))"), std::string::npos);
  // Every object offset in the table points at "N 0 obj".
  for (int n = 1; n <= 5; ++n) {
    const auto line = pdf.substr(static_cast<std::size_t>(xref) + 5 + 4 + 20 * n, 10);
    EXPECT_EQ(pdf.compare(std::stoul(line), 7, std::to_string(n) + " 0 obj"), 0) << n;
  }
  PngImage image(20, 10, colourNamed("navy"));
  image.text(1, 1, "Hi!", 1, {255, 255, 255});
  EXPECT_EQ(image.encode().substr(0, 8), "\x89PNG\r\n\x1a\n");
}

}  // namespace
}  // namespace kelda::server
