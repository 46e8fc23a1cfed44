#include "app/NoInternetConnectionViewController.hpp"

#include "ui/Geometry.hpp"
#include "ui/Label.hpp"

namespace kelda::app {

NoInternetConnectionViewController::NoInternetConnectionViewController() {
  setTitle(kHeadline);
}

std::shared_ptr<ui::View> NoInternetConnectionViewController::loadView() {
  auto view = std::make_shared<ui::View>(ui::screenBounds());
  view->backgroundColor = ui::Color::white();
  view->identifier = "noConnection";
  auto headline = view->add<ui::Label>(kHeadline, ui::TextStyle::Title);
  headline->frame = ui::makeRect(20, 180, 280, 30);
  headline->textAlignment = ui::TextAlignment::Center;
  auto message = view->add<ui::Label>(kMessage);
  message->frame = ui::makeRect(20, 220, 280, 80);
  message->textAlignment = ui::TextAlignment::Center;
  message->numberOfLines = 0;
  return view;
}

}  // namespace kelda::app
