#include "FaultInjector.hpp"

#include <chrono>
#include <stdexcept>

#include "Text.hpp"

namespace kelda::server {
namespace {

Fault parseMode(const std::string& text) {
  const auto colon = text.find(':');
  const std::string mode = text.substr(0, colon);
  const std::string arg = colon == std::string::npos ? "" : text.substr(colon + 1);
  if (mode == "empty") return {FaultMode::Empty};
  if (mode == "truncated") return {FaultMode::Truncated};
  if (mode == "notjson") return {FaultMode::NotJson};
  if (mode == "badutf8") return {FaultMode::BadUtf8};
  if (mode == "http500") return {FaultMode::Http500};
  if (mode == "close") return {FaultMode::Close};
  if (mode == "huge") return {FaultMode::Huge};
  if (mode == "nested") return {FaultMode::Nested};
  if (mode == "delay" && allDigits(arg) && arg.size() <= 4)
    return {FaultMode::Delay, std::stoi(arg)};
  throw std::invalid_argument("unknown fault mode: " + text);
}

}  // namespace

void FaultInjector::configure(std::string_view rules, std::uint64_t seed) {
  random_.seed(seed);
  std::string normalized(rules);
  for (char& c : normalized) {
    if (c == ',') c = ';';
  }
  for (const std::string& raw : split(normalized, ';')) {
    const std::string rule = trim(raw);
    if (rule.empty()) continue;
    const auto eq = rule.find('=');
    if (eq == std::string::npos || eq == 0)
      throw std::invalid_argument("fault rule needs TARGET=MODE: " + rule);
    Rule r;
    r.target = trim(rule.substr(0, eq));
    if (!r.target.empty() && r.target.front() == '/') r.target.erase(0, 1);
    std::string mode = rule.substr(eq + 1);
    const auto at = mode.find('@');
    if (at != std::string::npos) {
      try {
        std::size_t used = 0;
        r.rate = std::stod(mode.substr(at + 1), &used);
        if (used != mode.size() - at - 1 || r.rate < 0 || r.rate > 1)
          throw std::invalid_argument("");
      } catch (const std::exception&) {
        throw std::invalid_argument("fault rate must be between 0 and 1: " + rule);
      }
      mode.erase(at);
    }
    r.fault = parseMode(trim(mode));
    rules_.push_back(std::move(r));
  }
}

std::optional<Fault> FaultInjector::pick(std::string_view endpoint) {
  if (!endpoint.empty() && endpoint.front() == '/') endpoint.remove_prefix(1);
  std::lock_guard lock(mutex_);
  for (const Rule& r : rules_) {
    if (r.target != "*" && r.target != endpoint) continue;
    if (r.rate >= 1.0 || std::uniform_real_distribution<double>(0.0, 1.0)(random_) < r.rate) {
      return r.fault;
    }
  }
  return std::nullopt;
}

bool FaultInjector::sleep(int seconds) {
  std::unique_lock lock(mutex_);
  return !wake_.wait_for(lock, std::chrono::seconds(seconds), [&] { return stopping_; });
}

void FaultInjector::stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
}

std::string faultBody(FaultMode mode, const std::string& realAnswer) {
  switch (mode) {
    case FaultMode::Empty:
      return {};
    case FaultMode::Truncated:
      return realAnswer.substr(0, realAnswer.size() / 2);
    case FaultMode::NotJson:
      return "<html><body><h1>Service Temporarily Unavailable</h1></body></html>";
    case FaultMode::BadUtf8:
      return "{\"data\":[{\"prodName\":\"caf\xC3\x28 \xFF\xFE\"}],\"errorMsg\":\"\xED\xA0\x80\"}";
    case FaultMode::Http500:
      return R"({"success":0,"error":true,"errorMsg":"Internal server error"})";
    case FaultMode::Huge: {
      std::string body = "{\"data\":[";
      const std::string item = "\"" + std::string(1000, 'x') + "\",";
      while (body.size() < 20u * 1024u * 1024u) body += item;
      body.back() = ']';
      return body + "}";
    }
    case FaultMode::Nested:
      return std::string(100000, '[') + std::string(100000, ']');
    case FaultMode::Delay:
    case FaultMode::Close:
      break;
  }
  return realAnswer;
}

}  // namespace kelda::server
