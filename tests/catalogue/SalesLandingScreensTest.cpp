// The sale department, the offers tab and the top-rated landing pages: the requests behind each
// tap, the lists' own paging and product context, and what stays when no answer comes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "catalogue/BodyRoutedServer.hpp"
#include "catalogue/CatalogueScreenFixture.hpp"
#include "catalogue/CtrDetailViewController.hpp"
#include "catalogue/CtrResultsViewController.hpp"
#include "catalogue/CtrViewController.hpp"
#include "catalogue/OffersViewController.hpp"
#include "catalogue/SalesDetailViewController.hpp"
#include "catalogue/SalesViewController.hpp"
#include "catalogue/SubCategoryResultViewController.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "json/SBJson.hpp"

namespace kelda::catalogue {
namespace {

constexpr auto npos = std::string::npos;
constexpr const char* kUnrestricted = R"(refinements={"BRAND":"","PRICE":""})";

class SalesLandingScreens : public CatalogueScreens {
 protected:
  // The page-view tag of `page` reached the analytics address (the fake) with `category`.
  bool pageViewSent(const std::string& page, const std::string& category) {
    for (const auto& request : server().requestsTo("/eluminate")) {
      if (request.query.find("pi=" + page + "&cg=" + category) != npos) return true;
    }
    return false;
  }
  void recordPageViews() {
    server().answer("/coremetrics_url", R"({"data":")" + server().url("/eluminate?ci=9") + R"("})");
    gateway::TarnServerAPIs::sharedInstance().coremetricsURL();
  }
  bool shows(const std::string& line) { return screen().find("\n  " + line + "\n") != npos; }
  void expectApology() {
    ASSERT_NE(alert(), nullptr);
    EXPECT_EQ(alert()->title, "Sorry !");
    EXPECT_EQ(alert()->message,
              "We're sorry, we couldn't find any items that matched your search term.");
    act(actor().alertButton("OK"));
  }
};

// A sales result page offering one brand.
std::string withBrand(const std::string& pageText) {
  return json::JSONRepresentation(
             json::JSONValue(pageText)
                 .with("refinementParams", json::JSONValue(R"(["Brand"])"))
                 .with("refinement", json::JSONValue(R"([{"refinementName":"BRAND",
                                                         "refinementValues":["Amara & Co"]}])")))
      .value_or("");
}

// A sale department with a category with subcategories, one without, one without products. The
// brand it offers finds nothing.
std::string saleAnswer(const std::string& path, const std::string& body) {
  if (path == "/category_sale") {
    if (body == "&categoryId=3536") {
      return R"({"category":[{"col1id":"41","col1name":"Dresses on Sale"},
          {"col1id":"42","col1name":"Shoes on Sale"},{"col1id":"43","col1name":"Hats on Sale"}]})";
    }
    return body == "categoryId=41" ? R"({"category":[{"col1id":"411","col1name":"Maxi"}]})"
                                   : R"({"category":[]})";
  }
  if (path == "/results") {
    if (body.find("categoryId=43") != npos || body.find("Amara") != npos) return kEmptyPage;
    return withBrand(body.find("pageNumber=2") != npos ? page(3, 2, 4, 3) : page(1, 2, 4, 2));
  }
  return R"({"PDPFLAG":"SIMPLE","data":[{"prodId":"1"}]})";
}

