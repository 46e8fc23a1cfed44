#include "AnalyticsLog.hpp"

#include <sodium.h>

#include <stdexcept>

#include "FormFields.hpp"

namespace kelda::server {

AnalyticsLog::AnalyticsLog() {
  if (sodium_init() < 0) throw std::runtime_error("libsodium could not start");
  unsigned char random[16];
  randombytes_buf(random, sizeof random);
  char hex[sizeof random * 2 + 1];
  sodium_bin2hex(hex, sizeof hex, random, sizeof random);
  token_ = hex;
}

void AnalyticsLog::record(std::string query) {
  std::lock_guard lock(mutex_);
  bytes_ += query.size();
  tags_.push_back(std::move(query));
  while (tags_.size() > kMaxTags || (bytes_ > kMaxBytes && tags_.size() > 1)) {
    bytes_ -= tags_.front().size();
    tags_.pop_front();
  }
}

json::Value AnalyticsLog::answer(std::size_t page) const {
  std::vector<std::string> copy;
  std::size_t total = 0;
  {
    std::lock_guard lock(mutex_);
    total = tags_.size();
    const std::size_t first = (page - 1) * kPageSize;
    for (std::size_t i = first; i < total && i < first + kPageSize; ++i) copy.push_back(tags_[i]);
  }
  std::vector<json::Value> items;
  items.reserve(copy.size());
  for (const auto& query : copy) {
    ObjectBuilder fields;
    const FormFields parsed = FormFields::parse(query);
    for (const auto& [name, value] : parsed.all()) fields.add(name, value);
    items.push_back(ObjectBuilder().add("query", query).add("fields", fields.build()).build());
  }
  const auto count = static_cast<long long>((total + kPageSize - 1) / kPageSize);
  return ObjectBuilder()
      .add("data", json::Value::array(std::move(items)))
      .add("page", number(static_cast<long long>(page)))
      .add("pageCount", number(count))
      .add("totalCount", number(static_cast<long long>(total)))
      .build();
}

std::size_t AnalyticsLog::size() const {
  std::lock_guard lock(mutex_);
  return tags_.size();
}

bool AnalyticsLog::mayRead(std::string_view remoteAddress, std::string_view token) const {
  const bool loopback = remoteAddress.rfind("127.", 0) == 0 || remoteAddress == "::1" ||
                        remoteAddress.rfind("::ffff:127.", 0) == 0;
  // The token is compared in constant time, so its bytes cannot be found one by one.
  const bool tokenMatches = token.size() == token_.size() &&
                            sodium_memcmp(token.data(), token_.data(), token_.size()) == 0;
  return loopback || tokenMatches;
}

}  // namespace kelda::server
