// The window's reading of the screen tree: JSON nodes to what each QML component draws, a
// screen's elements to one flat list, the list model's changes from frame to frame, the
// picture shelf, web pages as styled text, and screenshot names.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QSignalSpy>
#include <cstdlib>

#include "DesktopAddresses.hpp"
#include "ImageShelf.hpp"
#include "ItemListModel.hpp"
#include "ScreenshotRun.hpp"
#include "TreeMapping.hpp"
#include "WebPages.hpp"
#include "json/SBJson.hpp"

namespace kelda::qt {
namespace {

json::Value parse(const std::string& text) {
  json::Value value = json::JSONValue(text);
  EXPECT_FALSE(value.isAbsent()) << text;
  return value;
}

std::vector<std::string> kindsAndTexts(const std::vector<json::Value>& items) {
  std::vector<std::string> out;
  for (const json::Value& item : items) {
    std::string label = item["kind"].str();
    for (const char* key : {"id", "text"}) {
      if (!item[key].str().empty()) label += " " + item[key].str();
    }
    out.push_back(label);
  }
  return out;
}

TEST(TreeMapping, TablesGroupsAndOverlaysFlattenIntoOneList) {
  json::Value children = parse(R"([
    {"kind":"label","text":"Sign in"},
    {"kind":"overlay","busy":true},
    {"kind":"group","children":[{"kind":"button","id":"button.0","title":"Go"}]},
    {"kind":"table","editing":false,
     "header":[{"kind":"label","text":"Top"}],
     "sections":[
       {"index":0,"title":"Account","header":[],"rows":[{"kind":"row","id":"row.0.0","text":"Stores"}],
        "footerTitle":"","footer":[{"kind":"button","id":"footer.0.button.0","title":"Log out"}]},
       {"index":1,"title":"","header":[{"kind":"label","text":"Bag"}],
        "rows":[{"kind":"row","id":"row.1.0"},{"kind":"row","id":"row.1.1"}],
        "footerTitle":"2 items","footer":[]}],
     "footer":[{"kind":"button","id":"table.footer.button.0","title":"load 20 More"}]}])");
  EXPECT_EQ(kindsAndTexts(flattenElements(children)),
            (std::vector<std::string>{
                "label Sign in", "button button.0", "label Top", "sectionTitle Account",
                "row row.0.0 Stores", "button footer.0.button.0", "label Bag", "row row.1.0",
                "row row.1.1", "sectionFooter 2 items", "button table.footer.button.0"}));
}

TEST(TreeMapping, EachKindGetsWhatItsComponentDraws) {
  MappingContext context;
  context.images = {"image://kelda/data/7"};
  context.page = [](const std::string& url) -> std::optional<std::string> {
    if (url == "http://web/page") return "Shipping<br><a href=\"http://web/x\">x</a>";
    return std::nullopt;
  };
  struct Case {
    const char* node;
    const char* key;
    QVariant expected;
  };
  const Case cases[] = {
      {R"({"kind":"image","image":"","bytes":12,"data":0})", "source", "image://kelda/data/7"},
      {R"({"kind":"image","image":"home.png","bytes":0})", "source", "image://kelda/res/home.png"},
      {R"({"kind":"image","image":"../secret.png","bytes":0})", "source", ""},
      {R"({"kind":"image","image":"","bytes":3,"data":4})", "source", ""},
      {R"({"kind":"button","id":"button.0","title":"","image":"redbg.png"})", "source",
       "image://kelda/res/redbg.png"},
      {R"({"kind":"row","id":"row.0.0","image":"","imageData":0})", "imageSource",
       "image://kelda/data/7"},
      {R"({"kind":"row","id":"row.0.0","image":"more_btn.png"})", "imageSource",
       "image://kelda/res/more_btn.png"},
      {R"({"kind":"label","text":"Sale","style":"bold","color":"#ff0000"})", "color", "#ff0000"},
      {R"({"kind":"field","id":"field.password","text":"•••","secure":true})", "text", "•••"},
      {R"({"kind":"rating","rating":3.5,"maximum":5})", "rating", 3.5},
      {R"({"kind":"switch","id":"switch.0","on":true})", "on", true},
      {R"({"kind":"web","url":"http://web/page","loading":false})", "page",
       "Shipping<br><a href=\"http://web/x\">x</a>"},
      {R"({"kind":"web","url":"http://web/page","loading":true})", "page", ""},
      {R"({"kind":"web","url":"http://web/other","loading":false})", "page", ""},
      {R"({"kind":"datePicker","id":"date.0","date":"2012-02-29"})", "mode", "date"},
      {R"({"kind":"datePicker","id":"date.0","date":"2012-02-29"})", "day", 29},
      {R"({"kind":"datePicker","id":"date.0","date":"2012-02-29"})", "minimumYear", 1912},
      {R"({"kind":"datePicker","id":"date.0","date":"2012-02-29","minimum":"2010-01-01",
           "maximum":"2030-12-31"})",
       "maximumYear", 2030},
      {R"({"kind":"datePicker","id":"date.0","date":"2012-02-29 17:45"})", "minute", 45},
      {R"({"kind":"datePicker","id":"date.0","date":"09:05"})", "mode", "time"},
      {R"({"kind":"datePicker","id":"date.0","date":"09:05"})", "hour", 9},
  };
  for (const Case& c : cases) {
    QVariantMap mapped = mapNode(parse(c.node), context);
    EXPECT_EQ(mapped.value(c.key), c.expected) << c.node << " " << c.key;
  }
}

TEST(TreeMapping, ChildrenPickersAndPinsAreMappedForTheirComponents) {
  MappingContext context;
  context.images = {"image://kelda/data/1"};
  QVariantMap row = mapNode(parse(R"({"kind":"row","id":"row.0.3","children":[
      {"kind":"image","image":"","bytes":9,"data":0},{"kind":"label","text":"Dress"}]})"),
                            context);
  const QVariantList children = row["children"].toList();
  ASSERT_EQ(children.size(), 2);
  EXPECT_EQ(children[0].toMap()["source"], "image://kelda/data/1");
  EXPECT_EQ(children[1].toMap()["text"], "Dress");

