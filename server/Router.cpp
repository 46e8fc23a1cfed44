#include "Router.hpp"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <filesystem>
#include <iostream>

#include "Text.hpp"

namespace kelda::server {
namespace {

Reply jsonReply(const json::Value& value, int status = 200) {
  return {status, "application/json; charset=utf-8", encode(value)};
}

Reply errorReply(int status, const std::string& message) {
  return jsonReply(
      ObjectBuilder().add("success", number(0)).add("error", true).add("errorMsg", message).build(),
      status);
}

int portOf(const sockaddr_storage& address) {
  if (address.ss_family == AF_INET)
    return ntohs(reinterpret_cast<const sockaddr_in&>(address).sin_port);
  if (address.ss_family == AF_INET6)
    return ntohs(reinterpret_cast<const sockaddr_in6&>(address).sin6_port);
  return -1;
}

std::string queryOf(const httplib::Request& request) {
  const auto mark = request.target.find('?');
  return mark == std::string::npos ? std::string() : request.target.substr(mark + 1);
}

}  // namespace

std::string baseUrlOf(const httplib::Request& request) {
  const std::string host = request.get_header_value("Host");
  bool plausible = !host.empty() && host.size() < 256;
  for (char c : host) {
    plausible = plausible && (std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == ':' ||
                              c == '-' || c == '[' || c == ']');
  }
  if (plausible) return "http://" + host;
  return "http://" + (request.local_addr.empty() ? std::string("127.0.0.1") : request.local_addr) +
         ":" + std::to_string(request.local_port);
}

void dropConnection(const httplib::Request& request) {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", ec)) {
    const std::string name = entry.path().filename().string();
    if (!allDigits(name)) continue;
    const int fd = std::stoi(name);
    sockaddr_storage local{}, peer{};
    socklen_t localLength = sizeof local, peerLength = sizeof peer;
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&local), &localLength) != 0) continue;
    if (getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &peerLength) != 0) continue;
    if (portOf(local) == request.local_port && portOf(peer) == request.remote_port) {
      shutdown(fd, SHUT_RDWR);
      return;
    }
  }
}

Router::Router(ServerState& state, FaultInjector& faults, RequestRecorder* recorder, LogLevel level)
    : state_(state),
      faults_(faults),
      recorder_(recorder),
      level_(level),
      catalogue_(state),
      results_(state),
      product_(state),
      stores_(state),
      accounts_(state),
      orders_(state),
      site_(state) {}

void Router::serve(const httplib::Request& request, httplib::Response& response,
                   const std::string& body, const Producer& producer) {
  if (recorder_) recorder_->record(request.method, request.path, queryOf(request), body);
  if (level_ >= LogLevel::Debug) std::cerr << request.method << ' ' << request.target << '\n';
  const auto fault = faults_.pick(request.path);
  if (fault && fault->mode == FaultMode::Close) {
    dropConnection(request);
    response.set_header("Connection", "close");
    return;
  }
  if (fault && fault->mode == FaultMode::Delay && !faults_.sleep(fault->seconds)) {
    response.status = 503;
    response.set_content(
        encode(
            ObjectBuilder().add("error", true).add("errorMsg", "The server is stopping.").build()),
        "application/json; charset=utf-8");
    return;
  }
  Reply reply;
  try {
    Call call{request, FormFields::parse(body), FormFields::parse(queryOf(request)),
              baseUrlOf(request)};
    reply = producer(call);
  } catch (const std::exception& e) {
    if (level_ >= LogLevel::Error)
      std::cerr << "error in " << request.path << ": " << e.what() << '\n';
    reply = errorReply(500, "We are sorry, something went wrong on our side. Please try again.");
  }
  if (fault && fault->mode != FaultMode::Delay) {
    reply.body = faultBody(fault->mode, reply.body);
    reply.contentType = fault->mode == FaultMode::NotJson ? "text/html; charset=utf-8"
                                                          : "application/json; charset=utf-8";
    if (fault->mode == FaultMode::Http500) reply.status = 500;
  }
  response.status = reply.status;
  response.set_content(reply.body, reply.contentType.c_str());
}

