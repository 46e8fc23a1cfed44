#include "AccountEndpoints.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <regex>

#include "ReferenceData.hpp"
#include "Text.hpp"

namespace kelda::server {
namespace {

constexpr std::array<std::string_view, 12> kMonthNames{"Jan",  "Feb", "Mar", "Apr", "May", "June",
                                                       "July", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool validEmail(const std::string& email) {
  static const std::regex pattern(R"([A-Za-z0-9._%+\-]+@[A-Za-z0-9.\-]+\.[A-Za-z]{2,})");
  return email.size() <= 254 && std::regex_match(email, pattern);
}

bool validState(const std::string& code) {
  for (const auto& s : reference::states()) {
    if (s.code == code) return true;
  }
  return false;
}

bool validZip(const std::string& zip) {
  return zip.size() == 5 && allDigits(zip);
}

json::Value contactRecord(const Statement& st) {
  return ObjectBuilder()
      .add("contactId", std::to_string(st.integer(0)))
      .add("firstName", st.text(1))
      .add("lastName", st.text(2))
      .add("address1", st.text(3))
      .add("address2", st.text(4))
      .add("city", st.text(5))
      .add("state", st.text(6))
      .add("zipcode", st.text(7))
      .add("phone", st.text(8))
      .build();
}

json::Value cardRecord(const Statement& st) {
  return ObjectBuilder()
      .add("cardId", std::to_string(st.integer(0)))
      .add("cardType", st.text(1))
      .add("cardNumber", st.text(2))
      .add("cardExpirationDate", st.text(3))
      .add("billingContactId", std::to_string(st.integer(4)))
      .add("billingFirstName", st.text(5))
      .add("billingLastName", st.text(6))
      .add("billingAddress1", st.text(7))
      .add("billingAddress2", st.text(8))
      .add("billingCity", st.text(9))
      .add("billingState", st.text(10))
      .add("billingZipcode", st.text(11))
      .add("billingPhone", st.text(12))
      .add("billingEmailAddress", st.text(13))
      .build();
}

// "Mar 01, 2012" or "Mar, 2012" -> "Mar, 2012"; nothing when the month or year is not there.
std::optional<std::string> expiration(const std::string& text) {
  const std::string t = trim(text);
  for (auto month : kMonthNames) {
    if (t.rfind(month, 0) != 0) continue;
    const auto comma = t.rfind(',');
    if (comma == std::string::npos) return std::nullopt;
    const std::string year = trim(t.substr(comma + 1));
    if (year.size() != 4 || !allDigits(year)) return std::nullopt;
    return std::string(month) + ", " + year;
  }
  return std::nullopt;
}

bool luhn(const std::string& number) {
  int sum = 0;
  bool twice = false;
  for (auto it = number.rbegin(); it != number.rend(); ++it) {
    int d = *it - '0';
    if (twice && (d *= 2) > 9) d -= 9;
    sum += d;
    twice = !twice;
  }
  return sum % 10 == 0;
}

// The contact fields of an address form; the error text when one is missing or malformed.
std::string addressProblem(const FormFields& form, const char* prefix = "") {
  const std::string p(prefix);
  auto field = [&](const char* name) {
    return form.trimmed(p.empty() ? name : p + char(std::toupper(name[0])) + (name + 1));
  };
  if (field("firstName").empty() || field("lastName").empty())
    return "Please enter a first and last name.";
  if (field("address1").empty()) return "Please enter an address.";
  if (field("city").empty()) return "Please enter a city.";
  if (!validState(field("state"))) return "Please choose a state.";
  if (!validZip(field("zipcode"))) return "Please enter a valid ZIP code.";
  return {};
}

constexpr const char* kEmailTaken = "An account with this e-mail address already exists.";

// True when another account than `except` is known by this e-mail address (any letter case).
// Decisive only inside a write transaction, where no other request can take the address
// between this check and the write.
bool emailTaken(Database& db, const std::string& email, long long except) {
  return db.prepare("SELECT 1 FROM accounts WHERE email = ? AND id <> ?")
      .bind(1, email)
      .bind(2, except)
      .step();
}

// What is wrong with the profile half of a registration form ("" when nothing). The e-mail
// address is checked again under the write lock before the account is stored.
std::string registrationProblem(Database& db, const FormFields& form) {
  const std::string email = form.trimmed("emailAddress");
  const std::string password = form.get("password");
  if (form.trimmed("firstName").empty() || form.trimmed("lastName").empty()) {
    return "Please enter your first and last name.";
  }
  if (!validEmail(email)) return "Please enter a valid e-mail address.";
  if (password.size() < 5 || password.size() > 16) {
    return "Your password must be 5 to 16 characters long.";
  }
  if (password != form.get("verifyPassword")) return "The passwords you entered do not match.";
  if (emailTaken(db, email, 0)) return kEmailTaken;
  return {};
}

void setDefaults(Database& db, long long account) {
  // A default that no longer exists falls to the first remaining entry (or none).
  db.prepare(
        "UPDATE accounts SET default_contact_id = COALESCE((SELECT id FROM contacts WHERE "
        "account_id = ?1 AND id = accounts.default_contact_id), (SELECT MIN(id) FROM contacts "
        "WHERE account_id = ?1), 0), default_card_id = COALESCE((SELECT id FROM cards WHERE "
        "account_id = ?1 AND id = accounts.default_card_id), (SELECT MIN(id) FROM cards WHERE "
        "account_id = ?1), 0) WHERE id = ?1")
      .bind(1, account)
      .run();
}

}  // namespace

Authentication authenticateAccount(Database& db, ServerState& state, const std::string& email,
                                   const std::string& password, const std::string& client) {
  if (email.empty() || password.empty()) return {};
  if (!state.signIns.allowed(email, client)) return {std::nullopt, true};
  auto& st = db.prepare("SELECT id, password_hash FROM accounts WHERE email = ?");
  const bool known = st.bind(1, trim(email)).step();
  const long long id = known ? st.integer(0) : 0;
  const std::string hash = known ? st.text(1) : std::string();
  st.reset();  // no read snapshot held through the slow check (it would hold up checkpoints)
  if (!known || !state.hasher.verify(password, hash)) {
    state.signIns.failed(email, client);
    return {};
  }
  state.signIns.succeeded(email);
  return {id, false};
}

json::Value accountAnswer(Database& db, std::optional<long long> account,
                          const std::string& success, const std::string& error) {
  std::vector<json::Value> profile, shipping, defaultShipping, cards, defaultCard;
  if (account) {
    auto& a = db.prepare(
        "SELECT id, first_name, last_name, email, address1, address2, zipcode, city, state, "
        "birth_date, gender, subscription, default_contact_id, default_card_id FROM accounts "
        "WHERE id = ?");
    if (a.bind(1, *account).step()) {
      const long long defaultContact = a.integer(12), defaultCardId = a.integer(13);
      profile.push_back(ObjectBuilder()
                            .add("userId", std::to_string(a.integer(0)))
                            .add("firstName", a.text(1))
                            .add("lastName", a.text(2))
                            .add("emailAddress", a.text(3))
                            .add("address1", a.text(4))
                            .add("address2", a.text(5))
                            .add("zipcode", a.text(6))
                            .add("city", a.text(7))
                            .add("state", a.text(8))
                            .add("dateOfBirth", a.text(9))
                            .add("gender", a.text(10))
                            .add("subscriptionFlag", std::to_string(a.integer(11)))
                            .build());
      auto& c = db.prepare(
          "SELECT id, first_name, last_name, address1, address2, city, state, zipcode, phone "
          "FROM contacts WHERE account_id = ? ORDER BY id");
      for (c.bind(1, *account); c.step();) {
        shipping.push_back(contactRecord(c));
        if (c.integer(0) == defaultContact) defaultShipping.push_back(shipping.back());
      }
      auto& k = db.prepare(
          "SELECT id, card_type, card_number, expiration, billing_contact_id, first_name, "
          "last_name, address1, address2, city, state, zipcode, phone, email FROM cards "
          "WHERE account_id = ? ORDER BY id");
      for (k.bind(1, *account); k.step();) {
        cards.push_back(cardRecord(k));
        if (k.integer(0) == defaultCardId) defaultCard.push_back(cards.back());
      }
    }
  }
  return ObjectBuilder()
      .add("status", json::Value::array(
                         {ObjectBuilder().add("success", success).add("error", error).build()}))
      .add("profile", json::Value::array(std::move(profile)))
      .add("shipping", json::Value::array(std::move(shipping)))
      .add("defaultShipping", json::Value::array(std::move(defaultShipping)))
      .add("creditCard", json::Value::array(std::move(cards)))
      .add("defaultCreditCard", json::Value::array(std::move(defaultCard)))
      .build();
}

Authentication AccountEndpoints::authenticate(Database& db, const FormFields& form,
                                              const std::string& client) {
  return authenticateAccount(db, state_, form.get("loginUserName"), form.get("loginPassword"),
                             client);
}

json::Value AccountEndpoints::signIn(const FormFields& form, const std::string& client) {
  auto db = state_.pool.acquire();
  const auto account = authenticate(*db, form, client);
  if (!account) {
    return accountAnswer(
        *db, std::nullopt, "",
        account.refusal(
            "The e-mail address or password you entered is incorrect. Please try again."));
  }
  return accountAnswer(*db, account.account, kAuthenticated, "");
}

json::Value AccountEndpoints::registration(const FormFields& form) {
  auto db = state_.pool.acquire();
  const std::string profileError = registrationProblem(*db, form);
  std::string addressError;
  if (form.trimmed("address1").empty()) {
    addressError = "Please enter an address.";
  } else if (form.trimmed("city").empty()) {
    addressError = "Please enter a city.";
  } else if (!validState(form.trimmed("state"))) {
    addressError = "Please choose a state.";
  } else if (!validZip(form.trimmed("zipcode"))) {
    addressError = "Please enter a valid ZIP code.";
  }
  const std::string email = form.trimmed("emailAddress");
  const std::string password = form.get("password");

  auto flags = [&](bool profileOk, bool addressOk) {
    return ObjectBuilder()
        .add("profileFlag", profileOk ? "1" : "0")
        .add("shippingContactFlag", addressOk ? "1" : "0")
        .build();
  };
  if (!profileError.empty() || !addressError.empty()) {
    return accountAnswer(*db, std::nullopt, "", profileError.empty() ? addressError : profileError)
        .with("validateFlag", flags(profileError.empty(), addressError.empty()));
  }
  db->resetStatements();  // as above: no snapshot held while hashing
  const std::string hash = state_.hasher.hash(password);
  Transaction tx(*db, true);
  if (emailTaken(*db, email, 0)) {
    return accountAnswer(*db, std::nullopt, "", kEmailTaken)
        .with("validateFlag", flags(false, true));
  }
  db->prepare(
        "INSERT INTO accounts(email, password_hash, first_name, last_name, address1, address2, "
        "city, state, zipcode, phone, birth_date, gender, subscription) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
      .bind(1, email)
      .bind(2, hash)
      .bind(3, form.trimmed("firstName"))
      .bind(4, form.trimmed("lastName"))
      .bind(5, form.trimmed("address1"))
      .bind(6, form.trimmed("address2"))
      .bind(7, form.trimmed("city"))
      .bind(8, form.trimmed("state"))
      .bind(9, form.trimmed("zipcode"))
      .bind(10, form.trimmed("phone"))
      .bind(11, form.trimmed("dateOfBirth"))
      .bind(12, form.trimmed("gender") == "F" ? "F" : "M")
      .bind(13, form.trimmed("subscriptionFlag") == "1" ? 1 : 0)
      .run();
  const long long account = db->lastInsertId();
  db->prepare(
        "INSERT INTO contacts(account_id, first_name, last_name, address1, address2, city, state, "
        "zipcode, phone) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)")
      .bind(1, account)
      .bind(2, form.trimmed("firstName"))
      .bind(3, form.trimmed("lastName"))
      .bind(4, form.trimmed("address1"))
      .bind(5, form.trimmed("address2"))
      .bind(6, form.trimmed("city"))
      .bind(7, form.trimmed("state"))
      .bind(8, form.trimmed("zipcode"))
      .bind(9, form.trimmed("phone"))
      .run();
  setDefaults(*db, account);
  tx.commit();
  return accountAnswer(*db, account, kAuthenticated, "").with("validateFlag", flags(true, true));
}

json::Value AccountEndpoints::forgotPassword(const FormFields& form) {
  auto db = state_.pool.acquire();
  const bool known = db->prepare("SELECT 1 FROM accounts WHERE email = ?")
                         .bind(1, form.trimmed("emailPassword"))
                         .step();
  json::Value entry =
      known ? ObjectBuilder().add("success", number(1)).add("error", "").build()
            : ObjectBuilder()
                  .add("success", number(0))
                  .add("error", "We couldn't find an account for that e-mail address.")
                  .build();
  return ObjectBuilder().add("data", json::Value::array({entry})).build();
}

json::Value AccountEndpoints::editProfile(const FormFields& form, const std::string& client) {
  auto db = state_.pool.acquire();
  // The account is named by userId and its current e-mail address. The client sends its
  // stored (current) password last as loginPassword, so that "password" may be a new one; a
  // form without it must carry the current password as "password".
  const std::string current =
      form.has("loginPassword") ? form.get("loginPassword") : form.get("password");
  const auto login = authenticateAccount(*db, state_, form.get("emailAddress"), current, client);
  if (!login || std::to_string(*login) != form.trimmed("userId")) {
    return accountAnswer(
        *db, std::nullopt, "",
        login.refusal("Please enter your current password to change your profile."));
  }
  const std::optional<long long> account = login.account;
  const std::string email = form.trimmed("updatedEmailAddress").empty()
                                ? form.trimmed("emailAddress")
                                : form.trimmed("updatedEmailAddress");
  std::string error;
  if (form.trimmed("firstName").empty() || form.trimmed("lastName").empty())
    error = "Please enter your first and last name.";
  else if (!validEmail(email))
    error = "Please enter a valid e-mail address.";
  else if (form.get("password") != form.get("verifyPassword"))
    error = "The passwords you entered do not match.";
  else if (form.get("password").size() < 5 || form.get("password").size() > 16)
    error = "Your password must be 5 to 16 characters long.";
  else if (!form.trimmed("zipcode").empty() && !validZip(form.trimmed("zipcode")))
    error = "Please enter a valid ZIP code.";
  if (!error.empty()) return accountAnswer(*db, account, "", error);
  const bool newPassword = form.get("password") != current;
  db->resetStatements();  // no snapshot held while hashing
  const std::string hash = newPassword ? state_.hasher.hash(form.get("password")) : "";
  Transaction tx(*db, true);
  if (emailTaken(*db, email, *account)) return accountAnswer(*db, account, "", kEmailTaken);
  if (newPassword) {
    db->prepare("UPDATE accounts SET password_hash = ? WHERE id = ?")
        .bind(1, hash)
        .bind(2, *account)
        .run();
  }
  const std::string gender = form.trimmed("gender");
  db->prepare(
        "UPDATE accounts SET email = ?, first_name = ?, last_name = ?, address1 = ?, address2 = ?, "
        "zipcode = ?, birth_date = ?, gender = ?, subscription = ? WHERE id = ?")
      .bind(1, email)
      .bind(2, form.trimmed("firstName"))
      .bind(3, form.trimmed("lastName"))
      .bind(4, form.trimmed("address1"))
      .bind(5, form.trimmed("address2"))
      .bind(6, form.trimmed("zipcode"))
      .bind(7, form.trimmed("dateOfBirth"))
      .bind(8, gender == "F" || gender == "M" ? gender : "M")
      .bind(9, form.trimmed("subscriptionFlag") == "1" ? 1 : 0)
      .bind(10, *account)
      .run();
  tx.commit();
  return accountAnswer(*db, account, kAuthenticated, "");
}

json::Value AccountEndpoints::editWallet(const FormFields& form, const std::string& client) {
  auto db = state_.pool.acquire();
  const auto login = authenticate(*db, form, client);
  if (!login) return accountAnswer(*db, std::nullopt, "", login.refusal("Please sign in again."));
  const std::optional<long long> account = login.account;
  const std::string type = form.trimmed("cardType");
  std::string number = form.trimmed("cardNumber");
  const auto cardId = parseId(form.get("cardId"));
  auto& typeRow = db->prepare("SELECT max_length FROM card_types WHERE code = ?");
  std::string error;
  if (cardId && !db->prepare("SELECT 1 FROM cards WHERE id = ? AND account_id = ?")
                     .bind(1, *cardId)
                     .bind(2, *account)
                     .step()) {
    error = "We couldn't find that card.";
  } else if (!typeRow.bind(1, type).step()) {
    error = "Please choose a card type.";
  } else {
    const auto lengths = split(typeRow.text(0), ',');
    const bool lengthOk =
        std::find(lengths.begin(), lengths.end(), std::to_string(number.size())) != lengths.end();
    if (!allDigits(number) || !lengthOk || !luhn(number))
      error = "Please enter a valid card number.";
    else if (!expiration(form.get("cardExpirationDate")))
      error = "Please choose an expiration date.";
  }
  if (error.empty()) {
    error = addressProblem(form, "billing");
  }
  if (!error.empty()) return accountAnswer(*db, account, "", error);
  Transaction tx(*db, true);
  auto& st = db->prepare(
      cardId ? "UPDATE cards SET card_type = ?, card_number = ?, expiration = ?, first_name = ?, "
               "last_name = ?, "
               "address1 = ?, address2 = ?, city = ?, state = ?, zipcode = ?, phone = ?, email = ? "
               "WHERE id = ?14 AND account_id = ?13"
             : "INSERT INTO cards(card_type, card_number, expiration, first_name, last_name, "
               "address1, "
               "address2, city, state, zipcode, phone, email, account_id, billing_contact_id) "
               "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?13, 0)");
  st.bind(1, type)
      .bind(2, number)
      .bind(3, *expiration(form.get("cardExpirationDate")))
      .bind(4, form.trimmed("billingFirstName"))
      .bind(5, form.trimmed("billingLastName"))
      .bind(6, form.trimmed("billingAddress1"))
      .bind(7, form.trimmed("billingAddress2"))
      .bind(8, form.trimmed("billingCity"))
      .bind(9, form.trimmed("billingState"))
      .bind(10, form.trimmed("billingZipcode"))
      .bind(11, form.trimmed("billingPhone"))
      .bind(12, form.trimmed("billingEmailAddress"))
      .bind(13, *account);
  if (cardId) st.bind(14, *cardId);
  st.run();
  if (!cardId) {
    // A billing address has a contact id of its own, derived from its card.
    const long long id = db->lastInsertId();
    db->prepare("UPDATE cards SET billing_contact_id = ? WHERE id = ?")
        .bind(1, 800000 + id)
        .bind(2, id)
        .run();
  }
  setDefaults(*db, *account);
  tx.commit();
  return accountAnswer(*db, account, kAuthenticated, "");
}

json::Value AccountEndpoints::markPrimaryCard(const FormFields& form, const std::string& client) {
  auto db = state_.pool.acquire();
  const auto login = authenticate(*db, form, client);
  if (!login) return accountAnswer(*db, std::nullopt, "", login.refusal("Please sign in again."));
  const std::optional<long long> account = login.account;
  const auto card = parseId(form.get("cardId"));
  if (!card || !db->prepare("SELECT 1 FROM cards WHERE id = ? AND account_id = ?")
                    .bind(1, *card)
                    .bind(2, *account)
                    .step()) {
    return accountAnswer(*db, account, "", "We couldn't find that card.");
  }
  Transaction tx(*db, true);
  db->prepare("UPDATE accounts SET default_card_id = ? WHERE id = ?")
      .bind(1, *card)
      .bind(2, *account)
      .run();
  tx.commit();
  return accountAnswer(*db, account, kAuthenticated, "");
}

json::Value AccountEndpoints::deleteCard(const FormFields& form, const std::string& client) {
  auto db = state_.pool.acquire();
  const auto login = authenticate(*db, form, client);
  if (!login) return accountAnswer(*db, std::nullopt, "", login.refusal("Please sign in again."));
  const std::optional<long long> account = login.account;
  const auto card = parseId(form.get("cardId"));
  Transaction tx(*db, true);
  db->prepare("DELETE FROM cards WHERE id = ? AND account_id = ?")
      .bind(1, card.value_or(0))
      .bind(2, *account)
      .run();
  if (db->changes() == 0) return accountAnswer(*db, account, "", "We couldn't find that card.");
  setDefaults(*db, *account);
  tx.commit();
  return accountAnswer(*db, account, kAuthenticated, "");
}

json::Value AccountEndpoints::editShipping(const FormFields& form, const std::string& client) {
  auto db = state_.pool.acquire();
  const auto login = authenticate(*db, form, client);
  if (!login) return accountAnswer(*db, std::nullopt, "", login.refusal("Please sign in again."));
  const std::optional<long long> account = login.account;
  const auto contact = parseId(form.get("contactId"));
  std::string error = addressProblem(form);
  if (error.empty() && contact &&
      !db->prepare("SELECT 1 FROM contacts WHERE id = ? AND account_id = ?")
           .bind(1, *contact)
           .bind(2, *account)
           .step()) {
    error = "We couldn't find that address.";
  }
  if (!error.empty()) return accountAnswer(*db, account, "", error);
  Transaction tx(*db, true);
  auto& st = db->prepare(
      contact
          ? "UPDATE contacts SET first_name = ?, last_name = ?, address1 = ?, address2 = ?, city = "
            "?, "
            "state = ?, zipcode = ?, phone = ? WHERE id = ?10 AND account_id = ?9"
          : "INSERT INTO contacts(first_name, last_name, address1, address2, city, state, zipcode, "
            "phone, account_id) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?9)");
  st.bind(1, form.trimmed("firstName"))
      .bind(2, form.trimmed("lastName"))
      .bind(3, form.trimmed("address1"))
      .bind(4, form.trimmed("address2"))
      .bind(5, form.trimmed("city"))
      .bind(6, form.trimmed("state"))
      .bind(7, form.trimmed("zipcode"))
      .bind(8, form.trimmed("phone"))
      .bind(9, *account);
  if (contact) st.bind(10, *contact);
  st.run();
  const long long id = contact ? *contact : db->lastInsertId();
  if (form.trimmed("isPrimary") == "1") {
    db->prepare("UPDATE accounts SET default_contact_id = ? WHERE id = ?")
        .bind(1, id)
        .bind(2, *account)
        .run();
  }
  setDefaults(*db, *account);
  tx.commit();
  return accountAnswer(*db, account, kAuthenticated, "");
}

json::Value AccountEndpoints::markPrimaryShipping(const FormFields& form,
                                                  const std::string& client) {
  auto db = state_.pool.acquire();
  const auto login = authenticate(*db, form, client);
  if (!login) return accountAnswer(*db, std::nullopt, "", login.refusal("Please sign in again."));
  const std::optional<long long> account = login.account;
  const auto contact = parseId(form.get("contactId"));
  if (!contact || !db->prepare("SELECT 1 FROM contacts WHERE id = ? AND account_id = ?")
                       .bind(1, *contact)
                       .bind(2, *account)
                       .step()) {
    return accountAnswer(*db, account, "", "We couldn't find that address.");
  }
  Transaction tx(*db, true);
  db->prepare("UPDATE accounts SET default_contact_id = ? WHERE id = ?")
      .bind(1, *contact)
      .bind(2, *account)
      .run();
  tx.commit();
  return accountAnswer(*db, account, kAuthenticated, "");
}

json::Value AccountEndpoints::deleteShipping(const FormFields& form, const std::string& client) {
  auto db = state_.pool.acquire();
  const auto login = authenticate(*db, form, client);
  if (!login) return accountAnswer(*db, std::nullopt, "", login.refusal("Please sign in again."));
  const std::optional<long long> account = login.account;
  const auto contact = parseId(form.get("contactId"));
  Transaction tx(*db, true);
  db->prepare("DELETE FROM contacts WHERE id = ? AND account_id = ?")
      .bind(1, contact.value_or(0))
      .bind(2, *account)
      .run();
  if (db->changes() == 0) return accountAnswer(*db, account, "", "We couldn't find that address.");
  setDefaults(*db, *account);
  tx.commit();
  return accountAnswer(*db, account, kAuthenticated, "");
}

}  // namespace kelda::server