  QVariantMap picker = mapNode(parse(R"({"kind":"picker","id":"picker.0","components":[
      {"rows":["Dresses","Tops"],"selected":1}]})"),
                               context);
  const QVariantMap wheel = picker["components"].toList().value(0).toMap();
  EXPECT_EQ(wheel["rows"].toStringList(), (QStringList{"Dresses", "Tops"}));
  EXPECT_EQ(wheel["selected"], 1);

  // The map spans its deltas around the centre: east is right, north is up.
  QVariantMap map = mapNode(parse(R"({"kind":"map","latitude":40,"longitude":-74,
      "latitudeDelta":0.2,"longitudeDelta":0.4,"pins":[
      {"id":"pin.0","title":"Centre","latitude":40,"longitude":-74},
      {"id":"pin.1","title":"North east","latitude":40.05,"longitude":-73.9},
      {"id":"pin.2","title":"Far","latitude":41,"longitude":-74}]})"),
                            context);
  const QVariantList pins = map["pins"].toList();
  ASSERT_EQ(pins.size(), 3);
  EXPECT_DOUBLE_EQ(pins[0].toMap()["x"].toDouble(), 0.5);
  EXPECT_DOUBLE_EQ(pins[0].toMap()["y"].toDouble(), 0.5);
  EXPECT_NEAR(pins[1].toMap()["x"].toDouble(), 0.75, 1e-9);
  EXPECT_NEAR(pins[1].toMap()["y"].toDouble(), 0.25, 1e-9);
  EXPECT_TRUE(pins[1].toMap()["inside"].toBool());
  EXPECT_FALSE(pins[2].toMap()["inside"].toBool());
  // A region without a span still places its pins.
  QVariantMap flat = mapNode(parse(R"({"kind":"map","latitude":1,"longitude":2,
      "latitudeDelta":0,"longitudeDelta":0,"pins":[{"id":"pin.0","latitude":1,"longitude":2}]})"),
                             context);
  EXPECT_TRUE(flat["pins"].toList()[0].toMap()["inside"].toBool());

  QVariantList tabs = mapTabs(parse(R"([{"id":"tab.2","title":"my bag","image":"mybag_icon.png",
      "badge":"3","selected":false}])"));
  EXPECT_EQ(tabs[0].toMap()["source"], "image://kelda/res/mybag_icon.png");
  EXPECT_EQ(tabs[0].toMap()["badge"], "3");
  QVariantMap bar = mapNavigationBar(parse(R"({"title":"Offers","tint":"#ad0000",
      "back":{"id":"nav.back","title":"Back"},"right":{"id":"nav.right","title":"","image":"Search.png","enabled":true}})"));
  EXPECT_EQ(bar["tint"], "#ad0000");
  EXPECT_EQ(bar["back"].toMap()["title"], "Back");
  EXPECT_EQ(bar["right"].toMap()["source"], "image://kelda/res/Search.png");
  EXPECT_TRUE(mapNavigationBar(json::Value()).isEmpty());
}

