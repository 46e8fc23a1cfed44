// Test fixture of the toolkit tests: a fresh context with a run loop on virtual time, its
// window and an actor; plus a screen that records its appearance callbacks.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/Context.hpp"
#include "platform/RunLoop.hpp"
#include "ui/Actor.hpp"
#include "ui/ScreenTree.hpp"
#include "ui/ViewController.hpp"
#include "ui/Window.hpp"

namespace kelda::ui::testing {

class UiTest : public ::testing::Test {
 protected:
  UiTest() { platform::RunLoop::main().setClock(clock); }

  Window& window() { return Window::shared(); }
  std::string screenText() { return ScreenTree::capture(window()).text(); }
  json::Value screenJson() { return ScreenTree::capture(window()).json(); }
  void idle() { platform::RunLoop::main().runUntilIdle(); }

  platform::Context context;
  platform::ScopedContext scope{context};
  std::shared_ptr<platform::ManualClock> clock = std::make_shared<platform::ManualClock>();
  Actor actor{Window::shared()};
};

// A screen that logs "<name> <callback>" for each appearance callback into a shared log.
class RecordingScreen : public ViewController {
 public:
  RecordingScreen(std::string name, std::vector<std::string>* log)
      : name_(std::move(name)), log_(log) {
    setTitle(name_);
  }

 protected:
  void viewDidLoad() override { log_->push_back(name_ + " didLoad"); }
  void viewWillAppear(bool) override { log_->push_back(name_ + " willAppear"); }
  void viewDidAppear(bool) override { log_->push_back(name_ + " didAppear"); }
  void viewWillDisappear(bool) override { log_->push_back(name_ + " willDisappear"); }
  void viewDidDisappear(bool) override { log_->push_back(name_ + " didDisappear"); }

 private:
  std::string name_;
  std::vector<std::string>* log_;
};

using Log = std::vector<std::string>;

}  // namespace kelda::ui::testing
