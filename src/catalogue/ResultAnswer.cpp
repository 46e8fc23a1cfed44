#include "catalogue/ResultAnswer.hpp"

namespace kelda::catalogue {

json::Value products(const json::Value& answer) {
  json::Value data = answer["data"];
  return data.isArray() ? data : json::Value::array();
}

std::size_t productCount(const json::Value& answer) {
  json::Value data = answer["data"];
  return data.isArray() ? data.size() : 0;
}

json::Value pagingFacts(const json::Value& answer) {
  json::Value extra = answer["extra"];
  return extra.isArray() ? extra[std::size_t{0}] : json::Value();
}

std::optional<PagingFooter> pagingFooter(const json::Value& answer) {
  json::Value facts = pagingFacts(answer);
  long long total = facts["totalCount"].intValue();
  if (static_cast<long long>(productCount(answer)) == total) return std::nullopt;
  return PagingFooter{facts["totalCount"].describe() + " Results Found",
                      "load " + facts["pageLimit"].describe() + " More"};
}

json::Value mergeResultsPage(const json::Value& current, const json::Value& page) {
  if (!page.isObject()) return current;
  // Shares the loaded products rather than copying them, so a page costs the same at any depth.
  return page.with("data", json::Value::concatenated(products(current), products(page)));
}

}  // namespace kelda::catalogue
