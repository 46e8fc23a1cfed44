// RefinementRequests: the narrowed result requests: the first page of a list narrowed by the
// refinements chosen on the refinement screen, and its further pages. Each kind of list (category,
// search, sales, top-rated) is narrowed and paged on its own shared answer, so a list never
// receives another list's products.
//
// Each operation runs synchronously on the caller's thread (a screen's worker): it checks the
// connection (the "Network Error" alert when there is none), sends its request and stores the
// answer in TarnObjects. Only an Answered request changes the shared state.
#pragma once

#include <string>

#include "catalogue/ResultLists.hpp"
#include "gateway/RequestStatus.hpp"
#include "json/Value.hpp"

namespace kelda::catalogue {

using gateway::RequestStatus;

class RefinementRequests {
 public:
  // The first narrowed page of `list`. A category, sales or top-rated list sends its choices
  // combined with the refinements applied to the list shown (RefinementRules), widened to no
  // brand (resultType 2) and then to no brand and no price (resultType 3) while no product comes
  // back; a search list sends the choices as they are. On an answer the list's shared answer is
  // replaced and `values` holds the refinements of the request that answered (the ones its
  // further pages are asked with); otherwise both are unchanged. With no value chosen the list's
  // own un-narrowed first page is asked for, as the request that made the list asks for it.
  static RequestStatus refine(ResultList list, const std::string& categoryId, json::Value& values);
  // The page after the list's current answer, narrowed by `values`, appended to it (a category
  // form also sets resultType 1).
  static RequestStatus refinedPage(ResultList list, const std::string& pageNumber,
                                   const std::string& categoryId, const json::Value& values);

  // The same by list: the category or search list by the shared pageFlag (1 or 2), the sales
  // list, the top-rated list.
  static RequestStatus refineResultsPage(const std::string& categoryId, json::Value& values);
  static RequestStatus updateRefineResultsPage(const std::string& pageNumber,
                                               const std::string& categoryId,
                                               const json::Value& values);
  static RequestStatus refineSalesResultsPage(const std::string& categoryId, json::Value& values);
  static RequestStatus updateSalesRefineResultsPage(const std::string& pageNumber,
                                                    const std::string& categoryId,
                                                    const json::Value& values);
  static RequestStatus refineCtrResultsPage(const std::string& categoryId, json::Value& values);
  static RequestStatus updateCtrRefineResultsPage(const std::string& pageNumber,
                                                  const std::string& categoryId,
                                                  const json::Value& values);
};

}  // namespace kelda::catalogue