void Router::post(httplib::Server& server, const std::string& path, JsonProducer producer) {
  Producer wrapped = [producer = std::move(producer)](const Call& call) {
    return jsonReply(producer(call));
  };
  server.Post(path, [this, wrapped](const httplib::Request& request, httplib::Response& response,
                                    const httplib::ContentReader& reader) {
    std::string body;
    bool tooLarge = false;
    const bool complete = reader([&](const char* data, std::size_t length) {
      if (body.size() + length > kMaxBodyBytes) {
        tooLarge = true;
        return false;
      }
      body.append(data, length);
      return true;
    });
    if (tooLarge || response.status == 413 || (!complete && body.size() >= kMaxBodyBytes)) {
      if (recorder_) recorder_->record(request.method, request.path, queryOf(request), "");
      const Reply reply = errorReply(413, "The request is larger than 1 MB.");
      response.status = 413;
      response.set_header("Connection", "close");
      response.set_content(reply.body, reply.contentType.c_str());
      return;
    }
    serve(request, response, body, wrapped);
  });
  // The same endpoint by GET (with its fields in the query) serves tools and browsers.
  get(server, path, [wrapped](const Call& call) {
    Call byQuery{call.request, call.query, call.query, call.baseUrl};
    return wrapped(byQuery);
  });
}

void Router::get(httplib::Server& server, const std::string& pattern, Producer producer) {
  server.Get(pattern, [this, producer = std::move(producer)](const httplib::Request& request,
                                                             httplib::Response& response) {
    serve(request, response, "", producer);
  });
}

