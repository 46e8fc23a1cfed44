#include "AnalyticsLog.hpp"

#include "FormFields.hpp"

namespace kelda::server {
namespace {
constexpr std::size_t kLimit = 10000;
}

void AnalyticsLog::record(std::string query) {
  std::lock_guard lock(mutex_);
  tags_.push_back(std::move(query));
  if (tags_.size() > kLimit) tags_.pop_front();
}

json::Value AnalyticsLog::answer() const {
  std::deque<std::string> copy;
  {
    std::lock_guard lock(mutex_);
    copy = tags_;
  }
  std::vector<json::Value> items;
  items.reserve(copy.size());
  for (const auto& query : copy) {
    ObjectBuilder fields;
    const FormFields parsed = FormFields::parse(query);
    for (const auto& [name, value] : parsed.all()) fields.add(name, value);
    items.push_back(ObjectBuilder().add("query", query).add("fields", fields.build()).build());
  }
  return ObjectBuilder().add("data", json::Value::array(std::move(items))).build();
}

std::size_t AnalyticsLog::size() const {
  std::lock_guard lock(mutex_);
  return tags_.size();
}

}  // namespace kelda::server
