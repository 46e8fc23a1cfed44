// The XML document wrapper over libxml2 and the geocoder's reading of its KML answers.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "stores/AddressGeocoder.hpp"
#include "support/CXMLDocument.hpp"
#include "support/CXMLElement.hpp"
#include "support/FakeMiddleware.hpp"
#include "support/TempDirectory.hpp"

namespace kelda::support {
namespace {

using stores::AddressGeocoder;

const CXMLNamespaceMappings kKml{{"kml", AddressGeocoder::kKmlNamespace}};

std::string kml(const std::string& code, const std::string& coordinates) {
  return R"(<?xml version="1.0" encoding="UTF-8" ?>
<kml xmlns="http://earth.google.com/kml/2.0"><Response><name>q</name><Status><code>)" +
         code + "</code></Status><Placemark><Point><coordinates>" + coordinates +
         "</coordinates></Point></Placemark></Response></kml>";
}

TEST(XmlDocument, XPathWithPrefixFindsNodesInDocumentOrderAsTheSameWrappers) {
  auto document = CXMLDocument::withData(
      R"(<kml xmlns="http://earth.google.com/kml/2.0"><a><code>200</code></a>)"
      R"(<code>300<![CDATA[ & more]]></code><other xmlns="urn:x"><code>9</code></other></kml>)");
  ASSERT_NE(document, nullptr);
  CXMLElement* root = document->rootElement();
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->name(), "kml");
  EXPECT_EQ(root->parent(), document.get());

  const auto codes = root->nodesForXPath("//kml:code", kKml);
  ASSERT_EQ(codes.size(), 2u);  // the one in another namespace is not a kml:code
  EXPECT_EQ(codes[0]->stringValue(), "200");
  EXPECT_EQ(codes[1]->stringValue(), "300 & more");
  EXPECT_EQ(root->nodesForXPath("//kml:code", kKml), codes);
  EXPECT_EQ(root->childAtIndex(0)->childAtIndex(0), codes[0]);

  // Without the prefix bound, or with a broken expression: nothing, and the error says so.
  CXMLError error;
  EXPECT_TRUE(root->nodesForXPath("//kml:code", &error).empty());
  EXPECT_EQ(error.domain, "CXMLErrorDomain");
  EXPECT_EQ(error.code, 1);
  EXPECT_TRUE(root->nodesForXPath("count(//*)", kKml).empty());  // not a node set
  // Namespace nodes are copies owned by the query's result: they get no wrapper.
  EXPECT_TRUE(root->nodesForXPath("//namespace::*", kKml).empty());
}

TEST(XmlDocument, InputThatIsNoDocumentGivesTheWrappersError) {
  for (const std::string& input : {std::string(), std::string("not xml at all"),
                                   std::string("{\"json\":true}"), std::string("\xff\xfe<", 3)}) {
    CXMLError error;
    EXPECT_EQ(CXMLDocument::withData(input, CXMLDocument::kDefaultOptions, &error), nullptr)
        << input;
    EXPECT_EQ(error.domain, "CXMLErrorDomain") << input;
    EXPECT_EQ(error.code, 1) << input;
  }
  // Recovery mode keeps what it can of a broken document.
  auto broken = CXMLDocument::withData("<a><b>text</a>");
  ASSERT_NE(broken, nullptr);
  EXPECT_EQ(broken->rootElement()->nodesForXPath("//b")[0]->stringValue(), "text");
}

