#include "catalogue/HomeViewController.hpp"

#include <cstdlib>
#include <vector>

#include "account/LoginViewController.hpp"
#include "account/MyAccountViewController.hpp"
#include "account/RegistrationViewController.hpp"
#include "bag/CoreDataHandler.hpp"
#include "bag/Money.hpp"
#include "bag/ViewBagData.hpp"
#include "catalogue/BrowseViewController.hpp"
#include "catalogue/CatalogueRequests.hpp"
#include "catalogue/CtrViewController.hpp"
#include "catalogue/DepartmentCaches.hpp"
#include "catalogue/LandingRequests.hpp"
#include "catalogue/NothingFoundAlert.hpp"
#include "catalogue/ResultAnswer.hpp"
#include "catalogue/ResultViewController.hpp"
#include "catalogue/SalesRequests.hpp"
#include "catalogue/SalesViewController.hpp"
#include "catalogue/ScreenParts.hpp"
#include "catalogue/SearchTitle.hpp"
#include "gateway/ExceptionGuard.hpp"
#include "gateway/GlobalFlags.hpp"
#include "gateway/ScreenLinks.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "platform/NotificationCenter.hpp"
#include "platform/TaskAndReply.hpp"
#include "product/ProductRequests.hpp"
#include "ui/AlertView.hpp"
#include "ui/BarButtonItem.hpp"
#include "ui/Button.hpp"
#include "ui/Label.hpp"
#include "ui/NavigationController.hpp"
#include "ui/TabBarController.hpp"
#include "ui/TableViewCell.hpp"