TEST_F(SalesLandingScreens, SaleDepartmentOpensSubcategoriesOrItsOwnResultList) {
  recordPageViews();
  BodyRoutedServer routed(saleAnswer);
  setMiddleware(routed.address());
  // What an earlier widened browse left behind belongs to that list only.
  state().setResultType(2);
  state().setRefinementFilterString(R"({"BRAND":"Levi's","PRICE":""})");

  tapAndWait("Sale");
  ASSERT_NE(dynamic_cast<SalesViewController*>(top()), nullptr) << screen();
  // The tapped category's subcategories are listed, without asking for its results.
  tapAndWait("Dresses on Sale");
  ASSERT_NE(dynamic_cast<SalesDetailViewController*>(top()), nullptr) << screen();
  EXPECT_TRUE(shows("row.0.0 Maxi >")) << screen();
  EXPECT_EQ(routed.bodies(), (std::vector<std::string>{"&categoryId=3536", "categoryId=41"}));

  tapAndWait("Maxi");
  ASSERT_NE(dynamic_cast<SubCategoryResultViewController*>(top()), nullptr) << screen();
  EXPECT_EQ(resultList()->navigationItem().title, "Maxi");
  EXPECT_EQ(routed.bodies().back(), std::string("categoryId=411&") + kUnrestricted);
  EXPECT_EQ(resultList()->tableView().tableHeaderView, nullptr);
  EXPECT_TRUE(pageViewSent("mobile.sales.results.search", "MOBILE_SALES"));
  tapAndWait("load 2 More");
  EXPECT_EQ(routed.bodies().back(), std::string("categoryId=411&pageNumber=2&") + kUnrestricted);
  resultList()->tableView().tapRowAtIndexPath({0, 0});
  runUntilIdle();
  EXPECT_EQ(routed.bodies().back(), "productId=1&categoryId=41&categoryFlag=SALE");

  // Narrowed by a brand it has no product of: widened, explained, and paged widened.
  tapAndWait("Refine");
  tapAndWait("Brand");
  tapAndWait("Amara & Co");
  tapAndWait("Filter");
  const std::vector<std::string> narrowed = routed.bodies();
  EXPECT_EQ(std::vector<std::string>(narrowed.end() - 2, narrowed.end()),
            (std::vector<std::string>{R"(categoryId=411&refinements={"BRAND":"Amara %26 Co"})",
                                      R"(categoryId=411&refinements={"BRAND":""})"}));
  auto header = std::dynamic_pointer_cast<ui::Label>(resultList()->tableView().tableHeaderView);
  ASSERT_NE(header, nullptr) << screen();
  EXPECT_EQ(header->text,
            "Sorry, Amara & Co Maxi are not available in your price range. Here are the "
            "available options");
  EXPECT_EQ(resultList()->tableView().numberOfSections(), 2);
  tapAndWait("load 2 More");
  EXPECT_EQ(routed.bodies().back(), R"(pageNumber=2&categoryId=411&refinements={"BRAND":""})");
  EXPECT_EQ(resultList()->tableView().numberOfSections(), 4);

  // Without subcategories the results open at once; without products the screen apologises.
  act(actor().back());
  act(actor().back());
  tapAndWait("Shoes on Sale");
  EXPECT_EQ(resultList()->navigationItem().title, "Shoes on Sale");
  act(actor().back());
  tapAndWait("Hats on Sale");
  expectApology();
  EXPECT_NE(dynamic_cast<SalesViewController*>(top()), nullptr);
  act(actor().back());
  tapAndWait("Sale");  // the sale categories are held
  const std::vector<std::string> bodies = routed.bodies();
  EXPECT_EQ(std::count(bodies.begin(), bodies.end(), "&categoryId=3536"), 1);
}

TEST_F(SalesLandingScreens, SaleStepsWithoutAnAnswerStayWhereTheyWere) {
  server().answer("/category_sale", test::FakeAnswer{"", 500});
  tapAndWait("Sale");
  EXPECT_EQ(top(), home_.get());
  EXPECT_EQ(alert(), nullptr);  // as a department without an answer

  server().answer("/category_sale", R"({"category":[{"col1id":"42","col1name":"Shoes on Sale"}]})");
  tapAndWait("Sale");
  ASSERT_NE(dynamic_cast<SalesViewController*>(top()), nullptr) << screen();
  server().answer("/category_sale", test::FakeAnswer{"", 500});
  tapAndWait("Shoes on Sale");
  expectApology();
  forceReachability(platform::ForcedReachability::None);
  tapAndWait("Shoes on Sale");
  ASSERT_NE(alert(), nullptr);
  EXPECT_EQ(alert()->title, "Network Error");
  act(actor().alertButton("OK"));
  EXPECT_EQ(alert(), nullptr);  // the connectivity alert only
  EXPECT_NE(dynamic_cast<SalesViewController*>(top()), nullptr);
  EXPECT_EQ(server().requestsTo("/results").size(), 0u);
}

TEST_F(SalesLandingScreens, OffersKeepTheirListWithoutAnAnswer) {
  auto offers = std::make_shared<OffersViewController>();
  tabs_->setViewControllers({tabs_->viewControllers()[0], tabs_->viewControllers()[1],
                             std::make_shared<ui::ViewController>(),
                             std::make_shared<ui::NavigationController>(offers),
                             std::make_shared<ui::ViewController>()});
  auto reopen = [&] {
    act(actor().tab("0"));
    act(actor().tab("3"));
    runUntilIdle();
    return offers->tableView().numberOfRowsInSection(0);
  };
  server().answer("/get_promo", R"({"data":[{"promotionName":"A","promoCode":"SAVE10"},
      {"promotionName":"B","promoCode":"SHOES15"},{"promotionName":"C","promoCode":"HOME20"}]})");
  EXPECT_EQ(reopen(), 4);
  EXPECT_EQ(server().lastRequest("/get_promo")->method, "GET");
  EXPECT_EQ(alert(), nullptr);
  // Failed: the list stays and the shopper is told; no connection: the connectivity alert only.
  server().answer("/get_promo", test::FakeAnswer{"", 500});
  EXPECT_EQ(reopen(), 4);
  ASSERT_NE(alert(), nullptr);
  EXPECT_EQ(alert()->title, "Sorry !");
  EXPECT_EQ(alert()->message,
            "We're sorry, the current offers could not be loaded. Please try again later.");
  EXPECT_EQ(alert()->buttons, std::vector<std::string>{"OK"});
  act(actor().alertButton("OK"));
  forceReachability(platform::ForcedReachability::None);
  EXPECT_EQ(reopen(), 4);
  ASSERT_NE(alert(), nullptr);
  EXPECT_EQ(alert()->title, "Network Error");
  act(actor().alertButton("OK"));
  EXPECT_EQ(alert(), nullptr);
  forceReachability(std::nullopt);
  server().answer("/get_promo", R"({"data":[]})");
  EXPECT_EQ(reopen(), 1);
}

