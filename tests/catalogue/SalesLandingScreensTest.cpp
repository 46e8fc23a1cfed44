// The sale department, the offers tab and the top-rated landing pages: what each screen lists,
// the requests behind each tap, and the result lists' own paging and product context.
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
#include "catalogue/RefineSearchViewController.hpp"
#include "catalogue/SalesDetailViewController.hpp"
#include "catalogue/SalesViewController.hpp"
#include "catalogue/SubCategoryResultViewController.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "json/SBJson.hpp"

namespace kelda::catalogue {
namespace {

constexpr auto npos = std::string::npos;

class SalesLandingScreens : public CatalogueScreens {
 protected:
  // Page-view tags reach the fake middleware.
  void recordPageViews() {
    server().answer("/coremetrics_url", R"({"data":")" + server().url("/eluminate?ci=9") + R"("})");
    server().answer("/eluminate", "{}");
    gateway::TarnServerAPIs::sharedInstance().coremetricsURL();
  }
  bool pageViewSent(const std::string& pageAndCategory) {
    for (const auto& request : server().requestsTo("/eluminate")) {
      if (request.query.find(pageAndCategory) != npos) return true;
    }
    return false;
  }
  bool shows(const std::string& line) { return screen().find("\n  " + line + "\n") != npos; }
};

// The demo sale department: a category with subcategories, one without, one without products.
std::string saleAnswer(const std::string& path, const std::string& body) {
  if (path == "/category_sale") {
    if (body == "&categoryId=3536") {
      return R"({"category":[{"col1id":"41","col1name":"Dresses on Sale"},
                             {"col1id":"42","col1name":"Shoes on Sale"},
                             {"col1id":"43","col1name":"Hats on Sale"}]})";
    }
    if (body == "categoryId=41") return R"({"category":[{"col1id":"411","col1name":"Maxi"}]})";
    return R"({"category":[]})";
  }
  if (path == "/results") {
    if (body.find("categoryId=43") != npos) return kEmptyPage;
    return body.find("pageNumber=2") != npos ? page(3, 2, 4, 3) : page(1, 2, 4, 2);
  }
  if (path == "/product") return R"({"PDPFLAG":"SIMPLE","data":[{"prodId":"1"}]})";
  return "{}";
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
  EXPECT_EQ(top()->title(), "Sale");
  EXPECT_EQ(state().fobTitle().str(), "Sale");
  EXPECT_TRUE(shows("row.0.1 Shoes on Sale >")) << screen();
  EXPECT_TRUE(pageViewSent("pi=mobile.sales.search&cg=MOBILE_SALES"));

  // A category with subcategories lists them, without asking for results.
  tapAndWait("Dresses on Sale");
  ASSERT_NE(dynamic_cast<SalesDetailViewController*>(top()), nullptr) << screen();
  EXPECT_EQ(top()->title(), "Dresses on Sale");
  EXPECT_TRUE(shows("row.0.0 Maxi >")) << screen();
  EXPECT_EQ(routed.bodies(), (std::vector<std::string>{"&categoryId=3536", "categoryId=41"}));
  EXPECT_EQ(state().salesCategoryFlag().str(), "41");

  tapAndWait("Maxi");
  ASSERT_NE(dynamic_cast<SubCategoryResultViewController*>(top()), nullptr) << screen();
  EXPECT_EQ(resultList()->navigationItem().title, "Maxi");
  EXPECT_EQ(routed.bodies().back(), R"(categoryId=411&refinements={"BRAND":"","PRICE":""})");
  EXPECT_EQ(resultList()->tableView().tableHeaderView, nullptr);
  EXPECT_EQ(footerText(0), "4 Results Found");
  EXPECT_TRUE(pageViewSent("pi=mobile.sales.results.search&cg=MOBILE_SALES"));

  tapAndWait("load 2 More");
  EXPECT_EQ(routed.bodies().back(),
            R"(categoryId=411&pageNumber=2&refinements={"BRAND":"","PRICE":""})");
  EXPECT_EQ(resultList()->tableView().numberOfSections(), 4);
  resultList()->tableView().tapRowAtIndexPath({0, 0});
  runUntilIdle();
  EXPECT_EQ(routed.bodies().back(), "productId=1&categoryId=41&categoryFlag=SALE");
  EXPECT_EQ(resultList()->lastProductPage, (ProductPageRequest{"SIMPLE", std::nullopt, false}));

  // A category without subcategories opens its results at once; one without products apologises.
  act(actor().back());
  act(actor().back());
  tapAndWait("Shoes on Sale");
  ASSERT_NE(dynamic_cast<SubCategoryResultViewController*>(top()), nullptr) << screen();
  EXPECT_EQ(resultList()->navigationItem().title, "Shoes on Sale");
  EXPECT_EQ(state().categoryID().str(), "42");
  act(actor().back());
  tapAndWait("Hats on Sale");
  ASSERT_NE(alert(), nullptr);
  EXPECT_EQ(alert()->title, "Sorry !");
  EXPECT_EQ(alert()->message,
            "We're sorry, we couldn't find any items that matched your search term.");
  act(actor().alertButton("OK"));
  EXPECT_NE(dynamic_cast<SalesViewController*>(top()), nullptr);

  // The sale categories are fetched once.
  act(actor().back());
  tapAndWait("Sale");
  const std::vector<std::string> bodies = routed.bodies();
  EXPECT_EQ(std::count(bodies.begin(), bodies.end(), "&categoryId=3536"), 1);
}

