// SearchViewController: the root screen of the search tab: a search bar whose phrase is sent
// to the text search; a search with no result drops in a banner, one with results opens the
// result list (created once and reused).
//
// Created by the application delegate as the search stack's root. Main thread only; the search
// runs on a worker and hands back through a weak reference.
#pragma once

#include <memory>
#include <string>

#include "gateway/RequestStatus.hpp"
#include "support/BusyOverlayHandle.hpp"
#include "ui/SearchBar.hpp"
#include "ui/View.hpp"
#include "ui/ViewController.hpp"

namespace kelda::catalogue {

class ResultViewController;

class SearchViewController : public ui::ViewController {
 public:
  static constexpr const char* kPageId = "mobile.entry.search";
  static constexpr const char* kNoResultsBanner =
      "We couldn\u2019t find any items that match your search term. Please enter a different "
      "search term and try again.";

  SearchViewController();
  ~SearchViewController() override;

  // Header actions (the sender is the tapped header button, or null): each pushes a new
  // sign-in or registration screen. Signed in, the two buttons are not shown.
  virtual void signin(ui::View* sender);
  virtual void registeration(ui::View* sender);

  // The search key: shows the overlay and searches for `text` on a worker.
  void searchBarSearchButtonClicked(const std::string& text);

  const std::string& gStringSearch() const { return gStringSearch_; }
  ui::SearchBar& searchBar();
  std::shared_ptr<ResultViewController> resultViewController() const { return results_; }

 protected:
  std::shared_ptr<ui::View> loadView() override;
  void viewDidLoad() override;
  void viewWillAppear(bool animated) override;

 private:
  void stopAnimator(gateway::RequestStatus status, const std::string& text);
  void showAccountButtons(bool shown);

  std::string gStringSearch_;
  std::shared_ptr<ui::SearchBar> searchBar_;
  std::shared_ptr<ResultViewController> results_;
  support::BusyOverlayHandle overlay_;
};

}  // namespace kelda::catalogue
