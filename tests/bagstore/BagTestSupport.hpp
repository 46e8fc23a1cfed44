// Helpers of the bag store tests: a fixture for a fresh launch with its own documents
// directory, a product answer as the product page keeps it, adding a line for a UPC the way the
// add-to-bag screen does, and reading the alerts shown.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bag/CoreDataHandler.hpp"
#include "gateway/TarnObjects.hpp"
#include "json/Value.hpp"
#include "platform/Context.hpp"
#include "platform/RunLoop.hpp"
#include "support/TempDirectory.hpp"
#include "ui/Window.hpp"

namespace kelda::test {

// A fresh context made current, its documents directory a fresh temporary directory. The bag needs
// no server, so none is started (a child process forked by a test inherits no server threads).
class BagFixture : public ::testing::Test {
 protected:
  BagFixture() { scope_.emplace(*context_); }
  ~BagFixture() override {
    runUntilIdle();
    context_.reset();
    scope_.reset();
  }
  const std::filesystem::path& home() const { return home_.path(); }
  // Points the documents directory elsewhere (before the bag store is first used).
  void setHome(const std::filesystem::path& home) {
    platform::Options options = *context_->options();
    options.home = home;
    context_->setOptions(std::move(options));
  }
  static platform::Options optionsWithHome(const std::filesystem::path& home) {
    platform::Options options = platform::Options::fromEnvironment();
    options.home = home;
    return options;
  }
  // Main thread: runs what was posted (alerts shown from other threads, for instance).
  void runUntilIdle() { context_->get<platform::RunLoop>().runUntilIdle(); }

 private:
  TempDirectory home_;
  std::unique_ptr<platform::Context> context_ =
      std::make_unique<platform::Context>(optionsWithHome(home_.path()));
  std::optional<platform::ScopedContext> scope_;
};

// A product answer offering `upc` with string values the server sends as they are, a number
// for the product id, and lists for the state and shipping codes.
inline json::Value productAnswer(const std::string& upc, const std::string& name = "Silk Dress") {
  using json::Value;
  Value itemBO = Value::object({{"setUpcID", Value(upc)},
                                {"setUpcNumber", Value("0001" + upc)},
                                {"setProductID", Value(4242)},
                                {"setProductTaxwareCode", Value("TX7")},
                                {"setCustomPrice", Value("0.00")},
                                {"setAddByApp", Value("Y")},
                                {"setBaseFeeExempt", Value("N")},
                                {"setOrderMethod", Value("SHIP")},
                                {"setSurchargeFee", Value("1.50")},
                                {"setFobFeeFlag", Value("F")}});
  Value data = Value::object(
      {{"prodId", Value(777)}, {"prodName", Value(name)}, {"maxQuantity", Value("12")}});
  return Value::object(
      {{"data", Value::array({data})},
       {"UPCAvailabilityChecker", Value::object({{upc, Value::object({{"itemBOAttr", itemBO}})}})},
       {"excludedStateCodeValues", Value::array({Value("AK"), Value("HI")})},
       {"shippingMethodCodeValues", Value::array({Value("G"), Value("P")})}});
}

// Puts the product of `upc` on the shared state and adds it to the bag.
inline bool addToBag(const std::string& upc, const std::string& qty = "1",
                     const std::string& price = "19.99") {
  auto& state = gateway::TarnObjects::sharedInstance();
  state.setProductDescriptionList(productAnswer(upc));
  state.setCategoryFlag(json::Value("SEARCH"));
  state.setCoreMetricsCategoryId(json::Value("cat-9"));
  return bag::CoreDataHandler::sharedCoreDataHandler().addNewRowInEntityWithObject(
      upc, qty, price, std::string("Red"), std::string("M"));
}

inline std::vector<std::string> alertMessages() {
  std::vector<std::string> messages;
  for (const auto& alert : ui::Window::shared().alerts()) messages.push_back(alert.message);
  return messages;
}

}  // namespace kelda::test