// A model with `rows` rows "row.0.N" titled by `title(N)`.
std::vector<json::Value> rows(int count, const std::function<std::string(int)>& title) {
  std::vector<json::Value> out;
  for (int n = 0; n < count; ++n) {
    out.push_back(json::Value::object(
        {{"kind", "row"}, {"id", "row.0." + std::to_string(n)}, {"text", title(n)}}));
  }
  return out;
}

struct ModelSignals {
  explicit ModelSignals(ItemListModel& model)
      : inserted(&model, &QAbstractItemModel::rowsInserted),
        removed(&model, &QAbstractItemModel::rowsRemoved),
        changed(&model, &QAbstractItemModel::dataChanged),
        reset(&model, &QAbstractItemModel::modelReset) {}
  QSignalSpy inserted, removed, changed, reset;
};

TEST(ItemListModel, AFrameChangesOnlyWhatChanged) {
  ItemListModel model;
  MappingContext context;
  auto plain = [](int n) { return "Dress " + std::to_string(n); };
  model.show(rows(20, plain), context, true);
  ASSERT_EQ(model.rowCount(), 20);
  EXPECT_EQ(model.nodeAt(3)["text"], "Dress 3");
  EXPECT_EQ(model.indexOf("row.0.19"), 19);

  {  // A load-more: the last row becomes a product, twenty more follow.
    ModelSignals seen(model);
    model.show(rows(40, plain), context, false);
    EXPECT_EQ(seen.reset.count(), 0);
    ASSERT_EQ(seen.inserted.count(), 1);
    EXPECT_EQ(seen.inserted[0][1].toInt(), 20);
    EXPECT_EQ(seen.inserted[0][2].toInt(), 39);
    EXPECT_EQ(seen.changed.count(), 0);
    EXPECT_EQ(model.rowCount(), 40);
  }
  {  // One picture arrives in row 7: that row alone changes.
    ModelSignals seen(model);
    model.show(rows(40, [&](int n) { return n == 7 ? "Dress 7 (picture)" : plain(n); }), context,
               false);
    ASSERT_EQ(seen.changed.count(), 1);
    EXPECT_EQ(seen.changed[0][0].value<QModelIndex>().row(), 7);
    EXPECT_EQ(seen.inserted.count() + seen.removed.count(), 0);
    EXPECT_EQ(model.nodeAt(7)["text"], "Dress 7 (picture)");
  }
  {  // Rows 10 to 14 go away.
    ModelSignals seen(model);
    auto kept = rows(40, plain);
    kept.erase(kept.begin() + 10, kept.begin() + 15);
    model.show(kept, context, false);
    ASSERT_EQ(seen.removed.count(), 1);
    EXPECT_EQ(seen.removed[0][1].toInt(), 10);
    EXPECT_EQ(seen.removed[0][2].toInt(), 14);
    EXPECT_EQ(model.rowCount(), 35);
    EXPECT_EQ(model.nodeAt(10)["text"], "Dress 15");
  }
  {  // Another screen starts the list over.
    ModelSignals seen(model);
    model.show(rows(3, plain), context, true);
    EXPECT_EQ(seen.reset.count(), 1);
    EXPECT_EQ(model.rowCount(), 3);
  }
  {  // The same bytes' new address (another picture of equal size) redraws the row.
    std::vector<json::Value> withPicture{
        json::Value::object({{"kind", "image"}, {"image", ""}, {"bytes", 5}, {"data", 0}})};
    MappingContext first{{"image://kelda/data/1"}, {}};
    MappingContext second{{"image://kelda/data/2"}, {}};
    model.show(withPicture, first, true);
    ModelSignals seen(model);
    model.show(withPicture, first, false);
    EXPECT_EQ(seen.changed.count(), 0);
    model.show(withPicture, second, false);
    EXPECT_EQ(seen.changed.count(), 1);
    EXPECT_EQ(model.nodeAt(0)["source"], "image://kelda/data/2");
  }
}

QByteArray pngOf(const QSize& size, QColor color) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(color);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

