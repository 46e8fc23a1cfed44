#include "Corpora.hpp"

#include <cstdint>

#include "json/SBJson.hpp"

namespace kelda::bench {

namespace {

using json::Member;
using json::Value;

// Small deterministic generator (no dependence on the standard library's distributions).
class Random {
 public:
  std::uint32_t next() {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<std::uint32_t>(state_ >> 33);
  }
  int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }
  std::string word() {
    static const char* words[] = {"classic", "cotton",  "stretch",      "slim",    "fit",
                                  "denim",   "leather", "wool",         "blend",   "women's",
                                  "men's",   "kids'",   "V-neck",       "striped", "navy",
                                  "ivory",   "black",   "\"signature\""};
    return words[below(18)];
  }
  std::string words(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += (i ? " " : "") + word();
    return s;
  }
  std::string price() { return std::to_string(below(300)) + "." + std::to_string(10 + below(90)); }
  std::string digits(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += char('0' + below(10));
    return s;
  }

 private:
  std::uint64_t state_ = 42;
};

Value product(Random& r) {
  return Value::object({
      {"productId", r.digits(7)},
      {"productName", r.words(5)},
      {"brandName", r.words(2)},
      {"regularPrice", "$" + r.price()},
      {"salePrice", "$" + r.price()},
      {"imageURL", "http://images.kelda.example/is/image/" + r.digits(8) + "?wid=120&hei=150"},
      {"avgRating", Value::numberFromText(std::to_string(r.below(5)) + "." + r.digits(1))},
      {"reviewCount", r.below(400)},
      {"colorCount", r.below(9)},
      {"isNew", r.below(2) == 0},
      {"promoText", r.below(3) == 0 ? Value(r.words(6)) : Value(nullptr)},
  });
}

Value resultPage(Random& r) {
  std::vector<Value> data;
  for (int i = 0; i < 100; ++i) data.push_back(product(r));
  std::vector<Value> brands, prices;
  for (int i = 0; i < 30; ++i)
    brands.push_back(Value::object({{"name", r.words(2)}, {"count", r.below(90)}}));
  for (int i = 0; i < 6; ++i)
    prices.push_back(
        Value::object({{"range", "$" + r.price() + " - $" + r.price()}, {"count", r.below(90)}}));
  return Value::object({
      {"data", Value::array(std::move(data))},
      {"extra", Value::array({Value::object(
                    {{"totalCount", "1234"}, {"pageLimit", "100"}, {"pageNumber", "1"}})})},
      {"BRAND", Value::array(std::move(brands))},
      {"PRICE", Value::array(std::move(prices))},
      {"appliedRefinements", "{\"BRAND\":\"\",\"PRICE\":\"\"}"},
  });
}

Value productAnswer(Random& r) {
  std::vector<Value> reviews;
  for (int i = 0; i < 40; ++i) {
    reviews.push_back(Value::object({
        {"title", r.words(4)},
        {"text", r.words(60) + "\nRecommended: yes\t(verified buyer) \xE2\x98\x85\xE2\x98\x85"},
        {"rating", r.below(5) + 1},
        {"nickname", r.word() + r.digits(3)},
        {"location", "Springfield, IL"},
        {"submitted", "2010-0" + std::to_string(1 + r.below(9)) + "-1" + r.digits(1)},
    }));
  }
  std::vector<Member> upcMapper, availability;
  const char* sizes[] = {"XS", "S", "M", "L", "XL", "XXL"};
  const char* colours[] = {"Black",        "Navy",  "Ivory", "Red",
                           "Heather Grey", "Olive", "Pink",  "Teal"};
  for (const char* size : sizes) {
    for (const char* colour : colours) {
      std::string upc = r.digits(12);
      upcMapper.emplace_back(std::string(size) + "_" + colour + "_Regular", upc);
      availability.emplace_back(upc, r.below(4) ? "Y" : "N");
    }
  }
  Value item = product(r)
                   .with("longDescription", r.words(120) + " <ul><li>Machine wash</li></ul>")
                   .with("reviews", Value::array(std::move(reviews)));
  return Value::object({
      {"PDPFLAG", "S"},
      {"data", Value::array({item})},
      {"prod_attributes",
       Value::array({Value::object({{"SIZE", Value::array({Value("S"), Value("M"), Value("L")})},
                                    {"COLOR", Value::array({Value("Black"), Value("Navy")})}})})},
      {"UPCMapper", Value::object(std::move(upcMapper))},
      {"UPCAvailabilityChecker", Value::object(std::move(availability))},
  });
}

Value address(Random& r) {
  return Value::object({{"firstName", r.word()},
                        {"lastName", r.word()},
                        {"address1", r.digits(3) + " Main Street"},
                        {"address2", ""},
                        {"city", "Springfield"},
                        {"state", "IL"},
                        {"zipCode", r.digits(5)},
                        {"phone", r.digits(10)},
                        {"addressId", r.digits(9)}});
}

Value accountAnswer(Random& r) {
  std::vector<Value> shipping, cards;
  for (int i = 0; i < 5; ++i) shipping.push_back(address(r));
  for (int i = 0; i < 3; ++i) {
    cards.push_back(Value::object({{"cardType", "VISA"},
                                   {"cardNumber", "************" + r.digits(4)},
                                   {"expMonth", "0" + std::to_string(1 + r.below(9))},
                                   {"expYear", "2013"},
                                   {"cardId", r.digits(9)},
                                   {"billingAddress", address(r)}}));
  }
  return Value::object({
      {"status", Value::array({Value::object({{"success", "AUTHENTICATED"}, {"error", ""}})})},
      {"profile", Value::array({Value::object({{"firstName", "Pat"},
                                               {"lastName", "Lee"},
                                               {"email", "pat@example.com"},
                                               {"birthMonth", "05"},
                                               {"birthDay", "17"},
                                               {"gender", "F"}})})},
      {"shipping", Value::array(shipping)},
      {"defaultShipping", Value::array({shipping[0]})},
      {"creditCard", Value::array(cards)},
      {"defaultCreditCard", Value::array({cards[0]})},
  });
}

Value catalogue(Random& r) {
  std::vector<Value> categories;
  // Products write to about 316 bytes each; aim a little over 5.5 MB.
  constexpr std::size_t kTarget = (11u << 20) / 2;
  std::size_t approx = 0;
  for (int c = 0; approx < kTarget; ++c) {
    std::vector<Value> products;
    for (int i = 0; i < 50; ++i) products.push_back(product(r));
    categories.push_back(Value::object({{"categoryId", 1000 + c},
                                        {"name", r.words(3)},
                                        {"products", Value::array(std::move(products))}}));
    approx += 50 * 300;
  }
  return Value::object(
      {{"catalogue", Value::array(std::move(categories))}, {"version", "2010.11"}});
}

}  // namespace

std::vector<Corpus> makeCorpora() {
  Random r;
  std::vector<Corpus> out;
  auto add = [&](const char* name, const Value& v) {
    out.push_back({name, json::JSONRepresentation(v).value_or("")});
  };
  add("results", resultPage(r));
  add("product", productAnswer(r));
  add("account", accountAnswer(r));
  add("catalogue", catalogue(r));
  return out;
}

}  // namespace kelda::bench