class OffersTab : public SalesLandingScreens {
 protected:
  OffersTab() {
    offers_ = std::make_shared<OffersViewController>();
    tabs_->setViewControllers({tabs_->viewControllers()[0], tabs_->viewControllers()[1],
                               std::make_shared<ui::ViewController>(),
                               std::make_shared<ui::NavigationController>(offers_),
                               std::make_shared<ui::ViewController>()});
  }
  int rows() { return offers_->tableView().numberOfRowsInSection(0); }
  void reopen() {
    act(actor().tab("0"));
    act(actor().tab("3"));
    runUntilIdle();
  }
  std::shared_ptr<OffersViewController> offers_;
};

TEST_F(OffersTab, ListsEveryPromotionUnderTheInstruction) {
  server().answer("/get_promo", R"({"data":[
      {"promotionName":"Take 10% off your entire order","promoCode":"SAVE10"},
      {"promotionName":"15% off shoes","promoCode":"SHOES15"},
      {"promotionName":"Free standard shipping","promoCode":"FREESHIP"}]})");
  act(actor().tab("3"));
  runUntilIdle();
  EXPECT_EQ(top()->title(), "Offers");
  ASSERT_EQ(rows(), 4);
  EXPECT_EQ(offers_->tableView().cellForRowAtIndexPath({0, 0})->textLabel().text,
            "Please choose an offer from the list below. Make sure you click on \"Get Promo "
            "Code\" when you are in checkout to apply this offer to your order.");
  const std::string text = screen();
  EXPECT_NE(text.find("row.0.1 Take 10% off your entire order\n    Use promo code\n    SAVE10\n"
                      "    in your shopping bag\n"),
            npos)
      << text;

  // No answer keeps the list shown; an answer without promotions leaves the instruction.
  server().answer("/get_promo", test::FakeAnswer{"", 500});
  reopen();
  EXPECT_EQ(rows(), 4);
  server().answer("/get_promo", R"({"data":[]})");
  reopen();
  EXPECT_EQ(rows(), 1);

  act(actor().tap("home"));
  EXPECT_EQ(tabs_->selectedIndex(), 0);
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