void Router::install(httplib::Server& server) {
  server.set_payload_max_length(kMaxBodyBytes);
  // Catalogue and results.
  get(server, "/category_ctr",
      [this](const Call&) { return jsonReply(catalogue_.topRatedDepartments()); });
  post(server, "/category_ctr", [this](const Call& c) {
    return c.form.has("parentCategoryId") ? catalogue_.topRatedSubcategories(c.form)
                                          : catalogue_.topRatedDepartments();
  });
  post(server, "/category", [this](const Call& c) { return catalogue_.category(c.form); });
  post(server, "/category_sale", [this](const Call& c) { return catalogue_.categorySale(c.form); });
  post(server, "/get_promo", [this](const Call&) { return catalogue_.promotions(); });
  post(server, "/results", [this](const Call& c) { return results_.results(c.form, c.baseUrl); });
  post(server, "/results_search",
       [this](const Call& c) { return results_.search(c.form, c.baseUrl); });
  post(server, "/product", [this](const Call& c) { return product_.product(c.form, c.baseUrl); });
  // Stores.
  post(server, "/findinstore", [this](const Call& c) { return stores_.findInStore(c.form); });
  post(server, "/store_locator", [this](const Call& c) { return stores_.locate(c.form); });
  post(server, "/instore_savingspass",
       [this](const Call& c) { return stores_.savingsPass(c.form, c.baseUrl); });
  post(server, "/store_events", [this](const Call& c) { return stores_.events(c.form); });
  // Bag and orders.
  post(server, "/keldas_viewbag",
       [this](const Call& c) { return orders_.viewBag(c.form, c.request.remote_addr); });
  post(server, "/keldas_prepareorder",
       [this](const Call& c) { return orders_.prepareOrder(c.form, c.request.remote_addr); });
  post(server, "/keldas_processorder",
       [this](const Call& c) { return orders_.processOrder(c.form, c.request.remote_addr); });
  post(server, "/keldas_creditcardtype", [this](const Call&) { return orders_.cardTypes(); });
  // Accounts.
  post(server, "/signin",
       [this](const Call& c) { return accounts_.signIn(c.form, c.request.remote_addr); });
  post(server, "/register", [this](const Call& c) { return accounts_.registration(c.form); });
  post(server, "/forgot_password",
       [this](const Call& c) { return accounts_.forgotPassword(c.form); });
  post(server, "/edit_profile",
       [this](const Call& c) { return accounts_.editProfile(c.form, c.request.remote_addr); });
  post(server, "/edit_wallet",
       [this](const Call& c) { return accounts_.editWallet(c.form, c.request.remote_addr); });
  post(server, "/edit_primary_wallet",
       [this](const Call& c) { return accounts_.markPrimaryCard(c.form, c.request.remote_addr); });
  post(server, "/delete_wallet",
       [this](const Call& c) { return accounts_.deleteCard(c.form, c.request.remote_addr); });
  post(server, "/edit_shipping",
       [this](const Call& c) { return accounts_.editShipping(c.form, c.request.remote_addr); });
  post(server, "/edit_primary_shipping", [this](const Call& c) {
    return accounts_.markPrimaryShipping(c.form, c.request.remote_addr);
  });
  post(server, "/delete_shipping",
       [this](const Call& c) { return accounts_.deleteShipping(c.form, c.request.remote_addr); });
  // Analytics: the base address and the sink.
  post(server, "/coremetrics_url",
       [this](const Call& c) { return site_.coremetricsUrl(c.baseUrl); });
  auto tag = [this](const Call& c) {
    state_.analytics.record(queryOf(c.request));
    return jsonReply(ObjectBuilder().add("success", number(1)).build());
  };
  get(server, "/analytics/tag", tag);
  server.Post("/analytics/tag",
              [this, tag](const httplib::Request& request, httplib::Response& response) {
                serve(request, response, request.body.substr(0, kMaxBodyBytes), tag);
              });
  // The log holds shoppers' e-mail addresses: loopback callers or the token only.
  get(server, "/analytics/log", [this](const Call& c) {
    if (!state_.analytics.mayRead(c.request.remote_addr, c.query.get("token"))) {
      return errorReply(403,
                        "The analytics log is served on the loopback interface only, or "
                        "with the token printed at start.");
    }
    const auto page = pageNumberOf(c.query, "page", 1000000);
    if (!page) return errorReply(400, "There is no such page of the analytics log.");
    return jsonReply(state_.analytics.answer(static_cast<std::size_t>(*page)));
  });
  // Geocoder, pages, pictures and documents.
  get(server, "/maps/geo", [this](const Call& c) {
    return Reply{200, "application/vnd.google-earth.kml+xml; charset=utf-8",
                 stores_.geocode(c.query)};
  });
  auto page = [this](const Call& c) {
    auto html = site_.page(c.request.path);
    return html ? Reply{200, "text/html; charset=utf-8", *html}
                : Reply{404, "text/html; charset=utf-8",
                        "<!DOCTYPE html>\n<html><body><h1>Page not found</h1></body></html>\n"};
  };
  get(server, R"(/service/.*)", page);
  get(server, R"(/bag/checkout/.*)", page);
  get(server, R"(/images/product/(\d{1,15})\.png)", [this](const Call& c) {
    auto png = site_.productImage(std::stoll(c.request.matches[1]), c.query);
    return png ? Reply{200, "image/png", *png} : errorReply(404, "No such picture.");
  });
  get(server, R"(/images/pass/([A-Za-z]{1,20})\.png)", [this](const Call& c) {
    auto png = site_.passImage(c.request.matches[1]);
    return png ? Reply{200, "image/png", *png} : errorReply(404, "No such picture.");
  });
  get(server, R"(/pdf/pass/([A-Za-z]{1,20})\.pdf)", [this](const Call& c) {
    auto pdf = site_.passDocument(c.request.matches[1]);
    return pdf ? Reply{200, "application/pdf", *pdf} : errorReply(404, "No such document.");
  });
  server.set_error_handler([](const httplib::Request&, httplib::Response& response) {
    if (!response.body.empty()) return;
    const Reply reply =
        errorReply(response.status, response.status == 413 ? "The request is larger than 1 MB."
                                                           : "There is no such endpoint.");
    response.set_content(reply.body, reply.contentType.c_str());
  });
}

}  // namespace kelda::server