class LandingPages : public SalesLandingScreens {
 protected:
  LandingPages() {
    landing_.answer("/category_ctr", R"({"data":[{"categoryName":"Women","categoryId":118},
                                                {"categoryName":"Men","categoryId":"1"}]})");
    updateOptions([&](platform::Options& options) { options.ctrAddress = landing_.address(); });
    server().answer("/category_ctr", R"({"data":[{"categoryName":"Dresses","categoryId":60001}]})");
  }
  test::FakeMiddleware landing_;
};

TEST_F(LandingPages, TopRatedListsPageAndNarrowThemselves) {
  tapAndWait("Top Rated");
  ASSERT_NE(dynamic_cast<CtrViewController*>(top()), nullptr) << screen();
  EXPECT_EQ(landing_.lastRequest("/category_ctr")->method, "GET");
  EXPECT_EQ(server().requestsTo("/category_ctr").size(), 0u);
  tapAndWait("Women");
  EXPECT_EQ(server().lastRequest("/category_ctr")->body, "parentCategoryId=118");
  server().answer("/results", R"({"data":[{"prodId":"1","available":1}],
      "extra":[{"totalCount":"3","pageLimit":"1","pageNumber":"2"}],
      "refinementParams":["Brand"],"refinement":[{"refinementName":"BRAND","refinementValues":["Amara"]}]})");
  tapAndWait("Dresses");
  ASSERT_NE(dynamic_cast<CtrResultsViewController*>(top()), nullptr) << screen();
  EXPECT_EQ(server().lastRequest("/results")->body, "categoryId=60001");
  EXPECT_EQ(screen().find("thumb"), npos);  // pictures do not open products here

  server().answer("/product", R"({"PDPFLAG":"ITEM","data":[{"prodId":"1"}]})");
  resultList()->tableView().tapRowAtIndexPath({0, 0});
  runUntilIdle();
  EXPECT_EQ(server().lastRequest("/product")->body,
            "productId=1&categoryId=&categoryFlag=TOPRATED");
  EXPECT_EQ(resultList()->lastProductPage, (ProductPageRequest{"ITEM", 0, false}));

  state().setRefinementFilterString(R"({"BRAND":"Levi's","PRICE":""})");
  tapAndWait("load 1 More");
  EXPECT_EQ(server().lastRequest("/results")->body,
            std::string("categoryId=60001&pageNumber=2&") + kUnrestricted);

  // The filter narrows this list, by its category id, and nothing else.
  const json::Value browsed = json::JSONValue(R"({"data":[{"prodId":"77"}]})");
  state().setCategorySearchList(browsed);
  tapAndWait("filter");
  tapAndWait("Brand");
  tapAndWait("Amara");
  server().answer("/results", page(5, 1, 2, 2));
  tapAndWait("Filter");
  EXPECT_EQ(server().lastRequest("/results")->body,
            R"(categoryId=60001&refinements={"BRAND":"Amara"})");
  ASSERT_NE(dynamic_cast<CtrResultsViewController*>(top()), nullptr) << screen();
  EXPECT_EQ(cell(0)->row().description, "Product 5");
  EXPECT_EQ(state().categorySearchList(), browsed);
  // Its next page is narrowed the same way and appended.
  server().answer("/results", page(6, 1, 2, 3));
  state().setRefineSearchFlagWithPageNumber("0");  // another list's flag: not this one's
  tapAndWait("load 2 More");
  EXPECT_EQ(server().lastRequest("/results")->body,
            R"(pageNumber=2&categoryId=60001&refinements={"BRAND":"Amara"})");
  EXPECT_EQ(cell(1)->row().description, "Product 6");
}