TEST_F(LandingPages, TopRatedDepartmentsLeadToAProductList) {
  recordPageViews();
  tapAndWait("Top Rated");
  ASSERT_NE(dynamic_cast<CtrViewController*>(top()), nullptr) << screen();
  ASSERT_TRUE(landing_.lastRequest("/category_ctr"));
  EXPECT_EQ(landing_.lastRequest("/category_ctr")->method, "GET");
  EXPECT_EQ(server().requestsTo("/category_ctr").size(), 0u);
  EXPECT_NE(screen().find("== Customer's Top Rated ==\nnav.left [previous]\n"), npos) << screen();
  auto department =
      dynamic_cast<CtrViewController*>(top())->tableView().cellForRowAtIndexPath({0, 1});
  EXPECT_EQ(department->reuseIdentifier, "SectionIdentity01");
  EXPECT_EQ(department->textLabel().style, ui::TextStyle::Bold);
  EXPECT_TRUE(pageViewSent("pi=mobile.toprated.search&cg=MOBILE_TOPRATED"));

  tapAndWait("Women");
  ASSERT_NE(dynamic_cast<CtrDetailViewController*>(top()), nullptr) << screen();
  EXPECT_EQ(server().lastRequest("/category_ctr")->body, "parentCategoryId=118");
  EXPECT_EQ(top()->title(), "Women");

  server().answer("/results", page(1, 2, 4, 2));
  tapAndWait("Dresses");
  ASSERT_NE(dynamic_cast<CtrResultsViewController*>(top()), nullptr) << screen();
  EXPECT_EQ(server().lastRequest("/results")->body, "categoryId=60001");
  const std::string list = screen();
  EXPECT_NE(list.find("== Dresses ==\nnav.left [Back]  nav.right [filter]\n"), npos) << list;
  EXPECT_NE(list.find("  rating 5 of 5\n  customers' top rated\n"), npos) << list;
  EXPECT_EQ(footerText(0), "4 Results Found.");
  EXPECT_EQ(list.find("thumb"), npos) << list;  // pictures do not open products here
  EXPECT_TRUE(pageViewSent("pi=mobile.toprated.results.search&cg=MOBILE_TOPRATED"));

  server().answer("/product", R"({"PDPFLAG":"ITEM","data":[{"prodId":"1"}]})");
  resultList()->tableView().tapRowAtIndexPath({0, 0});
  runUntilIdle();
  ASSERT_TRUE(server().lastRequest("/product"));
  EXPECT_EQ(server().lastRequest("/product")->body,
            "productId=1&categoryId=&categoryFlag=TOPRATED");
  EXPECT_EQ(resultList()->lastProductPage, (ProductPageRequest{"ITEM", 0, false}));

  state().setRefinementFilterString(R"({"BRAND":"Levi's","PRICE":""})");
  server().answer("/results", page(3, 1, 4, 3));
  tapAndWait("load 2 More");
  EXPECT_EQ(server().lastRequest("/results")->body,
            R"(categoryId=60001&pageNumber=2&refinements={"BRAND":"","PRICE":""})");
  EXPECT_EQ(resultList()->tableView().numberOfSections(), 3);
}

TEST_F(LandingPages, FilterNarrowsTheLandingListItself) {
  server().answer("/results",
                  R"({"data":[{"prodId":"1"}],"extra":[{"totalCount":"1"}],
                      "refinementParams":["Brand"],
                      "refinement":[{"refinementName":"BRAND","refinementValues":["Amara"]}]})");
  tapAndWait("Top Rated");
  tapAndWait("Women");
  tapAndWait("Dresses");
  const json::Value browsed = json::JSONValue(R"({"data":[{"prodId":"77"}]})");
  state().setCategorySearchList(browsed);
  tapAndWait("filter");
  ASSERT_NE(dynamic_cast<RefineSearchViewController*>(top()), nullptr) << screen();
  EXPECT_EQ(dynamic_cast<RefineSearchViewController*>(top())->tableView().numberOfRowsInSection(0),
            1);
  tapAndWait("Brand");
  tapAndWait("Amara");
  server().answer("/results", page(5, 1, 1, 2));
  tapAndWait("Filter");
  EXPECT_EQ(server().lastRequest("/results")->body,
            R"(categoryId=60001&refinements={"BRAND":"Amara"})");
  ASSERT_NE(dynamic_cast<CtrResultsViewController*>(top()), nullptr) << screen();
  EXPECT_EQ(cell(0)->row().description, "Product 5");
  EXPECT_EQ(state().categorySearchList(), browsed);
}

TEST_F(LandingPages, EachStepWithoutAnAnswerStaysWhereItWas) {
  // The landing server is down while the middleware is up.
  updateOptions([&](platform::Options& options) { options.ctrAddress = "127.0.0.1:1"; });
  tapAndWait("Top Rated");
  ASSERT_NE(alert(), nullptr);
  EXPECT_EQ(alert()->title, "Sorry !");
  act(actor().alertButton("OK"));
  EXPECT_EQ(top(), home_.get());

  updateOptions([&](platform::Options& options) { options.ctrAddress = landing_.address(); });
  tapAndWait("Top Rated");
  server().answer("/category_ctr", test::FakeAnswer{"", 500});
  tapAndWait("Men");
  ASSERT_NE(alert(), nullptr);
  act(actor().alertButton("OK"));
  EXPECT_NE(dynamic_cast<CtrViewController*>(top()), nullptr);

  server().answer("/category_ctr", R"({"data":[{"categoryName":"Shirts","categoryId":60100}]})");
  tapAndWait("Men");
  EXPECT_TRUE(shows("row.0.0 Shirts >")) << screen();
  server().answer("/results", kEmptyPage);
  tapAndWait("Shirts");
  ASSERT_NE(alert(), nullptr);
  EXPECT_EQ(alert()->title, "Sorry !");
  act(actor().alertButton("OK"));
  EXPECT_NE(dynamic_cast<CtrDetailViewController*>(top()), nullptr);
}

}  // namespace
}  // namespace kelda::catalogue