TEST(ImageShelf, PicturesKeepTheirAddressWhileShownAndDecodeToTheAskedSize) {
  auto bytes = [](const QByteArray& data) {
    return std::make_shared<const std::string>(data.toStdString());
  };
  ImageShelf shelf(std::getenv("KELDA_RESOURCES") ? std::getenv("KELDA_RESOURCES") : "");
  auto red = bytes(pngOf({400, 200}, Qt::red));
  auto blue = bytes(pngOf({10, 10}, Qt::blue));
  std::vector<QString> first = shelf.adopt({red, blue});
  ASSERT_EQ(first.size(), 2u);
  EXPECT_NE(first[0], first[1]);
  EXPECT_EQ(shelf.adopt({blue, red}), (std::vector<QString>{first[1], first[0]}));
  // Bytes no longer shown are let go: equal bytes shown later get a new address.
  shelf.adopt({blue});
  auto redAgain = bytes(pngOf({400, 200}, Qt::red));
  const QString later = shelf.adopt({blue, redAgain})[1];
  EXPECT_NE(later, first[0]);
  EXPECT_TRUE(shelf.picture(first[0].mid(14), {}).isNull());

  QImage scaled = shelf.picture(later.mid(14), QSize(120, 120));
  EXPECT_EQ(scaled.size(), QSize(120, 60));
  EXPECT_EQ(scaled.pixelColor(60, 30), QColor(Qt::red));
  EXPECT_EQ(shelf.picture(later.mid(14), {}).size(), QSize(400, 200));

  EXPECT_FALSE(shelf.picture("res/home.png", {}).isNull());
  EXPECT_TRUE(shelf.picture("res/../CMakeLists.txt", {}).isNull());
  EXPECT_TRUE(shelf.picture("res/missing.png", {}).isNull());
  EXPECT_EQ(ImageShelf::resourceAddress(".."), "");
  EXPECT_EQ(ImageShelf::resourceAddress("a/b.png"), "");
}

TEST(WebPages, PagesBecomeTheirTextAndLinksAndNothingElse) {
  struct Case {
    const char* html;
    const char* styled;
  };
  const Case cases[] = {
      {"<html><head><title>T</title><style>p{}</style></head><body><h1>Shipping</h1>"
       "<p>Orders over   $50\nship free.</p><script>alert(1)</script></body></html>",
       "<b>Shipping</b><br>Orders over $50 ship free."},
      {"<p>See <a href=\"/service/returns/index.jsp\">returns</a> or "
       "<a href=\"tel:18005550100\">call</a>.</p>",
       "See <a href=\"http://web.test/service/returns/index.jsp\">returns</a> or "
       "<a href=\"tel:18005550100\">call</a>."},
      {"<p><a href=\"javascript:alert(1)\">x</a> <a>no address</a></p>", "x no address"},
      {"<p>1 &lt; 2 &amp; \"quoted\" <b>bold</b></p>a<br>b",
       "1 &lt; 2 &amp; &quot;quoted&quot; bold<br>a<br>b"},
      {"<p><img src=\"http://elsewhere/track.gif\">Text</p><iframe src=\"x\">f</iframe>", "Text"},
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(pageToStyledText(c.html, "http://web.test/service/start/index.jsp"), c.styled)
        << c.html;
  }
  WebPages pages;
  EXPECT_FALSE(pages.styledText("http://web.test/a").has_value());
  pages.keep("http://web.test/a", "<p>Hello</p>");
  EXPECT_EQ(pages.styledText("http://web.test/a"), "Hello");
}

TEST(ScreenshotRun, PicturesAreNamedByNumberAndCommand) {
  EXPECT_EQ(screenshotName(0, "launch"), "00-launch.png");
  EXPECT_EQ(screenshotName(7, "tap row.0.3"), "07-tap-row-0-3.png");
  EXPECT_EQ(screenshotName(12, "type field.email \"ann@example.com\""),
            "12-type-field-email-ann-example-com.png");
  EXPECT_EQ(screenshotName(3, "search ##"), "03-search.png");
  EXPECT_EQ(screenshotName(4, "search " + std::string(80, 'x')).size(), 3u + 40u + 4u);
}

TEST(DesktopAddresses, OnlyWebPagesCallsAndMailReachTheDesktop) {
  for (const char* url :
       {"http://maps.google.com/maps?saddr=40.7,-73.9&daddr=1+Main+St", "https://kelda.test/a",
        "tel://1-800-555-0199", "TEL:2125550117", "mailto:help@kelda.test"}) {
    EXPECT_TRUE(desktopMayOpen(url)) << url;
  }
  for (const char* url : {"file:///etc/passwd", "javascript:alert(1)", "ssh://host", "http:///x",
                          "/tmp/page.html", "", "kelda:open"}) {
    EXPECT_FALSE(desktopMayOpen(url)) << url;
  }
}

}  // namespace
}  // namespace kelda::qt
