#include "catalogue/SearchViewController.hpp"

#include "account/LoginViewController.hpp"
#include "account/RegistrationViewController.hpp"
#include "catalogue/CatalogueRequests.hpp"
#include "catalogue/ResultAnswer.hpp"
#include "catalogue/ResultViewController.hpp"
#include "catalogue/SearchTitle.hpp"
#include "gateway/ExceptionGuard.hpp"
#include "gateway/GlobalFlags.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "platform/NotificationCenter.hpp"
#include "platform/TaskAndReply.hpp"
#include "ui/BarButtonItem.hpp"
#include "ui/DropInBanner.hpp"
#include "ui/NavigationController.hpp"

namespace kelda::catalogue {
namespace {

using gateway::TarnObjects;
using gateway::TarnServerAPIs;

TarnObjects& state() {
  return TarnObjects::sharedInstance();
}

}  // namespace

SearchViewController::SearchViewController() {
  setTitle("Search");
  // The next screen's back button reads "Previous".
  navigationItem().backBarButtonItem = std::make_shared<ui::BarButtonItem>("Previous");
  platform::NotificationCenter::defaultCenter().addObserver(
      "kNotificationIsLoginCompleted", this, [this](const platform::Notification& note) {
        if (note.object.intValue() != 0) showAccountButtons(false);
      });
}

SearchViewController::~SearchViewController() {
  platform::NotificationCenter::defaultCenter().removeObserver(this);
}

void SearchViewController::signin(ui::View* /*sender*/) {
  auto login = std::make_shared<account::LoginViewController>();
  login->pageFlag = "SearchView";
  if (auto* navigation = navigationController()) navigation->pushViewController(login, true);
}

void SearchViewController::registeration(ui::View* /*sender*/) {
  auto registration = std::make_shared<account::RegistrationViewController>();
  if (auto* navigation = navigationController()) navigation->pushViewController(registration, true);
}

void SearchViewController::showAccountButtons(bool shown) {
  auto& item = navigationItem();
  if (!shown) {
    item.leftBarButtonItem.reset();
    item.rightBarButtonItem.reset();
    return;
  }
  item.leftBarButtonItem =
      std::make_shared<ui::BarButtonItem>("Sign In", [this] { signin(nullptr); });
  item.rightBarButtonItem =
      std::make_shared<ui::BarButtonItem>("Register", [this] { registeration(nullptr); });
}

ui::SearchBar& SearchViewController::searchBar() {
  view();
  return *searchBar_;
}

std::shared_ptr<ui::View> SearchViewController::loadView() {
  auto root = std::make_shared<ui::View>();
  searchBar_ = root->add<ui::SearchBar>("Search");
  searchBar_->textDidBeginEditing = [](ui::SearchBar& bar) {
    bar.text.clear();
    bar.showsCancelButton = true;
  };
  searchBar_->cancelButtonClicked = [](ui::SearchBar& bar) {
    bar.showsCancelButton = false;
    bar.resignFirstResponder();
  };
  searchBar_->searchButtonClicked = [this](ui::SearchBar& bar) {
    searchBarSearchButtonClicked(bar.text);
  };
  return root;
}

void SearchViewController::viewDidLoad() {
  results_ = std::make_shared<ResultViewController>();
}

void SearchViewController::viewWillAppear(bool) {
  TarnServerAPIs::sharedInstance().coremetricsStaticPageViewTag(kPageId);
  auto& flags = gateway::GlobalFlags::shared();
  showAccountButtons(!flags.loginSuccessful);
  // The header's sign-in and register act for this tab while it is shown.
  flags.clickedLoginFromSearchPage = 5001;
  flags.clickedRegisterFromSearchPage = 6001;
}

void SearchViewController::searchBarSearchButtonClicked(const std::string& text) {
  gateway::guarded("-[SearchViewController searchBarSearchButtonClicked:]", [&] {
    overlay_.show();
    gStringSearch_ = text;
    searchBar_->showsCancelButton = false;
    searchBar_->resignFirstResponder();
    platform::postTaskAndReply(
        platform::weakFrom(this), [text] { return CatalogueRequests::searchResultString(text); },
        [text](SearchViewController& screen, RequestStatus status) {
          screen.stopAnimator(status, text);
        });
  });
}

void SearchViewController::stopAnimator(RequestStatus status, const std::string& text) {
  overlay_.hide();
  // Without a connection the alert has been shown and nothing else changes.
  if (status == RequestStatus::NotSent) return;
  if (status == RequestStatus::Answered) state().setSearchTitle(searchTitleFor(text));
  if (status == RequestStatus::Failed || productCount(state().searchResultsDictionary()) == 0) {
    ui::DropInBanner::show(kNoResultsBanner);
    return;
  }
  if (!results_) results_ = std::make_shared<ResultViewController>();
  results_->searchTitle = text;
  results_->categoryId = text;
  results_->refineSearchFlagWithPageNumber = 0;
  state().setRefineSearchFlagWithPageNumber("0");
  if (auto* navigation = navigationController()) navigation->pushViewController(results_, true);
}

}  // namespace kelda::catalogue
