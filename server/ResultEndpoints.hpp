// ResultEndpoints: the paged product lists: `results` (a category, sale list or top-rated list)
// and `results_search` (a phrase over the full-text index). Both page by "pageNumber" (1 when
// absent; the answer's "extra" names the page to ask for next), narrow by the "refinements"
// JSON object, and offer the refinements of what they found. Any request thread.
#pragma once

#include <string>

#include "Database.hpp"
#include "FormFields.hpp"
#include "Json.hpp"
#include "Refinements.hpp"
#include "ServerState.hpp"

namespace kelda::server {

inline constexpr long long kPageLimit = 20;
// Far beyond the last page of the largest catalogue; larger page numbers are refused.
inline constexpr long long kMaxResultPage = 1000000;

class ResultEndpoints {
 public:
  explicit ResultEndpoints(ServerState& state) : state_(state) {}

  json::Value results(const FormFields& form, const std::string& baseUrl);
  json::Value search(const FormFields& form, const std::string& baseUrl);

  // The full-text query for a phrase: each word quoted, all required; empty when no word.
  static std::string searchQuery(std::string_view phrase);

 private:
  CandidateList categoryCandidates(Database& db, long long id);
  CandidateList searchCandidates(Database& db, const std::string& query);
  json::Value answer(Database& db, const CandidateList& candidates, const FormFields& form,
                     long long departmentId, const std::string& baseUrl);

  ServerState& state_;
};

// The list row of one product: the keys the result lists read (from the cache when given).
json::Value productRow(Database& db, long long productId, const std::string& baseUrl,
                       ProductRowCache* cache = nullptr);
// The envelope of a list that found nothing, with a message.
json::Value emptyResults(std::string message);

}  // namespace kelda::server