namespace kelda::catalogue {
namespace {

using gateway::GlobalFlags;
using gateway::TarnObjects;
using gateway::TarnServerAPIs;

TarnObjects& state() {
  return TarnObjects::sharedInstance();
}
GlobalFlags& flags() {
  return GlobalFlags::shared();
}

// Rows of the bag summary before the bag lines: "my bag" and the header (or the empty note).
constexpr int kFirstRecordRow = 2;
constexpr int kDepartmentButtons = 10;  // tags 0 to 9 open the browse picker

std::string text(const std::optional<std::string>& value) {
  return value.value_or("");
}

// The record the home screen keeps for one bag line.
json::Value homeRecord(const bag::AddToBagItemAttribute& line) {
  return json::Value::object({{"Title", text(line.setProductName)},
                              {"Quantity", text(line.setQuantity)},
                              {"Price", text(line.setPrice)},
                              {"PDPProductId", text(line.setPDPProductId)},
                              {"CategoryId", text(line.setCategoryId)},
                              {"CategoryFlag", text(line.setCategoryFlag)},
                              {"UpcNumber", text(line.setUpcNumber)}});
}

// What the bag summary's worker found: the total quantity and the "$%4.2f" total price.
struct BagSummary {
  long long total = 0;
  std::string totalPrice;
};

// Reads the bag store (worker thread): rebuilds ViewBagData's records and sums price times
// quantity in cents.
BagSummary readBagSummary(const std::shared_ptr<std::mutex>& lock) {
  auto& store = bag::CoreDataHandler::sharedCoreDataHandler();
  BagSummary summary;
  summary.total = store.totalQuantityInBag(*lock);
  if (summary.total <= 0) {
    GlobalFlags::shared().numberOfBags = 1;
    return summary;
  }
  store.fetchExistingBagItems();
  const std::vector<bag::AddToBagItemAttribute> lines = store.fetchBagItemsArray();
  std::vector<json::Value> records;
  long long cents = 0;
  for (const auto& line : lines) {
    records.push_back(homeRecord(line));
    cents = bag::addCents(cents, bag::multiplyCents(bag::centsFromText(text(line.setPrice)),
                                                    bag::integerValue(text(line.setQuantity))));
  }
  bag::ViewBagData::sharedViewBagDataObject().setRecordArray(
      json::Value::array(std::move(records)));
  summary.totalPrice = "$" + bag::formatCents(cents);
  GlobalFlags::shared().numberOfBags = static_cast<int>(lines.size()) + 1;
  return summary;
}

std::shared_ptr<ui::TableViewCell> textCell(const std::string& title) {
  auto cell = std::make_shared<ui::TableViewCell>();
  cell->textLabel().text = title;
  return cell;
}

}  // namespace

HomeViewController::HomeViewController() {
  // The home screen shows the retailer's logo in place of a title.
  setTitle("");
  platform::NotificationCenter::defaultCenter().addObserver(
      kLoginCompletedNotification, this,
      [this](const platform::Notification& note) { setLogin(note.object.intValue() != 0); });
}

HomeViewController::~HomeViewController() {
  platform::NotificationCenter::defaultCenter().removeObserver(this);
}

void HomeViewController::signin(ui::View* /*sender*/) {
  if (!login_) login_ = std::make_shared<account::LoginViewController>();
  login_->pageFlag = "HomeView";
  pushOrReturnTo(login_);
}

void HomeViewController::registration(ui::View* /*sender*/) {
  if (!registration_) registration_ = std::make_shared<account::RegistrationViewController>();
  pushOrReturnTo(registration_);
}

void HomeViewController::myAccount(ui::View* /*sender*/) {
  if (!myAccount_) myAccount_ = std::make_shared<account::MyAccountViewController>();
  pushOrReturnTo(myAccount_);
}
void HomeViewController::viewBag(ui::View* /*sender*/) {}

void HomeViewController::setLogin(bool loggedIn) {
  flags().loginSuccessful = loggedIn;
  if (loggedIn) showAccountButtons(false);
}

void HomeViewController::showAccountButtons(bool shown) {
  auto& item = navigationItem();
  if (!shown) {
    item.leftBarButtonItem.reset();
    item.rightBarButtonItem.reset();
    return;
  }
  item.leftBarButtonItem =
      std::make_shared<ui::BarButtonItem>("Sign In", [this] { signin(nullptr); });
  item.rightBarButtonItem =
      std::make_shared<ui::BarButtonItem>("Register", [this] { registration(nullptr); });
}

void HomeViewController::pushOrReturnTo(const std::shared_ptr<ui::ViewController>& screen) {
  auto* navigation = navigationController();
  if (navigation == nullptr) return;
  if (navigation->contains(*screen)) {
    navigation->popToViewController(*screen, true);
  } else {
    navigation->pushViewController(screen, true);
  }
}

ui::SearchBar& HomeViewController::searchBar() {
  view();
  return *searchBar_;
}

ui::TableView& HomeViewController::tableView() {
  view();
  return *table_;
}

std::shared_ptr<ui::View> HomeViewController::loadView() {
  auto root = std::make_shared<ui::View>();
  root->addSubview(buildDepartmentButtons());
  buildSearchBar(*root);
  table_ = root->add<ui::TableView>(ui::TableViewStyle::Plain);
  table_->identifier = "bag";
  table_->dataSource = this;
  table_->delegate = this;
  searchDimming_ = root->add<ui::View>();
  searchDimming_->backgroundColor = ui::Color::gray(0, 0.6);
  searchDimming_->hidden = true;
  return root;
}

std::shared_ptr<ui::View> HomeViewController::buildDepartmentButtons() {
  auto header = std::make_shared<ui::View>();
  header->identifier = "departments";
  for (int tag = 0; tag < kDepartmentButtons; ++tag) {
    auto button = header->add<ui::Button>(departmentTitleForTag(tag),
                                          [this, tag](ui::Button&) { fetchFOBCateogry(tag); });
    button->tag = tag;
  }
  auto sale = header->add<ui::Button>(departmentTitleForTag(kSaleTag),
                                      [this](ui::Button&) { fetchSalesCategory(kSaleTag); });
  sale->tag = kSaleTag;
  auto topRated = header->add<ui::Button>("Top Rated", [this](ui::Button&) { fetchCtrCategory(); });
  topRated->identifier = "toprated";
  return header;
}

void HomeViewController::buildSearchBar(ui::View& root) {
  searchBar_ = root.add<ui::SearchBar>("Search");
  searchBar_->textDidBeginEditing = [this](ui::SearchBar& bar) {
    searchDimming_->hidden = false;
    bar.text.clear();
    bar.showsCancelButton = true;
  };
  searchBar_->cancelButtonClicked = [this](ui::SearchBar& bar) {
    bar.showsCancelButton = false;
    bar.resignFirstResponder();
    searchDimming_->hidden = true;
  };
  searchBar_->searchButtonClicked = [this](ui::SearchBar& bar) {
    bar.showsCancelButton = false;
    bar.resignFirstResponder();
    searchDimming_->hidden = true;
    searchBarSearchButtonClicked(bar.text);
  };
}

void HomeViewController::viewDidLoad() {
  browse_ = std::make_shared<BrowseViewController>();
  results_ = std::make_shared<ResultViewController>();
  login_ = std::make_shared<account::LoginViewController>();
  registration_ = std::make_shared<account::RegistrationViewController>();
}

void HomeViewController::viewWillAppear(bool) {
  gateway::guarded("-[HomeViewController viewWillAppear:]", [&] {
    navigationItem().title = "";
    navigationItem().titleImageName = "logo.png";
    TarnServerAPIs::sharedInstance().coremetricsStaticPageViewTag(kPageId);
    showAccountButtons(!flags().loginSuccessful);
    // The header's sign-in and register act for this tab again.
    flags().clickedLoginFromSearchPage = 0;
    flags().clickedRegisterFromSearchPage = 0;
    flags().numberOfRows = 2;
    fetchViewBag();
  });
}

// ---- departments ----

void HomeViewController::fetchFOBCateogry(int tag) {
  gateway::guarded("-[HomeViewController fetchFOBCateogry:]", [&] {
    buttonTag_ = tag;
    const std::string title = departmentTitleForTag(tag);
    const std::string categoryId = departmentIdForTitle(title);
    state().setFobTitle(title);
    overlay_.show();
    if (checkRecord()) return;
    platform::postTaskAndReply(
        platform::weakFrom(this),
        [categoryId] {
          return CatalogueRequests::recordForItemPicker(
              std::to_string(std::atoll(categoryId.c_str())));
        },
        [](HomeViewController& screen, RequestStatus status) {
          if (status == RequestStatus::Answered) state().setSearchPageFlag(1);
          if (!screen.checkRecord()) screen.overlay_.hide();
        });
  });
}

// Opens the browse picker when the department's cache holds an answer.
bool HomeViewController::checkRecord() {
  const DepartmentCache* cache = departmentCacheForTag(buttonTag_);
  json::Value answer = cache != nullptr ? cache->read() : json::Value();
  if (answer.empty()) return false;
  state().setSubCategoryDictionary(answer);
  overlay_.hide();
  if (!browse_) browse_ = std::make_shared<BrowseViewController>();
  browse_->col1 = browse_->col2 = browse_->col3 = 0;
  state().setPageFlag(1);
  if (auto* navigation = navigationController()) navigation->pushViewController(browse_, true);
  return true;
}

// ---- sales and landing pages ----

void HomeViewController::fetchSalesCategory(int tag) {
  gateway::guarded("-[HomeViewController fetchSalesCategory:]", [&] {
    buttonTag_ = tag;
    const std::string title = departmentTitleForTag(tag);
    const std::string categoryId = departmentIdForTitle(title);
    state().setFobTitle(title);
    overlay_.show();
    if (openSalesWhenHeld()) return;
    platform::postTaskAndReply(
        platform::weakFrom(this),
        [categoryId] {
          return SalesRequests::recordForSale(std::to_string(std::atoll(categoryId.c_str())));
        },
        [](HomeViewController& screen, RequestStatus) {
          if (!screen.openSalesWhenHeld()) screen.overlay_.hide();
        });
  });
}

// Opens the sales screen when the sale categories are held.
bool HomeViewController::openSalesWhenHeld() {
  if (state().salesDictionary().empty()) return false;
  overlay_.hide();
  if (!sales_) sales_ = std::make_shared<SalesViewController>();
  pushScreen(*this, sales_);
  return true;
}

void HomeViewController::fetchCtrCategory() {
  gateway::guarded("-[HomeViewController fetchCtrCategory:]", [&] {
    overlay_.show();
    platform::postTaskAndReply(
        platform::weakFrom(this), [] { return LandingRequests::ctrDetails(); },
        [](HomeViewController& screen, RequestStatus status) {
          screen.overlay_.hide();
          if (status == RequestStatus::NotSent) return;
          if (status == RequestStatus::Failed) {
            showNothingFoundAlert();
            return;
          }
          pushScreen(screen, std::make_shared<CtrViewController>());
        });
  });
}

// ---- search ----

void HomeViewController::searchBarSearchButtonClicked(const std::string& text) {
  gateway::guarded("-[HomeViewController searchBarSearchButtonClicked:]", [&] {
    gStringSearch_ = text;
    overlay_.show();
    platform::postTaskAndReply(
        platform::weakFrom(this), [text] { return CatalogueRequests::searchResultString(text); },
        [text](HomeViewController& screen, RequestStatus status) {
          screen.searchArrived(status, text);
        });
  });
}

void HomeViewController::searchArrived(RequestStatus status, const std::string& text) {
  overlay_.hide();
  // Without a connection the alert has been shown and nothing else changes.
  if (status == RequestStatus::NotSent) return;
  if (status == RequestStatus::Answered) {
    state().setSearchTitle(text);
    state().setFobTitle("Search for " + text);
    state().setSearchPageFlag(2);
  }
  if (status == RequestStatus::Failed || productCount(state().searchResultsDictionary()) == 0) {
    ui::showAlert(
        ui::AlertView{"Sorry!",
                      "We're sorry, we couldn't find any items that matched your search term.",
                      {"OK"},
                      0,
                      nullptr});
    return;
  }
  const std::string title = searchTitleFor(text);
  state().setSearchTitle(title);
  if (!results_) results_ = std::make_shared<ResultViewController>();
  results_->setTitle(title);
  results_->categoryId = text;
  results_->searchTitle = text;
  results_->refineSearchFlagWithPageNumber = 0;
  state().setRefineSearchFlagWithPageNumber("0");
  if (auto* navigation = navigationController()) navigation->pushViewController(results_, true);
}

// ---- bag summary ----

void HomeViewController::fetchViewBag() {
  platform::postTaskAndReply(
      platform::weakFrom(this), [lock = bagLock_] { return readBagSummary(lock); },
      [](HomeViewController& screen, BagSummary summary) {
        screen.bagSummaryArrived(summary.total, std::move(summary.totalPrice));
      });
}

void HomeViewController::bagSummaryArrived(long long total, std::string totalPrice) {
  if (auto* tabs = tabBarController()) tabs->setBadgeValue(kBagTab, std::to_string(total));
  totalPrice_ = std::move(totalPrice);
  if (total > 0) {
    auto footer = std::make_shared<ui::Button>("Checkout", [this](ui::Button&) {
      if (auto* tabs = tabBarController()) tabs->tapTab(kBagTab);
    });
    footer->identifier = "checkout";
    table_->tableFooterView = footer;
  } else {
    table_->tableFooterView = std::make_shared<ui::View>();
  }
  table_->reloadData();
}

int HomeViewController::numberOfRowsInSection(ui::TableView&, int) {
  const int bags = flags().numberOfBags;
  const int rows = flags().numberOfRows;
  return bags == 1 ? rows : rows + bags;
}

std::shared_ptr<ui::TableViewCell> HomeViewController::cellForRowAtIndexPath(
    ui::TableView& tableView, ui::IndexPath indexPath) {
  const int row = indexPath.row;
  if (row == 0) return textCell("my bag");
  const bool empty = flags().numberOfBags <= 1;
  if (row == 1) return textCell(empty ? "There are no items in your bag!" : "Item  Qty  Price");
  if (row == numberOfRowsInSection(tableView, 0) - 1) {
    auto cell = textCell("Total");
    cell->detailTextLabel().text = totalPrice_;
    return cell;
  }
  json::Value record = bag::ViewBagData::sharedViewBagDataObject()
                           .recordArray()[static_cast<std::size_t>(row - kFirstRecordRow)];
  auto cell = std::make_shared<ui::TableViewCell>(ui::CellStyle::Default, "CustomHomeCell");
  cell->textLabel().text = record["Title"].str();
  cell->add<ui::Label>(record["Quantity"].str());
  cell->add<ui::Label>("$" + record["Price"].str());
  return cell;
}

void HomeViewController::didSelectRowAtIndexPath(ui::TableView& tableView,
                                                 ui::IndexPath indexPath) {
  const int row = indexPath.row;
  const int last = numberOfRowsInSection(tableView, 0) - 1;
  if (row < kFirstRecordRow || row >= last || flags().numberOfBags <= 1) return;
  json::Value record = bag::ViewBagData::sharedViewBagDataObject()
                           .recordArray()[static_cast<std::size_t>(row - kFirstRecordRow)];
  gateway::guarded("-[HomeViewController tableView:didSelectRowAtIndexPath:]",
                   [&] { openBagRecord(record); });
}

void HomeViewController::openBagRecord(const json::Value& record) {
  overlay_.show();
  platform::postTaskAndReply(
      platform::weakFrom(this),
      [record] {
        return product::ProductRequests::resultForProductDescription(
            record["PDPProductId"].str(), record["CategoryId"].str(), record["CategoryFlag"].str());
      },
      [](HomeViewController& screen, RequestStatus status) {
        screen.overlay_.hide();
        // Only this request's own answer opens a page.
        if (status != RequestStatus::Answered) return;
        state().setPdpTabFlag("1");
        // Only simple products open from the bag summary.
        if (state().productDescriptionList()["PDPFLAG"].str() != "SIMPLE") return;
        screen.lastProductPage = ProductPageRequest{"SIMPLE", std::nullopt, false};
        if (screen.openProductPage) {
          screen.openProductPage(*screen.lastProductPage);
        } else if (auto& open = gateway::ScreenLinks::shared().openProductPage; open) {
          if (auto* navigation = screen.navigationController()) {
            open(*navigation, *screen.lastProductPage);
          }
        }
      });
}

}  // namespace kelda::catalogue