TEST(XmlDocument, EntitiesAreNeverExpandedNorFetched) {
  test::TempDirectory directory;
  const auto secret = directory.path() / "secret.txt";
  std::ofstream(secret) << "SECRET-CONTENT";
  test::FakeMiddleware server;
  server.answer("/entity", test::FakeAnswer{"FETCHED", 200, "text/plain"});
  const std::string document =
      "<?xml version=\"1.0\"?>\n<!DOCTYPE kml SYSTEM \"" + server.url("/dtd") +
      "\" [\n"
      "<!ENTITY lol \"lol\"><!ENTITY lol2 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">\n"
      "<!ENTITY lol3 \"&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;\">\n"
      "<!ENTITY file SYSTEM \"file://" +
      secret.string() + "\">\n<!ENTITY net SYSTEM \"" + server.url("/entity") +
      "\">\n<!ENTITY % param SYSTEM \"" + server.url("/param") +
      "\"> %param;\n]>\n"
      "<kml xmlns=\"http://earth.google.com/kml/2.0\"><Response><Status><code>&lol3;</code>"
      "</Status><a>&file;</a><b>&net;</b><c x=\"&lol;\">plain &amp; &#65;</c></Response></kml>";
  auto parsed = CXMLDocument::withData(document);
  ASSERT_NE(parsed, nullptr);
  const CXMLElement& root = *parsed->rootElement();
  EXPECT_EQ(root.nodesForXPath("//kml:code", kKml)[0]->stringValue(), "&lol3;");
  EXPECT_EQ(root.nodesForXPath("//kml:a", kKml)[0]->stringValue(), "&file;");
  EXPECT_EQ(root.nodesForXPath("//kml:b", kKml)[0]->stringValue(), "&net;");
  const auto* c = static_cast<const CXMLElement*>(root.nodesForXPath("//kml:c", kKml)[0]);
  EXPECT_EQ(c->stringValue(), "plain & A");  // predefined and character references are text
  EXPECT_EQ(server.requestCount(), 0u);
  EXPECT_EQ(AddressGeocoder::coordinateOfAnswer(document), std::nullopt);
}

TEST(XmlDocument, GeocoderAnswersGiveACoordinateOnlyWhenFoundAndValid) {
  struct Case {
    std::string answer;
    std::optional<std::pair<double, double>> latitudeLongitude;
  };
  const std::vector<Case> cases{
      {kml("200", "-73.996700,40.750600,0"), std::pair{40.7506, -73.9967}},
      {kml("200", " -122.4,37.8 "), std::pair{37.8, -122.4}},
      {kml("602", "-73.996700,40.750600,0"), std::nullopt},
      {kml("200", "east,north,0"), std::nullopt},
      {kml("200", "-73.9,95.0,0"), std::nullopt},
      {kml("200", "200.0,40.0,0"), std::nullopt},
      {kml("200", "-73.9"), std::nullopt},
      {kml("200", ""), std::nullopt},
      {"<kml><Response><Status><code>200</code></Status><coordinates>1,2</coordinates>"
       "</Response></kml>",
       std::nullopt},  // KML without its namespace
      {"<html>Service unavailable</html>", std::nullopt},
  };
  for (const Case& c : cases) {
    const auto found = AddressGeocoder::coordinateOfAnswer(c.answer);
    ASSERT_EQ(found.has_value(), c.latitudeLongitude.has_value()) << c.answer;
    if (!found) continue;
    EXPECT_DOUBLE_EQ(found->latitude, c.latitudeLongitude->first) << c.answer;
    EXPECT_DOUBLE_EQ(found->longitude, c.latitudeLongitude->second) << c.answer;
  }
}

TEST(XmlDocument, ContentsOfAnAddressAreReadUpToTheLimit) {
  test::FakeMiddleware server;
  server.answer("/ok", test::FakeAnswer{kml("200", "1,2,0"), 200, "application/xml"});
  server.answer("/missing", test::FakeAnswer{kml("200", "1,2,0"), 404, "application/xml"});
  server.answer("/huge",
                test::FakeAnswer{"<a>" + std::string(CXMLDocument::kMaxDownloadBytes, 'x') + "</a>",
                                 200, "application/xml"});
  EXPECT_NE(CXMLDocument::withContentsOfURL(server.url("/ok")), nullptr);
  for (const char* path : {"/missing", "/huge"}) {
    CXMLError error;
    EXPECT_EQ(
        CXMLDocument::withContentsOfURL(server.url(path), CXMLDocument::kDefaultOptions, &error),
        nullptr)
        << path;
    EXPECT_EQ(error.code, 1) << path;
  }
}

}  // namespace
}  // namespace kelda::support
