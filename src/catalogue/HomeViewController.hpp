// HomeViewController: the root screen of the home tab: the department buttons that open the
// browse picker (each department fetched once per run and cached), the search bar, and the bag
// summary (the bag's lines, their total price and the my-bag badge, read from the bag store on
// every appearance).
//
// Created by the application delegate as the home stack's root; it creates the browse picker
// and the result list once and reuses them. Main thread only; its requests run on workers and
// hand back through weak references.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "gateway/ProductPageRequest.hpp"
#include "gateway/RequestStatus.hpp"
#include "json/Value.hpp"
#include "support/BusyOverlayHandle.hpp"
#include "ui/SearchBar.hpp"
#include "ui/TableView.hpp"
#include "ui/TableViewDataSource.hpp"
#include "ui/View.hpp"
#include "ui/ViewController.hpp"

namespace kelda::account {
class LoginViewController;
class RegistrationViewController;
class MyAccountViewController;
}  // namespace kelda::account

namespace kelda::catalogue {

using gateway::ProductPageRequest;

class BrowseViewController;
class ResultViewController;
class SalesViewController;

class HomeViewController : public ui::ViewController,
                           public ui::TableViewDataSource,
                           public ui::TableViewDelegate {
 public:
  static constexpr const char* kPageId = "mobile.home.home";
  static constexpr const char* kLoginCompletedNotification = "kNotificationIsLoginCompleted";
  static constexpr int kBagTab = 2;

  HomeViewController();
  ~HomeViewController() override;

  // Header actions (the sender is the tapped header button, or null). Sign-in and
  // registration push their screen (made once) or return to it when it is on the stack; the
  // account and bag screens arrive with their own features.
  virtual void signin(ui::View* sender);
  virtual void registration(ui::View* sender);
  virtual void myAccount(ui::View* sender);
  virtual void viewBag(ui::View* sender);
  // Records the sign-in state; signed in, the sign-in and register buttons go.
  virtual void setLogin(bool loggedIn);

  // A department button (tags 0 to 9): opens the browse picker, fetching the department first
  // when its cache is empty.
  void fetchFOBCateogry(int tag);
  // The sale department button (tag 10): opens the sales screen, fetching the sale categories
  // first when none are held.
  void fetchSalesCategory(int tag);
  // The landing-page button: fetches the top-rated departments and opens their list; stays
  // home (with the connection or apology alert) when they do not arrive.
  void fetchCtrCategory();
  // The bag summary's worker: badge, bag records, total price, then a table reload.
  void fetchViewBag();

  int buttonTag() const { return buttonTag_; }
  const std::string& gStringSearch() const { return gStringSearch_; }
  ui::SearchBar& searchBar();
  ui::TableView& tableView();
  // The total-price row's text ("$%4.2f"), empty while the bag is empty.
  const std::string& totalPriceText() const { return totalPrice_; }
  std::shared_ptr<BrowseViewController> browseViewController() const { return browse_; }
  std::shared_ptr<ResultViewController> resultViewController() const { return results_; }
  std::shared_ptr<SalesViewController> salesViewController() const { return sales_; }

  // Opens the product page of a tapped bag line (only simple products open from here;
  // recorded in lastProductPage). By default through gateway::ScreenLinks::openProductPage.
  std::function<void(const ProductPageRequest&)> openProductPage;
  std::optional<ProductPageRequest> lastProductPage;

  // TableViewDataSource / TableViewDelegate: the bag summary.
  int numberOfRowsInSection(ui::TableView&, int section) override;
  std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView&,
                                                           ui::IndexPath indexPath) override;
  void didSelectRowAtIndexPath(ui::TableView&, ui::IndexPath indexPath) override;

 protected:
  std::shared_ptr<ui::View> loadView() override;
  void viewDidLoad() override;
  void viewWillAppear(bool animated) override;

 private:
  std::shared_ptr<ui::View> buildDepartmentButtons();
  void buildSearchBar(ui::View& root);
  bool checkRecord();
  bool openSalesWhenHeld();
  void searchBarSearchButtonClicked(const std::string& text);
  void searchArrived(gateway::RequestStatus status, const std::string& text);
  void bagSummaryArrived(long long total, std::string totalPrice);
  void openBagRecord(const json::Value& record);
  void showAccountButtons(bool shown);
  void pushOrReturnTo(const std::shared_ptr<ui::ViewController>& screen);

  int buttonTag_ = 0;
  std::string gStringSearch_;
  std::string totalPrice_;
  std::shared_ptr<ui::SearchBar> searchBar_;
  std::shared_ptr<ui::View> searchDimming_;
  std::shared_ptr<ui::TableView> table_;
  std::shared_ptr<BrowseViewController> browse_;
  std::shared_ptr<ResultViewController> results_;
  std::shared_ptr<SalesViewController> sales_;
  std::shared_ptr<account::LoginViewController> login_;
  std::shared_ptr<account::RegistrationViewController> registration_;
  std::shared_ptr<account::MyAccountViewController> myAccount_;
  support::BusyOverlayHandle overlay_;
  // The caller's lock the bag store's total is read under.
  std::shared_ptr<std::mutex> bagLock_ = std::make_shared<std::mutex>();
};

}  // namespace kelda::catalogue