TEST_F(LandingPages, EachStepWithoutAnAnswerStaysWhereItWas) {
  // Without a connection each step shows the connectivity alert only and stays.
  auto expectNetworkError = [&] {
    ASSERT_NE(alert(), nullptr);
    EXPECT_EQ(alert()->title, "Network Error");
    act(actor().alertButton("OK"));
    EXPECT_EQ(alert(), nullptr);
  };
  forceReachability(platform::ForcedReachability::None);
  tapAndWait("Top Rated");
  expectNetworkError();
  EXPECT_EQ(top(), home_.get());
  forceReachability(std::nullopt);
  tapAndWait("Top Rated");
  forceReachability(platform::ForcedReachability::None);
  tapAndWait("Women");
  expectNetworkError();
  EXPECT_NE(dynamic_cast<CtrViewController*>(top()), nullptr);
  forceReachability(std::nullopt);
  tapAndWait("Women");
  forceReachability(platform::ForcedReachability::None);
  tapAndWait("Dresses");
  expectNetworkError();
  EXPECT_NE(dynamic_cast<CtrDetailViewController*>(top()), nullptr);
  forceReachability(std::nullopt);
  act(actor().back());
  act(actor().back());
  EXPECT_EQ(landing_.requestsTo("/category_ctr").size(), 1u);
  EXPECT_EQ(server().requestsTo("/results").size(), 0u);

  // The landing server is down while the middleware is up.
  updateOptions([&](platform::Options& options) { options.ctrAddress = "127.0.0.1:1"; });
  tapAndWait("Top Rated");
  expectApology();
  EXPECT_EQ(top(), home_.get());

  updateOptions([&](platform::Options& options) { options.ctrAddress = landing_.address(); });
  tapAndWait("Top Rated");
  server().answer("/category_ctr", test::FakeAnswer{"", 500});
  tapAndWait("Men");
  expectApology();
  EXPECT_NE(dynamic_cast<CtrViewController*>(top()), nullptr);

  server().answer("/category_ctr", R"({"data":[{"categoryName":"Shirts","categoryId":60100}]})");
  tapAndWait("Men");
  EXPECT_TRUE(shows("row.0.0 Shirts >")) << screen();
  server().answer("/results", kEmptyPage);
  tapAndWait("Shirts");
  expectApology();
  EXPECT_NE(dynamic_cast<CtrDetailViewController*>(top()), nullptr);
}

}  // namespace
}  // namespace kelda::catalogue
